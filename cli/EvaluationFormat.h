#pragma once
// Evaluations as text for people, JSON for programs and CSV for spreadsheets.
// The command line prints them; reports reuse them.

#include <string>

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
// A field quoted when it has to be.
std::string CsvField(const std::string& value);

}  // namespace ampora
