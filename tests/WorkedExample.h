#pragma once
// The window's first worked example as a Design: three-way, Butterworth 2
// everywhere, 8 ohm, flat spectrum, both pads equalised. Tests and benchmarks
// start from it and change what they are about.

#include "calc/Design.h"

namespace ampora::testutil {

inline Design WorkedExampleDesign() {
    Design d;
    d.spectrumName = "Flat";
    d.spectrumLevels.fill(0);
    d.ampPowerW = 100;
    d.bass = {88, 8};
    d.mid = {90, 8};
    d.tweeter = {92, 8};
    d.bassLowPass = {FilterType::Butterworth, 2, 320};
    d.midHighPass = {FilterType::Butterworth, 2, 320};
    d.midLowPass = {FilterType::Butterworth, 2, 3200};
    d.tweeterHighPass = {FilterType::Butterworth, 2, 3200};
    d.midEqualise = d.tweeterEqualise = true;
    return d;
}

}  // namespace ampora::testutil
