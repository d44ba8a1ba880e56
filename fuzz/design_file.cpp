// The design-file decoder on arbitrary bytes: it gives a design or a problem,
// never both, never throws; a design it gives is written and read back as
// itself; and `ampora evaluate`'s outputs of it stay well-formed (the JSON
// parses, the CSV row has the header's fields), whatever the file's name.

#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "calc/DesignFile.h"
#include "cli/EvaluationFormat.h"

namespace {

// Fields of one CSV record (RFC 4180), or -1 when it is not exactly one.
int CsvFieldCount(std::string_view row) {
    if (row.size() < 2 || row.substr(row.size() - 2) != "\r\n") return -1;
    row.remove_suffix(2);
    int fields = 1;
    bool quoted = false;
    for (size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (quoted) {
            if (c == '"' && i + 1 < row.size() && row[i + 1] == '"')
                ++i;
            else if (c == '"')
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            ++fields;
        } else if (c == '\r' || c == '\n') {
            return -1;  // a line break outside quotes starts another record
        }
    }
    return quoted ? -1 : fields;
}

bool ValidUtf8(std::string_view s) { return ampora::ValidUtf8(s) == s; }

void CheckOutputs(const ampora::EvaluatedFile& f) {
    static const int headerFields = CsvFieldCount(ampora::CsvHeader());
    for (int language = 0; language < 3; ++language) {
        const std::string json = ampora::EvaluationJson(f, language);
        if (!nlohmann::json::accept(json)) std::abort();
        const std::string row = ampora::CsvRow(f, language);
        if (CsvFieldCount(row) != headerFields || !ValidUtf8(row)) std::abort();
        const std::string text = ampora::EvaluationText(f, language);
        // One line per piece of output: no control character gets through.
        for (unsigned char c : text)
            if ((c < 0x20 && c != '\n') || c == 0x7F) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ampora::DesignRead r;
    try {
        r = ampora::DecodeDesign(text);
    } catch (...) {
        std::abort();
    }
    if (r.design.has_value() == bool(r.problem)) std::abort();

    ampora::EvaluatedFile f;
    // The input's first bytes as the file's name: names are bytes too.
    f.path = std::string(text.substr(0, 24));
    if (!r.design) {
        for (int language = 0; language < 3; ++language)
            if (ampora::DesignProblemText(r.problem, language).empty()) std::abort();
        f.problem = r.problem;
        CheckOutputs(f);
        return 0;
    }
    const ampora::DesignRead again = ampora::DecodeDesign(ampora::EncodeDesign(*r.design));
    if (!again.design || !(*again.design == *r.design)) std::abort();
    f.design = *r.design;
    f.evaluation = ampora::Evaluate(f.design);
    CheckOutputs(f);
    return 0;
}
