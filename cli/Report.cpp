#include "cli/Report.h"

#include <string_view>

#include "calc/BandBreakdown.h"
#include "inputs/Numbers.h"

namespace ampora::cli {

std::string ReportUsage() {
    return "Usage: ampora report [--language rus|eng|bel] FILE.ampora -o OUT.pdf|OUT.csv\n";
}

ReportOptions ParseReportOptions(int argc, char** argv) {
    ReportOptions o;
    auto fail = [&o](const std::string& text) {
        if (o.problem.empty()) o.problem = text;
    };
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "-o" || arg == "--output") {
            if (i + 1 >= argc) {
                fail("missing file after " + std::string(arg));
                break;
            }
            o.output = argv[++i];
        } else if (arg == "--language" || arg.starts_with("--language=")) {
            std::string_view value;
            if (arg.starts_with("--language="))
                value = arg.substr(11);
            else if (i + 1 < argc)
                value = argv[++i];
            if (value == "rus") o.language = 0;
            else if (value == "eng") o.language = 1;
            else if (value == "bel") o.language = 2;
            else fail("bad language: " + std::string(value));
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            fail("unknown option: " + std::string(arg));
        } else if (o.input.empty()) {
            o.input = arg;
        } else {
            fail("one design file only: " + std::string(arg));
        }
    }
    if (o.help) return o;
    if (o.input.empty()) fail("no design file given");
    if (o.output.empty()) fail("no output file given (-o OUT.pdf or -o OUT.csv)");
    auto endsWith = [&o](std::string_view ext) {
        if (o.output.size() < ext.size()) return false;
        for (size_t i = 0; i < ext.size(); ++i) {
            char c = o.output[o.output.size() - ext.size() + i];
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
            if (c != ext[i]) return false;
        }
        return true;
    };
    if (endsWith(".pdf"))
        o.kind = ReportKind::Pdf;
    else if (endsWith(".csv"))
        o.kind = ReportKind::Csv;
    else if (!o.output.empty())
        fail("the output must end in .pdf or .csv: " + o.output);
    return o;
}

EvaluatedFile EvaluateDesignFile(const std::string& path) {
    EvaluatedFile f;
    f.path = path;
    DesignRead r = ReadDesignFile(path);
    if (r.problem) {
        f.problem = r.problem;
        return f;
    }
    f.design = *r.design;
    f.evaluation = Evaluate(f.design);
    return f;
}

}  // namespace ampora::cli

namespace ampora {

std::string ReportCsv(const EvaluatedFile& f, int language) {
    std::string out = CsvHeader() + CsvRow(f, language);
    if (f.problem || f.evaluation.stop != CalcStop::None) return out;
    Design design = f.design;
    design.decimalSeparator = '.';
    Evaluation ev = f.evaluation;
    ev.texts = FormatPowerResult(ev.pads, ev.power, '.');
    const BandBreakdown b = MakeBandBreakdown(design, ev);

    out += "\r\nband_hz,level_db";
    for (Sink s : b.sinks) {
        out += std::string(",") + SinkKey(s) + "_w";
        if (IsDriver(s)) out += std::string(",") + SinkKey(s) + "_pct";
    }
    out += "\r\n";
    const auto num = [](double v, double scale) {
        return FormatGeneral(RoundHalfEven(v * scale) / scale, '.');
    };
    for (const BandBreakdownRow& r : b.rows) {
        out += std::to_string(r.freqHz) + ",";
        if (r.levelDb != NoBandLevel) out += std::to_string(r.levelDb);
        for (Sink s : b.sinks) {
            out += "," + num(r.powerW[size_t(s)], 1e4);
            if (IsDriver(s)) out += "," + num(r.sharePct[size_t(s)], 1e2);
        }
        out += "\r\n";
    }
    out += "total,";
    for (Sink s : b.sinks) {
        out += "," + b.totalText[size_t(s)];
        if (IsDriver(s)) out += ",100";
    }
    return out + "\r\n";
}

}  // namespace ampora
