#pragma once
// Design files (".ampora"): one Design as a small, versioned JSON text in
// UTF-8. Reading checks every value and says which one is wrong, so that a
// file is either taken whole or refused.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/Design.h"
#include "store/SafeFile.h"

namespace ampora {

inline constexpr const char* DesignFormatName = "ampora-design";
// Raise when a field changes meaning or a required field is added; a reader
// refuses files of a higher version instead of guessing at them. Version 2
// added the optional "powerHandling"; a design without it is still written as
// version 1, so older readers keep reading it.
inline constexpr int DesignFormatVersion = 2;
inline constexpr const char* DesignFileExtension = ".ampora";
// A design is a few hundred bytes; anything this big is not one.
inline constexpr std::uintmax_t MaxDesignFileBytes = 1024 * 1024;

enum class DesignIssue : uint8_t {
    None,
    CannotRead,   // file: why
    CannotWrite,  // file: why
    TooLarge,
    NotJson,         // detail: the parser's position
    NumberTooLarge,  // detail: the number as written
    Unreadable,      // detail: the JSON reader's own words
    WrongFormat,     // no "format": "ampora-design"
    BadVersion,      // missing or not a whole number from 1
    NewerVersion,    // detail: the file's version
    Missing,         // field
    NotNumber,       // field
    NotWholeNumber,  // field
    NotText,         // field
    NotTrueFalse,    // field
    NotPositive,     // field
    OutOfRange,      // field, detail: "low … high"
    LevelCount,      // field, detail: the count found
    NameTooLong,     // field
    UnknownFilter,   // field
    BadOrder,        // field
    BadSeparator,    // field
    NotObject,       // field
    IecTweeterOnly,  // field
};

struct DesignProblem {
    DesignIssue issue = DesignIssue::None;
    std::string field = {};  // the value's path in the file, e.g. "bass.impedanceOhm"
    std::string detail = {};
    FileStatus file = {};  // CannotRead, CannotWrite
    explicit operator bool() const { return issue != DesignIssue::None; }
};

struct DesignRead {
    std::optional<Design> design;  // set exactly when problem is None
    DesignProblem problem;
};

// The file's text for a design.
std::string EncodeDesign(const Design& design);
// A design from a file's text; sensitivities and impedances are taken to the
// tenth, as the input boxes hold them. Never throws: whatever fails is the
// problem.
DesignRead DecodeDesign(std::string_view text);
// The checks DecodeDesign applies to the values, for a design about to be
// written (a file the program cannot read back is never written).
DesignProblem CheckDesign(const Design& design);

// Both through store/SafeFile: reading takes regular files only, without
// blocking; writing replaces the file whole or leaves it as it was.
DesignRead ReadDesignFile(const std::string& path);
DesignProblem WriteDesignFile(const std::string& path, const Design& design);

// Whether a file given to the window (on its command line, by a drop) is a
// design: one named *.ampora (in any case, so that a broken one is refused
// with its own problem), or a text whose top-level "format" is the design
// format's, whatever it is called. Anything else is taken as a spectrum.
bool IsDesignFile(const std::string& path);

// The problem as a sentence in language 0 Russian, 1 English, 2 Belarusian.
std::string DesignProblemText(const DesignProblem& problem, int language);

}  // namespace ampora
