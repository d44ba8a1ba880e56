#pragma once
// The keys of a desktop program on the main window: the standard shortcuts of
// the file and help commands, F5 to calculate, and the menus' mnemonics in
// every interface language.

namespace ampora::ui {

class TF_Main;

// After the menus are built and wired, before the first showing.
void InstallShortcuts(TF_Main& main);

}  // namespace ampora::ui
