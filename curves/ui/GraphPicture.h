#pragma once
// The spectrum graph as a picture: "Save as picture…" and "Copy" in the
// graph's popup menu and File → Export picture → Spectrum….

class QMenu;

namespace ampora::ui {

class CurvePanel;

// Appends the two commands to popup after a separator, the save command to
// exportMenu; captions follow the language.
void InstallGraphPicture(CurvePanel& curves, QMenu* popup, QMenu* exportMenu);

}  // namespace ampora::ui
