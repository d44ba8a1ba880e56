// The number parser and the display forms: any text either parses or not,
// and a number the program shows reads back as a number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "inputs/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto whole = ampora::ParseInt(text)) {
        if (!ampora::ParseReal(text, '.')) std::abort();  // a whole number is a real one too
    }
    for (const char sep : {'.', ','}) {
        const auto real = ampora::ParseReal(text, sep);
        if (!real) continue;
        if (!std::isfinite(*real)) std::abort();
        for (const std::string& shown :
             {ampora::FormatGeneral(*real, sep), ampora::FormatResult(*real, sep)}) {
            const auto back = ampora::ParseReal(shown, sep);
            if (!back) std::abort();
        }
        (void)ampora::RoundHalfEven(*real);
        (void)ampora::RoundTenth(*real);
        (void)ampora::RoundHundredth(*real);
    }
    return 0;
}
