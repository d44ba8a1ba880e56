#include "calc/LPad.h"

#include <cmath>

#include "inputs/Numbers.h"

namespace ampora {

bool CalcLPad(double& rs, double& rp, bool equalise, double z, double i, double u, double zBass) {
    const double zIn = equalise ? zBass : z;
    const double iIn = u / zIn;
    const double uD = z * i;

    rs = 0.0;
    rp = NoParallelResistor;
    bool ok = true;

    if (uD >= u) {
        // Nothing to attenuate; at best a parallel resistor can pull the
        // driver's impedance down to the wanted input impedance.
        if (equalise)
            rp = RoundTenth(zIn * z / (z - zIn));
        else
            ok = false;
    } else {
        rs = RoundTenth((u - uD) / iIn);
        // A driver exactly as loud as the reference makes iIn - i zero and rp
        // infinite; RoundTenth keeps the infinity and the test below then
        // treats it as no parallel resistor.
        rp = RoundTenth(uD / (iIn - i));
    }

    if (rs < 0.0) {
        ok = false;
    } else if (!(rp >= 0.0)) {
        // A small negative parallel resistor cannot be built; a large one is
        // as good as none. NaN fails both tests.
        if (!(std::fabs(rp / z) >= 20.0)) ok = false;
    }

    if (std::fabs(rp) / z > 20.0) rp = NoParallelResistor;
    return ok;
}

}  // namespace ampora
