#pragma once
// `ampora report FILE.ampora -o OUT.pdf|OUT.csv`: one design's evaluation
// with its per-band breakdown, for handing a result to someone else. The CSV
// is made here without any window library; the PDF is drawn by the window
// layer (app/ui/ReportWriter).

#include <functional>
#include <iosfwd>
#include <string>

#include "cli/EvaluationFormat.h"
#include "store/SafeFile.h"

namespace ampora::cli {

enum class ReportKind { Csv, Pdf };

struct ReportOptions {
    std::string input, output;
    ReportKind kind = ReportKind::Csv;
    int language = 1;  // English unless asked otherwise
    bool help = false;
    std::string problem;  // set: the options are wrong (in English, with the usage)
};

// argv[1] is "report". The kind follows the output's extension.
ReportOptions ParseReportOptions(int argc, char** argv);
std::string ReportUsage();

// Reads and evaluates the design file (a refused file sets f.problem).
EvaluatedFile EvaluateDesignFile(const std::string& path);

// Draws the PDF of a design that was read and writes it; says why it could not.
using PdfWriter = std::function<FileStatus(const ReportOptions& o, const EvaluatedFile& f)>;

// `ampora report ...` (argv[1] == "report") as a whole: the options, the
// design, the CSV, what is said on out and err, the exit status (0 written,
// 1 written for a design that stopped, 2 wrong options, a refused design or
// an output that cannot be written). A PDF goes to writePdf; without one it
// cannot be written.
int RunReport(int argc, char** argv, std::ostream& out, std::ostream& err,
              const PdfWriter& writePdf);

}  // namespace ampora::cli

namespace ampora {

// The results row of the command line's CSV (its header and columns), an
// empty line, then the per-band table: band centre, programme level, per
// driver in use its power and share, per pad resistor in use its power, and
// a totals row in the window's number format; for a design with power
// ratings then its power handling (drivers, limits, pad resistors, the curve
// over the crossover point). '.' decimals, CRLF lines, English headers. A
// stopped or refused design has the results part only.
std::string ReportCsv(const EvaluatedFile& f, int language);

// Writes ReportCsv into path through WriteFileSafely; never over the design
// file it was made from (f.path).
FileStatus WriteReportCsvFile(const std::string& path, const EvaluatedFile& f, int language);

}  // namespace ampora
