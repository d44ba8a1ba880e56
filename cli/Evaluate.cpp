#include "cli/Evaluate.h"

#include <string>
#include <string_view>
#include <vector>

#include "cli/EvaluationFormat.h"
#include "i18n/Language.h"
#include "i18n/Messages.h"

namespace ampora::cli {

namespace {

enum class Format { Text, Json, Csv };

struct Options {
    Format format = Format::Text;
    int language = 1;  // English unless asked otherwise
    std::vector<std::string> files;
    bool help = false;
};

struct OptionProblem {
    const LangTexts* message = nullptr;  // nullptr: none
    std::string argument;
};

// Reads every argument after "evaluate". The first problem is kept, but the
// rest is still read so that its message can follow a later --language.
OptionProblem Parse(int argc, char** argv, Options& o) {
    OptionProblem problem;
    auto fail = [&problem](const LangTexts& message, std::string_view arg) {
        if (!problem.message) problem = {&message, std::string(arg)};
    };
    bool filesOnly = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (filesOnly || arg.empty() || arg[0] != '-' || arg == "-") {
            o.files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            filesOnly = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        if (name != "--format" && name != "--language") {
            fail(MsgCliBadOption, arg);
            continue;
        }
        std::string_view value;
        if (eq != std::string_view::npos)
            value = arg.substr(eq + 1);
        else if (i + 1 < argc)
            value = argv[++i];
        else {
            fail(MsgCliBadValue, arg);
            continue;
        }
        if (name == "--format") {
            if (value == "text")
                o.format = Format::Text;
            else if (value == "json")
                o.format = Format::Json;
            else if (value == "csv")
                o.format = Format::Csv;
            else
                fail(MsgCliBadValue, std::string(name) + " " + std::string(value));
        } else {
            if (const auto l = LanguageOfOption(value))
                o.language = TextIndex(*l);
            else
                fail(MsgCliBadValue, std::string(name) + " " + std::string(value));
        }
    }
    return problem;
}

}  // namespace

int RunEvaluate(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Options o;
    const OptionProblem problem = Parse(argc, argv, o);
    const size_t lang = size_t(o.language);
    if (problem.message) {
        err << (*problem.message)[lang] << TerminalText(problem.argument) << "\n"
            << MsgCliUsage[lang] << "\n";
        return 2;
    }
    if (o.help) {
        out << MsgCliUsage[lang] << "\n";
        return 0;
    }
    if (o.files.empty()) {
        err << MsgCliNoFiles[lang] << "\n" << MsgCliUsage[lang] << "\n";
        return 2;
    }

    bool anyStopped = false, anyRefused = false;
    if (o.format == Format::Csv) out << CsvHeader();
    if (o.format == Format::Json) out << "[";
    EvaluatedFile f;
    for (size_t n = 0; n < o.files.size(); ++n) {
        f.path = o.files[n];
        DesignRead r = ReadDesignFile(f.path);
        f.problem = r.problem;
        if (r.design) {
            f.design = std::move(*r.design);
            f.evaluation = Evaluate(f.design);
        } else {
            f.design = Design{};
            f.evaluation = Evaluation{};
        }
        anyRefused = anyRefused || bool(f.problem);
        anyStopped = anyStopped || (!f.problem && f.evaluation.stop != CalcStop::None);
        switch (o.format) {
            case Format::Text: out << EvaluationText(f, o.language); break;
            case Format::Csv: out << CsvRow(f, o.language); break;
            case Format::Json:
                out << (n == 0 ? "\n" : ",\n") << EvaluationJson(f, o.language);
                break;
        }
    }
    if (o.format == Format::Json) out << "\n]\n";
    out.flush();
    if (!out) return 2;
    return anyRefused ? 2 : anyStopped ? 1 : 0;
}

}  // namespace ampora::cli
