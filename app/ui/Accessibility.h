#pragma once
// What a screen reader hears, and where the Tab key goes.
//
// A sighted user reads a box's meaning from the row caption on its left and
// the driver column above it; a screen reader hears only the box. Every
// control a user operates or reads gets a name built from those captions in
// the current language (with a few texts of its own from i18n/Messages.h
// where no caption says it), so the names follow a language switch.

namespace ampora::ui {

class TF_Main;

// After the layout is built and after every language switch; names the
// controls of the main window and of the IEC tool once that exists.
void UpdateAccessibleNames(TF_Main& main);

// The Tab chain in screen order: the amplifier power, the bass column top to
// bottom, the midrange, the tweeter, the calculate button, then the rest.
void SetScreenTabOrder(TF_Main& main);

}  // namespace ampora::ui
