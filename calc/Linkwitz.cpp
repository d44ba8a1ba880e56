#include "calc/Linkwitz.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "calc/Filters.h"

namespace ampora {

namespace {

// Closed-box response in dB at third-octave steps; entry 7 is the resonance.
constexpr std::array<int, LinkwitzBands> LinkwitzShape = {-25, -21, -17, -13, -9, -7,
                                                          -5,  -3,  -2,  -1,  0};
constexpr int ResonanceEntry = 7;

constexpr int64_t MinF1 = 30, MaxF1 = 100, MinF2 = 20;

// Response of a closed box resonating in band i (0..7) over the low bands.
std::array<int, LinkwitzBands> BoxResponse(int i) {
    std::array<int, LinkwitzBands> r{};
    for (int b = 0; b <= i; ++b) r[b] = LinkwitzShape[ResonanceEntry + b - i];
    for (int k = 1; k <= 3 && i + k < LinkwitzBands; ++k)
        r[i + k] = LinkwitzShape[ResonanceEntry + k];
    return r;
}

std::string ListingLine(int freqHz, int db) {
    // One allocation per line: the listing is made on every calculation.
    std::string line;
    line.reserve(24);
    char num[12];
    if (freqHz < 100) line += '0';
    line.append(num, std::to_chars(num, num + sizeof num, freqHz).ptr);
    line += " Hz      ";
    line.append(num, std::to_chars(num, num + sizeof num, db).ptr);
    line += " dB";
    return line;
}

}  // namespace

LinkwitzResult CheckLinkwitz(std::optional<int> f1In, std::optional<int> f2In) {
    LinkwitzResult res;
    res.f1 = f1In.value_or(0);
    res.f2 = f2In.value_or(0);
    if (res.f1 == 0 || res.f2 == 0) return res;

    // 64 bits so that the magnitude of the most negative int is representable.
    int64_t f1 = std::llabs(int64_t{res.f1});
    int64_t f2 = std::llabs(int64_t{res.f2});
    f1 = std::clamp(f1, MinF1, MaxF1);
    f2 = std::max(f2, MinF2);
    if (f2 > f1) std::swap(f1, f2);
    // The exchange can bring a frequency above 100 Hz into F1, whose band
    // would leave no room for the three bands above the resonance. F2 came
    // from the old F1 and so still lies at or below the limited F1.
    f1 = std::clamp(f1, MinF1, MaxF1);

    res.active = true;
    res.f1 = static_cast<int>(f1);
    res.f2 = static_cast<int>(f2);

    int32_t i1 = 0, i2 = 0;
    GetNearestFreq(res.f1, i1);
    GetNearestFreq(res.f2, i2);
    res.lastBandIndex = i2;
    const auto r1 = BoxResponse(i1);
    const auto r2 = BoxResponse(i2);
    for (int b = 0; b < LinkwitzBands; ++b) res.db[b] = r2[b] - r1[b];

    res.listing.reserve(2 + LinkwitzBands);
    res.listing.emplace_back("Linkwitz correction:");
    res.listing.emplace_back(32, '-');
    for (int b = 0; b < LinkwitzBands; ++b)
        res.listing.push_back(ListingLine(BandGrid[b], res.db[b]));
    return res;
}

}  // namespace ampora
