#pragma once
// File → Curve → "Import spectrum…" and "Export curve…": a measured spectrum
// becomes an unsaved curve of the main window; the current curve goes out
// as CSV.

class QMenu;
class QString;

namespace ampora::ui {

class CurvePanel;

// Appends both commands (actions CmdCurveImport, CmdCurveExport) to the
// curve menu and keeps their captions in the interface language. They stay
// out of the main window's MenuItems, which holds the items of the text table.
void InstallMeasurementCommands(CurvePanel& curves, QMenu* curveMenu);

// The commands once a file is chosen. A refused or unreadable file changes
// nothing and is reported by a message that names the problem; the result
// says whether the command went through.
bool ImportSpectrumFile(CurvePanel& curves, const QString& path);
bool ExportCurveFile(CurvePanel& curves, const QString& path);

}  // namespace ampora::ui
