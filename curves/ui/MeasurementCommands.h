#pragma once
// File → Curve → "Import spectrum…" and "Export curve…": a measured spectrum
// becomes an unsaved curve of the main window; the current curve goes out
// as CSV.

class QString;

namespace ampora::ui {

class TF_Main;

// Appends both commands (actions CmdCurveImport, CmdCurveExport) to File →
// Curve and keeps their captions in the interface language. They stay out of
// TF_Main::MenuItems, which holds the items of the text table.
void InstallMeasurementCommands(TF_Main& main);

// The commands once a file is chosen. A refused or unreadable file changes
// nothing and is reported by a message that names the problem; the result
// says whether the command went through.
bool ImportSpectrumFile(TF_Main& main, const QString& path);
bool ExportCurveFile(TF_Main& main, const QString& path);

}  // namespace ampora::ui
