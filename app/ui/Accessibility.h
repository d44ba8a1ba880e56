#pragma once
// What a screen reader hears, and where the Tab key goes.
//
// A sighted user reads a box's meaning from the row caption on its left and
// the driver column above it; a screen reader hears only the box. Every
// control a user operates or reads gets a name built from those captions in
// the current language (with a few texts of its own from i18n/Messages.h
// where no caption says it), so the names follow a language switch. The
// controls are found by their names, as the text table finds them: the names
// span every panel of the window.

class QWidget;

namespace ampora::ui {

class Session;

// After the layout is built and after every language switch. The graph's
// description names the session's current curve at the moment of asking.
void UpdateAccessibleNames(QWidget& main, const Session& session);
// The IEC tool, when it is made and after every language switch.
void UpdateAccessibleNamesOfIecTool(QWidget& iec);

// The Tab chain in screen order: the amplifier power, the bass column top to
// bottom, the midrange, the tweeter, the calculate button, then the rest.
void SetScreenTabOrder(QWidget& main);

}  // namespace ampora::ui
