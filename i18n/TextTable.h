#pragma once
// The interface text table (Menu.cds): one row per addressed control with its
// caption and hint in Russian, English and Belarusian.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/Table.h"

namespace ampora {

// GroupId, INum, IParent, ITag, IHint, IHintEng, IHintBel, TxtRus, TxtEng, TxtBel.
std::vector<FieldDef> TextTableFields();
std::unique_ptr<Table> MakeTextTable();

// A row of the delivered text form; nullopt is an empty (null) field.
struct TextRow {
    std::optional<std::string> groupId;
    std::optional<int32_t> iNum;
    std::optional<std::string> iParent;
    std::optional<int32_t> iTag;
    std::optional<std::string> hint[3];
    std::optional<std::string> text[3];
};

// Parses data/menu.tsv: tab-separated, every text field in double quotes
// ("" inside for a quote), a bare - for an empty field, # comments.
// Throws std::runtime_error with the line number on a malformed line.
std::vector<TextRow> ParseTextRows(const std::string& content);
void WriteTextTable(Table& table, const std::vector<TextRow>& rows);

enum class TextWindow { Main, Iec, About };
enum class TextTarget { Caption, Hint };

// One caption or hint that a row sets. For the main menu, objectName is the
// menu item's name; both twins of a curve command come as two assignments.
struct TextAssignment {
    TextWindow window;
    std::string objectName;  // "" for the About window's own caption
    TextTarget target;
    std::string text;
};

// Walks the table from its first row as the language switch does (first
// matching test wins, padded captions, later rows win by coming later) and
// returns what to set, in row order. langIndex: 0 Russian, 1 English,
// 2 Belarusian.
std::vector<TextAssignment> ResolveTexts(Table& table, int langIndex);

}  // namespace ampora
