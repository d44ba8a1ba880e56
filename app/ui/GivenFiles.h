#pragma once
// Files the desktop hands to the main window: named on the command line (a
// double-click in a file manager) or dropped on the window. A design is
// opened as File → Open design opens it, anything else imported as File →
// Curve → Import spectrum imports it, with the messages of those commands.

class QString;

namespace ampora::ui {

class TF_Main;

// Opens or imports path now; false when the file was refused (the user has
// been told why) and the window is as it was.
bool OpenGivenFile(TF_Main& main, const QString& path);

// The same once the events waiting now have run: after the window's first
// showing, and outside the drop that brought the file, whose source would
// otherwise wait for any message box to close.
void OpenGivenFileSoon(TF_Main& main, const QString& path);

// Makes the main window take one dropped local file, wherever on it the file
// lands (its edit boxes would otherwise take the file's name as text).
void AcceptFileDrops(TF_Main& main);

}  // namespace ampora::ui
