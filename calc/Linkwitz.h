#pragma once
// Linkwitz bass equalisation: closed-box resonance f1 moved down to f2.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ampora {

inline constexpr int LinkwitzBands = 11;  // 20 Hz .. 202 Hz

struct LinkwitzResult {
    bool active = false;                  // both frequencies given and non-zero
    int f1 = 0, f2 = 0;                   // limited/exchanged values to write back
                                          // (inactive: as read, nothing to write back)
    std::array<int, LinkwitzBands> db{};  // boost per band, all 0 when inactive
    std::vector<std::string> listing;     // empty when inactive
    // The band of the last grid lookup (F2's), for a caller that keeps it;
    // none when inactive (nothing was looked up).
    std::optional<int32_t> lastBandIndex;
};

// f1/f2 as read from the boxes; nullopt (not a whole number) counts as 0.
LinkwitzResult CheckLinkwitz(std::optional<int> f1, std::optional<int> f2);

}  // namespace ampora
