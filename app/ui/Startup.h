#pragma once
// How every run of the windows begins: the program, the window tests, the
// start-up benchmark and the crash child all start the same way.

#include <functional>
#include <memory>

namespace ampora {
struct ProgramFolders;
}

namespace ampora::ui {

class TF_Main;

// The font the fixed layout is measured in (its 8-point reference): a sans
// serif at 11 px, set on the application before any window exists.
void SetWindowFont();

enum class Start { Shown, Hidden };

// The main window of one run in folders. Unless start-up refused to go on
// (terminationRequested(): no interface texts), beforeShow runs on it and it
// is shown and made active (Start::Shown); the activation then arrives as an
// event and brings the first calculation.
std::unique_ptr<TF_Main> StartMainWindow(const ProgramFolders& folders, Start start = Start::Shown,
                                         const std::function<void(TF_Main&)>& beforeShow = {});

}  // namespace ampora::ui
