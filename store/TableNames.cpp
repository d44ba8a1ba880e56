// How the curve names are ordered and cut: case-insensitive, Cyrillic letters
// in alphabetical order, whole UTF-8 characters only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/Table.h"

namespace ampora {

namespace {

// ---------------------------------------------------------------------------
// Name collation

constexpr uint32_t ClassOther = 0, ClassLatin = 1, ClassCyrillic = 2, ClassForeign = 3;

// Decodes one code point; an invalid or truncated sequence yields one byte
// mapped above the Unicode range, so it still orders consistently.
uint32_t DecodeUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    uint32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    }
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0x110000 + b0;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0x110000 + b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += len;
    return cp;
}

// Cyrillic lower-case letters in alphabetical order; Belarusian and Ukrainian
// letters sit beside their nearest Russian neighbours.
constexpr char32_t CyrillicOrder[] = U"абвгґдеёєжзиіїйклмнопрстуўфхцчшщъыьэюя";

// Rank of each lower-case letter U+0430..U+049F; letters not in the list come
// after я in code point order.
constexpr std::array<uint8_t, 0x70> MakeCyrillicRanks() {
    std::array<uint8_t, 0x70> ranks{};
    for (size_t k = 0; k < ranks.size(); ++k) ranks[k] = static_cast<uint8_t>(64 + k);
    for (size_t k = 0; k + 1 < std::size(CyrillicOrder); ++k)
        ranks[CyrillicOrder[k] - 0x430] = static_cast<uint8_t>(k);
    return ranks;
}
constexpr std::array<uint8_t, 0x70> CyrillicRanks = MakeCyrillicRanks();

// Case-insensitive primary weight: class in the top byte, rank below.
uint32_t PrimaryWeight(uint32_t cp) {
    if (cp < 0x80) {
        if (cp >= 'a' && cp <= 'z') return (ClassLatin << 24) | (cp - 'a');
        if (cp >= 'A' && cp <= 'Z') return (ClassLatin << 24) | (cp - 'A');
        return (ClassOther << 24) | cp;
    }
    if (cp >= 0x400 && cp <= 0x4FF) {
        uint32_t lower = cp;
        if (cp >= 0x410 && cp <= 0x42F)
            lower = cp + 0x20;
        else if (cp <= 0x40F)
            lower = cp + 0x50;
        else if (cp >= 0x460 && (cp & 1) == 0)
            lower = cp + 1;  // the later blocks pair upper/lower by parity
        if (lower >= 0x430 && lower < 0x430 + CyrillicRanks.size())
            return (ClassCyrillic << 24) | CyrillicRanks[lower - 0x430];
        return (ClassCyrillic << 24) | (0x100 + lower);
    }
    return (ClassForeign << 24) | cp;
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

// ---------------------------------------------------------------------------

int CompareNames(std::string_view a, std::string_view b) {
    // Identical leading characters weigh the same: start at the character in
    // which the two first differ.
    size_t start = 0;
    const size_t common = std::min(a.size(), b.size());
    while (start < common && a[start] == b[start]) ++start;
    auto inside = [](std::string_view s, size_t p) { return p < s.size() && IsContinuation(s[p]); };
    while (start > 0 && (inside(a, start) || inside(b, start))) --start;
    size_t i = start, j = start;
    while (i < a.size() && j < b.size()) {
        const uint32_t wa = PrimaryWeight(DecodeUtf8(a, i));
        const uint32_t wb = PrimaryWeight(DecodeUtf8(b, j));
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    // Same letters ignoring case: code point order decides (byte order of
    // UTF-8 is code point order), so only identical names compare equal.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string TruncateUtf8(std::string_view s, int maxChars) {
    if (maxChars <= 0) return {};
    int chars = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && IsContinuation(s[i])) continue;
        if (chars == maxChars) return std::string(s.substr(0, i));
        ++chars;
    }
    return std::string(s);
}

}  // namespace ampora
