#pragma once
// Reports of one design: a PDF of one or two A4 pages (inputs, results, the
// spectrum, the per-band plot and table) and a CSV; from File → "Export
// report…" and from `ampora report`.

#include <QDate>
#include <QString>

#include "calc/Evaluate.h"
#include "store/SafeFile.h"

class QAction;
class QMenu;
class QWidget;

namespace ampora::ui {

class Session;

struct ReportData {
    QString name;  // the design's name (its file's, or the curve's)
    QString file;  // the design file, "" when there is none
    QDate date;
    Design design;
    Evaluation ev;
    QString stopMessage;  // "" when the calculation went through
    int language = 1;     // 0 Russian, 1 English, 2 Belarusian
    char decimalSep = '.';
};

// Both made in memory first, then written through WriteFileSafely: a
// failure leaves any earlier file whole and nothing beside it. An output that
// is the report's own design file is refused.
FileStatus WriteReportPdf(const QString& path, const ReportData& r);
FileStatus WriteReportCsv(const QString& path, const ReportData& r);

// The window's inputs as a report, as the last calculation saw them.
ReportData CurrentReport(const Session& session);

// File → "Export report…" (action CmdExportReport, kept out of the main
// window's MenuItems), inserted into file before the item before.
void InstallReportCommand(const Session& session, QWidget* main, QMenu* file, QAction* before);

// `ampora report ...` (argv[1] == "report"): the CSV without any window
// library, the PDF on the offscreen platform. Exit status as `evaluate`:
// 0 written, 1 written for a design that stopped, 2 bad options or file.
int RunReportCommand(int argc, char** argv);

}  // namespace ampora::ui
