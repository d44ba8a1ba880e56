#include "curves/MeasurementImport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "calc/Filters.h"
#include "curves/CurveStore.h"
#include "inputs/Numbers.h"
#include "store/Table.h"

namespace ampora {

double BandLowerEdgeHz(int band) { return 20.0 * std::exp2((band - 0.5) / 3.0); }
double BandUpperEdgeHz(int band) { return 20.0 * std::exp2((band + 0.5) / 3.0); }

namespace {

enum class Num { Ok, NotNumber, NotFinite };

struct Parsed {
    Num kind = Num::NotNumber;
    double value = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Spreadsheets quote fields that they think might be text.
std::string_view Trim(std::string_view s) {
    s = TrimBlanks(s);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        s = TrimBlanks(s.substr(1, s.size() - 2));
    return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// What analysers write for a missing or overflowing value: the whole token,
// so that a header word such as "Info" or "NaN-free" stays text.
bool LooksNonFinite(std::string_view s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    if (s == "\xE2\x88\x9E") return true;  // the infinity sign
    if (s.size() > 16) return false;
    std::string low;
    for (char c : s) low += Lower(c);
    // Windows runtimes write 1.#INF, 1.#QNAN, -1.#IND and nan(ind).
    return low == "nan" || low == "inf" || low == "infinity" || low.starts_with("nan(") ||
           low.starts_with("1.#") || low.starts_with("1,#");
}

// Optional sign, digits with at most one decimal mark ('.' or ','), optional
// exponent. Nothing else: no blanks, no thousands separators, no hex.
Parsed ParseNumber(std::string_view s) {
    Parsed r;
    if (s.empty() || s.size() > 64) return r;
    if (LooksNonFinite(s)) {
        r.kind = Num::NotFinite;
        return r;
    }
    char buf[65];
    std::size_t n = 0, i = 0;
    if (s[i] == '+' || s[i] == '-') {
        if (s[i] == '-') buf[n++] = '-';
        ++i;
    }
    bool digits = false, mark = false, negativeExponent = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            digits = true;
            buf[n++] = c;
        } else if ((c == '.' || c == ',') && !mark) {
            mark = true;
            buf[n++] = '.';
        } else {
            break;
        }
    }
    if (!digits) return r;
    if (i < s.size()) {
        if (s[i] != 'e' && s[i] != 'E') return r;
        buf[n++] = 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            buf[n++] = s[i++];
        }
        const std::size_t expStart = i;
        for (; i < s.size() && IsDigit(s[i]); ++i) buf[n++] = s[i];
        if (i == expStart || i < s.size()) return r;
    }
    double v = 0;
    const auto [end, ec] = std::from_chars(buf, buf + n, v);
    if (end != buf + n) return r;
    if (ec == std::errc::result_out_of_range) {
        // The mantissa is too short to overflow, so the exponent decides:
        // underflow is a value too close to zero to matter, overflow is not a
        // level or frequency any measurement produces.
        r.kind = negativeExponent ? Num::Ok : Num::NotFinite;
        r.value = 0.0;
        return r;
    }
    if (ec != std::errc() || !std::isfinite(v)) {
        r.kind = Num::NotFinite;
        return r;
    }
    r.kind = Num::Ok;
    r.value = v;
    return r;
}

void SplitOn(std::string_view line, char sep, std::vector<std::string_view>& out) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = line.find(sep, start);
        out.push_back(Trim(line.substr(start, p == std::string_view::npos ? p : p - start)));
        if (p == std::string_view::npos) break;
        start = p + 1;
    }
}

void SplitBlanks(std::string_view line, std::vector<std::string_view>& out) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        if (i > start) out.push_back(Trim(line.substr(start, i - start)));
    }
}

// A blank-separated token that uses the comma as its decimal mark: one comma
// with a digit on each side ("1000,5").
bool IsDecimalCommaToken(std::string_view t) {
    const std::size_t p = t.find(',');
    if (p == std::string_view::npos) return true;
    return t.find(',', p + 1) == std::string_view::npos && p > 0 && p + 1 < t.size() &&
           IsDigit(t[p - 1]) && IsDigit(t[p + 1]);
}

// The columns of one line. Semicolons and tabs leave the comma to be the
// decimal mark; so do blanks between tokens like "1000,5 -3,2". Otherwise a
// comma separates columns ("1000,-3.2", "1000, -3").
void SplitFields(std::string_view line, std::vector<std::string_view>& out) {
    out.clear();
    if (line.find(';') != std::string_view::npos) return SplitOn(line, ';', out);
    if (line.find('\t') != std::string_view::npos) return SplitBlanks(line, out);
    if (line.find(',') == std::string_view::npos) return SplitBlanks(line, out);
    SplitBlanks(line, out);
    if (out.size() >= 2 && std::all_of(out.begin(), out.end(), IsDecimalCommaToken)) return;
    out.clear();
    SplitOn(line, ',', out);
}

enum class Kind { Pair, FrequencyOnly, Single };

struct DataLine {
    std::size_t line;
    Kind kind;
    double first;  // frequency, or the level of a plain list entry
    double level;  // Pair only
    bool finite;   // Pair only: the level is a number (NaN or infinite otherwise)
};

// Line ends: LF, CR LF, or a lone CR. Returns the next line with its blanks
// trimmed and moves pos past it.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    const std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    return TrimBlanks(line);
}

bool HasExtension(std::string_view fileName, std::string_view ext) {
    const std::size_t slash = fileName.find_last_of("/\\");
    if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.size() - dot - 1 != ext.size()) return false;
    for (std::size_t i = 0; i < ext.size(); ++i)
        if (Lower(fileName[dot + 1 + i]) != ext[i]) return false;
    return true;
}

// A loudspeaker impedance export: "Impedance (ohms), Phase (degrees)",
// "Freq Ohm Deg", "Z [kOhm]", "|Z| Ω", "Импеданс". A letter before "ohm"
// other than a prefix (kOhm, MOhm, mOhm) makes it part of another word.
bool NamesImpedance(std::string_view line) {
    std::string low;
    for (char c : line) low += Lower(c);
    if (low.find("impedance") != std::string::npos) return true;
    for (std::size_t p = low.find("ohm"); p != std::string::npos; p = low.find("ohm", p + 1)) {
        const char before = p == 0 ? ' ' : low[p - 1];
        if (before < 'a' || before > 'z' || before == 'k' || before == 'm') return true;
    }
    // The ohm sign, the Greek capital omega used for it, and the Russian and
    // Belarusian word without its first letter (any case of it).
    return line.find("\xE2\x84\xA6") != std::string_view::npos ||
           line.find("\xCE\xA9") != std::string_view::npos ||
           line.find("\xD0\xBC\xD0\xBF\xD0\xB5\xD0\xB4\xD0\xB0\xD0\xBD\xD1\x81") !=
               std::string_view::npos;
}

MeasurementImport Fail(SpectrumError e, std::size_t line = 0) {
    MeasurementImport r;
    r.error = e;
    r.line = line;
    return r;
}

// UTF-16 files (some Windows programs write them) carry their numbers in the
// low bytes; anything outside ASCII is header text and becomes '?'.
std::string FromUtf16(std::string_view b, bool bigEndian) {
    std::string out;
    out.reserve(b.size() / 2);
    for (std::size_t i = 2; i + 1 < b.size(); i += 2) {
        const unsigned hi = static_cast<unsigned char>(bigEndian ? b[i] : b[i + 1]);
        const unsigned lo = static_cast<unsigned char>(bigEndian ? b[i + 1] : b[i]);
        const unsigned u = (hi << 8) | lo;
        out += u == 0 ? '\0' : u < 0x80 ? char(u) : '?';
    }
    return out;
}

bool IsBinary(std::string_view text) {
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        // Tab, line feed, vertical tab, form feed, carriage return, and the
        // end-of-file mark old DOS editors leave behind are text.
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' &&
             c != 0x1A) ||
            c == 0x7F)
            return true;
    }
    return false;
}

// Level of a band from its points' levels, summed as powers. Relative to the
// band's loudest point, so that no level, however large, overflows.
double PowerSumDb(const std::vector<double>& levels) {
    const double top = *std::max_element(levels.begin(), levels.end());
    double sum = 0;
    for (double l : levels) sum += std::pow(10.0, (l - top) / 10.0);
    return top + 10.0 * std::log10(sum);
}

// Shift to the top band, keep within the graph, round halves to even. The
// shift is snapped to a millionth of a dB first so that a level the file
// states exactly (82.5 under 85) is not pushed off its half by arithmetic.
void ToCurveLevels(const std::array<std::optional<double>, BandCount>& bands,
                   std::array<int32_t, 31>& out) {
    double top = -HUGE_VAL;
    for (const auto& b : bands)
        if (b) top = std::max(top, *b);
    for (int i = 0; i < BandCount; ++i) {
        if (!bands[size_t(i)]) {
            out[size_t(i)] = NoLevel;
            continue;
        }
        double rel = *bands[size_t(i)] - top;
        if (std::isfinite(rel) && std::fabs(rel) < 1e9) rel = std::nearbyint(rel * 1e6) / 1e6;
        rel = std::clamp(RoundHalfEven(rel), -40.0, 0.0);
        out[size_t(i)] = static_cast<int32_t>(rel);
    }
}

bool InBands(double hz) { return hz >= BandLowerEdgeHz(0) && hz < BandUpperEdgeHz(BandCount - 1); }

// The mark line as a spreadsheet may have saved it back: quoted, followed by
// the empty cells of the other column.
bool IsExportMark(std::string_view line) {
    while (!line.empty() && (line.back() == ',' || line.back() == ';' || IsBlank(line.back())))
        line.remove_suffix(1);
    return Trim(line) == CurveExportMark;
}

// An exported curve, read back as it stands: the 31 band centres in order,
// each with a whole level from -40 to 0 dB, or none (empty or -100). Anything
// else is a hand edit that the graph could not show; it is refused at its
// line rather than bent into a curve the user did not write.
MeasurementImport ReadExportedCurve(std::string_view text) {
    MeasurementImport r;
    r.exportedCurve = true;
    std::vector<std::string_view> fields;
    std::size_t lineNo = 0, pos = 0, rows = 0;
    while (pos < text.size()) {
        const std::string_view line = NextLine(text, pos);
        if (++lineNo > SpectrumMaxLines) return Fail(SpectrumError::TooLarge);
        if (line.empty()) continue;
        SplitFields(line, fields);
        const Parsed f = ParseNumber(fields[0]);
        if (f.kind == Num::NotNumber) continue;  // the mark, the column titles, comments
        const std::size_t band = rows++;
        if (band >= std::size_t(BandCount)) continue;  // counted, refused below
        if (f.kind != Num::Ok || f.value != BandGrid[band])
            return Fail(SpectrumError::ExportedRow, lineNo);
        int32_t level = NoLevel;
        if (fields.size() >= 2 && !fields[1].empty()) {
            const Parsed l = ParseNumber(fields[1]);
            if (l.kind != Num::Ok) return Fail(SpectrumError::ExportedRow, lineNo);
            if (l.value != NoLevel) {
                if (l.value < -40 || l.value > 0 || l.value != std::floor(l.value))
                    return Fail(SpectrumError::ExportedRow, lineNo);
                level = static_cast<int32_t>(l.value);
                ++r.points;
            }
        }
        r.levels[band] = level;
    }
    if (rows != std::size_t(BandCount)) {
        r = Fail(SpectrumError::WrongLevelCount);
        r.count = rows;
        return r;
    }
    if (r.points == 0) return Fail(SpectrumError::NoNumbers);
    return r;
}

}  // namespace

MeasurementImport ParseSpectrum(std::string_view bytes, std::string_view fileName) {
    if (HasExtension(fileName, "zma")) return Fail(SpectrumError::Impedance);
    if (bytes.size() > SpectrumMaxBytes) return Fail(SpectrumError::TooLarge);
    std::string decoded;
    std::string_view text = bytes;
    if (text.size() >= 2 &&
        ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF'))) {
        decoded = FromUtf16(text, text[0] == '\xFE');
        text = decoded;
    } else if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    if (IsBinary(text)) return Fail(SpectrumError::Binary);

    std::size_t pos = 0;
    std::string_view firstLine;
    while (pos < text.size() && firstLine.empty()) firstLine = NextLine(text, pos);
    if (IsExportMark(firstLine)) return ReadExportedCurve(text);

    std::vector<DataLine> data;
    std::vector<std::string_view> fields;
    std::vector<double> wideLine;  // a single line of numbers: maybe the 31 levels
    std::size_t lineNo = 0;
    bool anyText = false;
    pos = 0;
    while (pos < text.size()) {
        const std::string_view line = NextLine(text, pos);
        if (++lineNo > SpectrumMaxLines) return Fail(SpectrumError::TooLarge);
        if (line.empty()) continue;
        anyText = true;
        SplitFields(line, fields);
        const Parsed f = ParseNumber(fields[0]);
        if (f.kind == Num::NotFinite) return Fail(SpectrumError::NotFinite, lineNo);
        if (f.kind == Num::NotNumber) {  // a header or a comment
            if (data.empty() && NamesImpedance(line)) return Fail(SpectrumError::Impedance);
            continue;
        }
        if (fields.size() == 1) {
            data.push_back({lineNo, Kind::Single, f.value, 0, true});
            continue;
        }
        if (fields[1].empty()) {
            data.push_back({lineNo, Kind::FrequencyOnly, f.value, 0, true});
            continue;
        }
        const Parsed l = ParseNumber(fields[1]);
        if (l.kind == Num::NotNumber) {
            // "20 Hz - 20 kHz" is a title, "1000 -3x" a broken level.
            const char c = Lower(fields[1].front());
            if (c >= 'a' && c <= 'z') {
                if (data.empty() && NamesImpedance(line)) return Fail(SpectrumError::Impedance);
                continue;
            }
            return Fail(SpectrumError::NotANumber, lineNo);
        }
        // A NaN or infinite level is judged once its frequency is known to
        // lie in a band: an FFT's 0 Hz bin is often NaN.
        data.push_back({lineNo, Kind::Pair, f.value, l.value, l.kind == Num::Ok});
        if (data.size() == 1 && fields.size() == BandCount) {
            wideLine.clear();
            for (std::string_view fld : fields) {
                const Parsed p = ParseNumber(fld);
                if (p.kind != Num::Ok) break;
                wideLine.push_back(p.value);
            }
        }
    }
    if (!anyText) return Fail(SpectrumError::Empty);
    if (data.empty()) return Fail(SpectrumError::NoNumbers);

    MeasurementImport r;
    std::array<std::optional<double>, BandCount> bands{};

    // A plain list of levels: one per line, or all 31 on the only line.
    const bool allSingle = std::all_of(data.begin(), data.end(),
                                       [](const DataLine& d) { return d.kind == Kind::Single; });
    if (data.size() == 1 && wideLine.size() == BandCount) {
        for (int i = 0; i < BandCount; ++i) bands[size_t(i)] = wideLine[size_t(i)];
        r.points = BandCount;
        ToCurveLevels(bands, r.levels);
        return r;
    }
    if (allSingle) {
        if (data.size() != BandCount) {
            r = Fail(SpectrumError::WrongLevelCount);
            r.count = data.size();
            return r;
        }
        for (int i = 0; i < BandCount; ++i) bands[size_t(i)] = data[size_t(i)].first;
        r.points = BandCount;
        ToCurveLevels(bands, r.levels);
        return r;
    }

    // Frequency/level pairs. A lone number among them is a frequency whose
    // level was left empty: no point, but still a frequency. Points at 0 Hz
    // (an FFT's DC bin) and beyond the outer band edges are ignored, whatever
    // their level.
    for (const DataLine& d : data) {
        if (d.first < 0) return Fail(SpectrumError::BadFrequency, d.line);
        if (d.kind == Kind::Pair && !d.finite && InBands(d.first))
            return Fail(SpectrumError::NotFinite, d.line);
    }
    struct Place {
        double at;  // 3 * log2(hz / 20): band i spans i - 0.5 .. i + 0.5
        int band;   // -1 beyond the outer band edges
    };
    std::vector<Place> places;
    std::array<std::vector<double>, BandCount> perBand;
    for (const DataLine& d : data) {
        if (d.kind != Kind::Pair || d.first == 0 || !d.finite) continue;
        const double at = 3.0 * std::log2(d.first / 20.0);
        int band = -1;
        if (InBands(d.first)) {
            band = std::clamp(int(std::floor(at + 0.5)), 0, BandCount - 1);
            perBand[size_t(band)].push_back(d.level);
        }
        places.push_back({at, band});
    }
    const std::size_t points = places.size();
    if (points < 2) return Fail(SpectrumError::OnePoint);

    // What the file covers: each frequency stands for the stretch halfway to
    // its neighbours, the first and last as far outward as inward. Only the
    // bands at the ends of that range can be covered in part. A file of one
    // frequency has no spacing to tell its reach by; it counts as covering
    // its band.
    std::sort(places.begin(), places.end(),
              [](const Place& a, const Place& b) { return a.at < b.at; });
    places.erase(std::unique(places.begin(), places.end(),
                             [](const Place& a, const Place& b) { return a.at == b.at; }),
                 places.end());
    const std::size_t n = places.size();
    double from = -HUGE_VAL, to = HUGE_VAL;
    if (n >= 2) {
        from = places[0].at - (places[1].at - places[0].at) / 2;
        to = places[n - 1].at + (places[n - 1].at - places[n - 2].at) / 2;
    }
    std::array<double, BandCount> covered{};  // fraction of the band's width
    for (std::size_t k = 0; k < n; ++k) {
        if (places[k].band < 0) continue;
        const double below = k == 0 ? from : (places[k - 1].at + places[k].at) / 2;
        const double above = k + 1 == n ? to : (places[k].at + places[k + 1].at) / 2;
        covered[size_t(places[k].band)] += above - below;
    }

    int first = -1, last = -1;
    bool anyInBands = false;
    constexpr double Slack = 1e-9;  // arithmetic, not coverage
    for (int i = 0; i < BandCount; ++i) {
        if (perBand[size_t(i)].empty()) continue;
        anyInBands = true;
        double level = PowerSumDb(perBand[size_t(i)]);
        if (from > i - 0.5 + Slack || to < i + 0.5 - Slack) {
            // Estimated from the part covered, as if the rest went on alike.
            const double part = std::min(covered[size_t(i)], 1.0);
            if (part < 0.5 - Slack) continue;
            level -= 10.0 * std::log10(part);
        }
        bands[size_t(i)] = level;
        if (first < 0) first = i;
        last = i;
    }
    if (first < 0) return Fail(anyInBands ? SpectrumError::TooNarrow : SpectrumError::OutOfRange);
    // Centres are equally spaced in log frequency, so the straight line between
    // two bands' levels over the log-frequency axis is linear in the index.
    for (int i = first + 1; i < last; ++i) {
        if (bands[size_t(i)]) continue;
        int next = i + 1;
        while (!bands[size_t(next)]) ++next;
        const double a = *bands[size_t(i - 1)], b = *bands[size_t(next)];
        const double t = 1.0 / double(next - i + 1);
        bands[size_t(i)] = a + (b - a) * t;
    }
    r.points = points;
    ToCurveLevels(bands, r.levels);
    return r;
}

std::string ExportCurveCsv(const std::array<int32_t, 31>& levels) {
    std::string out(CurveExportMark);
    out += "\nFrequency (Hz),Level (dB)\n";
    for (int i = 0; i < BandCount; ++i) {
        out += std::to_string(BandGrid[size_t(i)]);
        out += ',';
        const int32_t l = levels[size_t(i)];
        if (l >= -40) out += std::to_string(std::min(l, int32_t{0}));
        out += '\n';
    }
    return out;
}

std::string CurveNameFromFileName(std::string_view path, int maxChars) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return TruncateUtf8(name, maxChars);
}

}  // namespace ampora
