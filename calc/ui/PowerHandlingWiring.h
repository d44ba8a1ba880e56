#pragma once
// Where the power-handling window meets the main window: the menu item, the
// calculations and the language it follows, and the ratings that belong to
// the design on screen. The only part of it that knows the main window.

#include "calc/PowerRatings.h"

namespace ampora::ui {

class TF_Main;
class PowerHandlingWindow;

// Adds Service → "Power handling" (action CmdPowerHandling, kept out of
// TF_Main::MenuItems) and the ratings holder, which reads the ratings kept in
// the user folder. The window is created when first opened.
void InstallPowerHandling(TF_Main& main);
// The window, if it has been opened.
PowerHandlingWindow* FindPowerHandling(const TF_Main& main);

// The ratings of the design on screen: CurrentDesign puts them into the
// design, ApplyDesign takes them from an opened one.
PowerRatings PowerRatingsOf(const TF_Main& main);
void SetPowerRatingsOf(TF_Main& main, const PowerRatings& ratings);

}  // namespace ampora::ui
