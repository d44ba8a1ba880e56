#include "cli/Report.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <system_error>

#include "calc/BandBreakdown.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"

namespace fs = std::filesystem;

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

int RunReport(int argc, char** argv, std::ostream& out, std::ostream& err,
              const PdfWriter& writePdf) {
    const ReportOptions o = ParseReportOptions(argc, argv);
    if (o.help) {
        out << ReportUsage();
        return 0;
    }
    if (!o.problem.empty()) {
        err << o.problem << "\n" << ReportUsage();
        return 2;
    }
    const EvaluatedFile f = EvaluateDesignFile(o.input);
    if (f.problem) {
        err << o.input << ": " << DesignProblemText(f.problem, o.language) << "\n";
        return 2;
    }
    const bool written = o.kind == ReportKind::Csv ? WriteReportCsvFile(o.output, f, o.language)
                                                   : writePdf && writePdf(o, f);
    if (!written) {
        err << MsgFileWriteFailed[size_t(o.language)] << o.output << "\n";
        return 2;
    }
    const std::string stop = StopMessage(f.evaluation.stop, o.language);
    if (!stop.empty()) {
        err << o.input << ": " << stop << "\n";
        return 1;
    }
    return 0;
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

bool WriteReportCsvFile(const std::string& path, const EvaluatedFile& f, int language) {
    const std::string csv = ReportCsv(f, language);
    std::error_code ec;
    fs::path target = path;
    if (fs::is_symlink(target, ec)) {
        const fs::path link = fs::read_symlink(target, ec);
        if (ec) return false;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && ::access(target.c_str(), W_OK) != 0) return false;
    // Beside the file, so that the rename stays on one file system.
    const std::string temp = target.string() + ".tmp-" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = !existed || ::fchmod(fd, old.st_mode & 07777) == 0;
    for (size_t done = 0; ok && done < csv.size();) {
        const ssize_t n = ::write(fd, csv.data() + done, csv.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += size_t(n);
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) {
        fs::rename(temp, target, ec);
        ok = !ec;
    }
    if (!ok) std::remove(temp.c_str());
    return ok;
}

}  // namespace ampora
