// The measured-spectrum reader on arbitrary bytes: it must never crash, hang
// or read outside its input, and whatever it accepts must be a curve the
// graph can show, which exported and read again gives itself back.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "curves/CurveStore.h"
#include "curves/MeasurementImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ampora::MeasurementImport r = ampora::ParseSpectrum(bytes, "spectrum.txt");
    if (r.error != ampora::SpectrumError::None) return 0;
    bool any = false, top = false;
    for (int32_t l : r.levels) {
        if (l == ampora::NoLevel) continue;
        if (l < -40 || l > 0) std::abort();
        top = top || l == 0;
        any = true;
    }
    // A measurement is shifted to its top band; an exported curve is not.
    if (!any || (!r.exportedCurve && !top)) std::abort();
    const ampora::MeasurementImport again = ampora::ParseSpectrum(ampora::ExportCurveCsv(r.levels));
    if (again.error != ampora::SpectrumError::None || again.levels != r.levels) std::abort();
    return 0;
}
