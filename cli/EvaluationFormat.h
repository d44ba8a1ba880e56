#pragma once
// Evaluations as text for people, JSON for programs and CSV for spreadsheets.
// The command line prints them; reports reuse them.

#include <string>
#include <string_view>

#include "calc/DesignFile.h"
#include "calc/Evaluate.h"

namespace ampora {

// One evaluated file: a design that was read (with its evaluation), or the
// problem that refused it.
struct EvaluatedFile {
    std::string path;
    DesignProblem problem;  // set: the file was refused, nothing else is
    Design design;
    Evaluation evaluation;
};

// "ok", "stopped" or "error".
const char* StatusName(const EvaluatedFile& f);
// The stop's name in JSON ("tweeterTooWeak"), "" for None.
const char* StopName(CalcStop stop);

// A block for one file: the window's numbers and units, labels in language
// 0 Russian, 1 English, 2 Belarusian, numbers with the design's separator.
std::string EvaluationText(const EvaluatedFile& f, int language);

// One JSON object with everything the evaluation holds, per-band data
// included; numbers unrounded, in JSON's own notation.
std::string EvaluationJson(const EvaluatedFile& f, int language);

// CSV with fixed columns, RFC 4180 quoting, CRLF line ends and '.' as the
// decimal separator; numbers rounded as the window shows them.
std::string CsvHeader();
std::string CsvRow(const EvaluatedFile& f, int language);
// A text cell (a file or spectrum name, a message; never a number): valid
// UTF-8, a leading ' before = + - @ tab or CR so that a spreadsheet does not
// take it for a formula, quoted when it has to be.
std::string CsvField(const std::string& value);

// File names are bytes: the outputs that must be UTF-8 (JSON, CSV) get each
// invalid sequence as U+FFFD, the rest unchanged.
std::string ValidUtf8(std::string_view text);
// Text for a terminal: control characters (C0 such as ESC, CR, LF and tab,
// DEL, C1 in UTF-8 or as single bytes) as \xNN or \u00NN, so that a name
// can neither drive the terminal nor fake a line; everything else, invalid
// UTF-8 included, exactly as it is.
std::string TerminalText(std::string_view text);

}  // namespace ampora
