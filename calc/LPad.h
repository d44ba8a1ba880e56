#pragma once

namespace ampora {

inline constexpr double NoParallelResistor = 1000000.0;

// L-pad of one driver (series rs, parallel rp, whole tenths of an ohm) that
// brings reference voltage u down to the driver's own z * i. With equalise
// the pad's input impedance is zBass, else z. Always writes rs and rp;
// returns whether the pad is usable.
bool CalcLPad(double& rs, double& rp, bool equalise, double z, double i, double u, double zBass);

}  // namespace ampora
