#include "cli/Report.h"

#include <cmath>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <system_error>

#include "calc/BandBreakdown.h"
#include "calc/PowerHandling.h"
#include "i18n/Language.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"
#include "store/SafeFile.h"

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
            if (const auto l = LanguageOfOption(value))
                o.language = TextIndex(*l);
            else
                fail("bad language: " + std::string(value));
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
    const size_t lang = size_t(o.language);
    const std::string output = TerminalText(o.output);
    // Refused before anything else is said, read or drawn (whatever the
    // output's extension): the writer would refuse it again at the end,
    // should the output change meanwhile.
    if (!o.input.empty() && !o.output.empty() && IsSameFile(o.input, o.output)) {
        err << MsgFileWriteFailed[lang] << output << ": "
            << FileStatusText({FileFault::SameAsInput, 0}, o.language) << "\n";
        return 2;
    }
    if (!o.problem.empty()) {
        err << TerminalText(o.problem) << "\n" << ReportUsage();
        return 2;
    }
    const EvaluatedFile f = EvaluateDesignFile(o.input);
    if (f.problem) {
        err << TerminalText(o.input) << ": "
            << TerminalText(DesignProblemText(f.problem, o.language)) << "\n";
        return 2;
    }
    FileStatus written{FileFault::System, 0};
    if (o.kind == ReportKind::Csv)
        written = WriteReportCsvFile(o.output, f, o.language);
    else if (writePdf)
        written = writePdf(o, f);
    if (!written.ok()) {
        err << MsgFileWriteFailed[lang] << output << ": " << FileStatusText(written, o.language)
            << "\n";
        return 2;
    }
    const std::string stop = StopMessage(f.evaluation.stop, o.language);
    if (!stop.empty()) {
        err << TerminalText(o.input) << ": " << stop << "\n";
        return 1;
    }
    return 0;
}

}  // namespace ampora::cli

namespace ampora {

namespace {

// The power-handling part of a report: the drivers, the limits, the pad
// resistors and the curve over the crossover point, each a small table of
// its own after an empty line; numbers as the window shows them.
std::string PowerHandlingCsv(const Design& design, const Evaluation& ev) {
    const PowerHandling ph = EvaluatePowerHandling(design, ev);
    const bool limit = ph.hasLimit();
    const auto num = [](double v) { return FormatResult(v, '.'); };
    std::string out =
        "\r\ndriver,receives_w,rated_w,kind,iec_cut_hz,permissible_w,load_pct,headroom_db,"
        "limiting\r\n";
    for (int k = 0; k < DriverCount; ++k) {
        const DriverHandling& h = ph.drivers[size_t(k)];
        if (!h.inUse) continue;
        out += std::string(DriverKey(k)) + "," + num(h.receivedW);
        if (h.rated) {
            out += "," + FormatGeneral(h.ratedW, '.') +
                   (h.iec ? ",iec_data_sheet," : ",in_driver,") +
                   (h.iec ? std::to_string(h.iecCutUsedHz) : std::string()) + "," +
                   FormatPermissibleW(h.permissibleW, '.') + "," + num(h.loadPct) + "," +
                   (std::isfinite(h.headroomDb) ? num(h.headroomDb) : std::string()) + "," +
                   (k == ph.limiting ? "yes" : "");
        } else {
            out += ",,,,,,,";
        }
        out += "\r\n";
    }
    out +=
        "\r\nlimiting_driver,max_amp_w,max_spl_db,crest_factor_db,amp_sine_rating_w,"
        "target_spl_db,target_amp_w,target_within_max\r\n";
    out +=
        limit ? std::string(DriverKey(ph.limiting)) + "," + num(ph.maxAmpW) + "," + num(ph.maxSplDb)
              : std::string(",,");
    out += "," + FormatGeneral(ph.crestFactorDb, '.') + "," + (limit ? num(ph.ampSineRatingW) : "");
    if (ph.targetSplDb)
        out += "," + FormatGeneral(*ph.targetSplDb, '.') + "," + num(ph.targetAmpW) + "," +
               (limit ? (ph.targetWithinMax ? "yes" : "no") : "");
    else
        out += ",,,";
    out += "\r\n";
    if (ph.resistorCount > 0) {
        out += "\r\nresistor,ohm,now_w,at_max_w,suggested_w\r\n";
        for (int i = 0; i < ph.resistorCount; ++i) {
            const ResistorHandling& r = ph.resistors[size_t(i)];
            out += std::string(SinkKey(r.sink)) + "," + FormatGeneral(r.ohm, '.') + "," +
                   num(r.nowW) + "," + (limit ? num(r.atMaxW) : "") + "," +
                   (r.suggestedW > 0 ? std::to_string(r.suggestedW) : "") + "\r\n";
        }
    }
    const LimitCurve curve = limit ? WhatMovesTheLimit(design) : LimitCurve{};
    if (curve.any()) {
        out += "\r\ncrossover_hz,max_spl_db,limiting_driver\r\n";
        for (const LimitPoint& p : curve.points)
            out += std::to_string(p.freqHz) + "," + (p.limiting >= 0 ? num(p.maxSplDb) : "") + "," +
                   DriverKey(p.limiting) + "\r\n";
    }
    return out;
}

}  // namespace

std::string ReportCsv(const EvaluatedFile& f, int language) {
    // A report names its design by the file's name, not by where it lies.
    EvaluatedFile named = f;
    named.path = std::filesystem::path(f.path).filename().string();
    std::string out = CsvHeader() + CsvRow(named, language);
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
    out += "\r\n";
    // Designs without ratings keep the report they always had.
    if (!design.powerHandling.empty()) out += PowerHandlingCsv(design, ev);
    return out;
}

FileStatus WriteReportCsvFile(const std::string& path, const EvaluatedFile& f, int language) {
    // A report over its own design would destroy the design.
    if (!f.path.empty() && IsSameFile(f.path, path)) return {FileFault::SameAsInput, 0};
    return WriteFileSafely(path, ReportCsv(f, language));
}

}  // namespace ampora
