#pragma once
// Measured programme spectra in and out: a text file of frequency/level pairs
// (or a plain list of 31 levels), as room-measurement and analyser programs
// export them, turned into the 31 band levels of a curve; and a curve written
// back as CSV, which this reader recognises and takes as it stands.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ampora {

// Larger inputs are refused before any work is done on them. A 65,536-point
// FFT export has 32,768 lines; a million lines is no spectrum anybody exports.
inline constexpr std::size_t SpectrumMaxLines = 200000;
inline constexpr std::size_t SpectrumMaxBytes = 16u << 20;

// Band edges are a sixth of an octave either side of the centre
// 20 * 2^(i/3); points outside the lowest and highest edges are not used.
double BandLowerEdgeHz(int band);
double BandUpperEdgeHz(int band);

enum class SpectrumError {
    None,
    Binary,           // not text (NUL bytes, control characters)
    TooLarge,         // more than SpectrumMaxBytes or SpectrumMaxLines
    Empty,            // nothing but blanks
    NoNumbers,        // text without a single frequency/level pair
    NotANumber,       // a data line whose level is not a number (line)
    NotFinite,        // NaN or infinity (line)
    BadFrequency,     // a frequency of zero or below (line)
    OnePoint,         // fewer than two points
    OutOfRange,       // no point between the lowest and highest band edge
    TooNarrow,        // points in the bands, but none covers half a band
    WrongLevelCount,  // a plain list of levels that is not 31 long (count)
    Impedance,        // a loudspeaker impedance file (.zma, or its header says so)
    ExportedRow,      // a row of an exported curve that is not one (line)
};

// The first line of an exported curve. Other programs skip it as a comment
// or show it as text; this reader takes what follows as a curve.
inline constexpr std::string_view CurveExportMark = "# Ampora curve export";

struct MeasurementImport {
    SpectrumError error = SpectrumError::None;
    std::size_t line = 0;    // 1-based line of the fault, 0 when it has none
    std::size_t count = 0;   // WrongLevelCount: how many levels the list held
    std::size_t points = 0;  // points read (pairs or list entries)
    // Curve levels in whole dB, -40..0; NoLevel (-100) for a band that
    // neither holds a point nor lies between two that do. A measurement has
    // its top band at 0; an exported curve keeps its levels as they were.
    std::array<int32_t, 31> levels{};
    bool exportedCurve = false;  // read as one of this program's exports
};

// Reads the file's bytes; fileName (or a path) is only looked at for its
// extension. Comma, semicolon, tab or blanks separate the columns; '.' or ','
// is the decimal mark; lines that do not start with a number (headers,
// comments) are skipped; a frequency without a level is no point. The first
// two columns are frequency (Hz) and level (dB, any reference). Points at
// 0 Hz and beyond the outer band edges are ignored, whatever their level.
// Each band takes the power sum of its points; a band at either end of the
// file's range that the points cover only in part is estimated from the part
// covered, or left without level when that is less than half of it. Bands
// without a point between two with one are interpolated in dB on the
// log-frequency axis; the result is shifted so that the highest band is 0 dB,
// kept to -40..0 and rounded, halves to even. Also accepts a plain list of 31
// levels, one per line or all on one line, and reads an exported curve (see
// ExportCurveCsv) exactly as it was written.
MeasurementImport ParseSpectrum(std::string_view bytes, std::string_view fileName = {});

// The curve's levels as CSV: CurveExportMark, a header row, then band centre
// (Hz) and level (dB) per band; a band without a level (below -40) has an
// empty level, a level above 0 is written as 0.
std::string ExportCurveCsv(const std::array<int32_t, 31>& levels);

// A curve name from a file name: the name without folder and extension,
// at most maxChars characters (whole UTF-8 characters).
std::string CurveNameFromFileName(std::string_view path, int maxChars);

}  // namespace ampora
