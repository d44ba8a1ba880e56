#include "i18n/TextTable.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

namespace ampora {

namespace {

constexpr int FieldCount = 10;
constexpr int ITagPos = 3, HintPos = 4, CaptionPos = 7;
constexpr int MenuCaptionLength = 255;

bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80             ? 1
                  : (b & 0xE0) == 0xC0 ? 2
                  : (b & 0xF0) == 0xE0 ? 3
                  : (b & 0xF8) == 0xF0 ? 4
                                       : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (int k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

size_t CodePoints(std::string_view s) {
    size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// Splits one line at its tabs; a quoted field comes back unquoted (a tab
// inside quotes is text), a bare field as written.
struct RawField {
    std::string value;
    bool quoted = false;
};

std::vector<RawField> SplitLine(std::string_view line, const std::string& where) {
    std::vector<RawField> out;
    size_t i = 0;
    while (true) {
        RawField f;
        if (i < line.size() && line[i] == '"') {
            f.quoted = true;
            ++i;
            while (true) {
                if (i >= line.size())
                    throw std::runtime_error(where + ": a quoted text is not closed");
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        f.value += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                f.value += line[i++];
            }
            if (i < line.size() && line[i] != '\t')
                throw std::runtime_error(where + ": text after the closing quote of field " +
                                         std::to_string(out.size() + 1));
        } else {
            const size_t tab = line.find('\t', i);
            f.value = std::string(
                line.substr(i, tab == std::string_view::npos ? std::string_view::npos : tab - i));
            i = tab == std::string_view::npos ? line.size() : tab;
        }
        out.push_back(std::move(f));
        if (i >= line.size()) break;
        ++i;  // the tab
    }
    return out;
}

const char* const MenuItems[][3] = {
    {"10000", "MenuFile", nullptr},
    {"10100", "SubMenuCurve", nullptr},
    {"10101", "CmdCurveNew", "PopUpCurveNew"},
    {"10102", "CmdCurveOpen", "PopUpCurveOpen"},
    {"10103", "CmdCurveSave", "PopUpCurveSave"},
    {"10104", "CmdCurveSaveAs", "PopUpCurveSaveAs"},
    {"10109", "CmdCurveDelete", "PopUpCurveDelete"},
    {"10200", "SubMenuProject", nullptr},
    {"10201", "CmdProjOpen", nullptr},
    {"10202", "CmdProjSave", nullptr},
    {"10203", "CmdProjSaveAs", nullptr},
    {"10900", "CmdFileExit", nullptr},
    {"20000", "MenuService", nullptr},
    {"20100", "CmdIecGost", nullptr},
    {"30000", "MenuLanguage", nullptr},
    {"30100", "CmdLangRus", nullptr},
    {"30200", "CmdLangEng", nullptr},
    {"30300", "CmdLangBel", nullptr},
    {"90000", "MenuHelp", nullptr},
    {"90100", "CmdHelpHelp", nullptr},
    {"90900", "CmdHelpAbout", nullptr},
};

bool IsMainLabel(int n) {
    return n == 19 || n == 20 || (n >= 30 && n <= 38) || n == 44 || (n >= 50 && n <= 53);
}

std::string Padded(const std::string& text, int blanks) {
    const std::string pad(static_cast<size_t>(blanks), ' ');
    return pad + text + pad;
}

class ControlsSuspended {
public:
    explicit ControlsSuspended(Table& t) : t_(t) { t_.disableControls(); }
    ~ControlsSuspended() { t_.enableControls(); }
    ControlsSuspended(const ControlsSuspended&) = delete;
    ControlsSuspended& operator=(const ControlsSuspended&) = delete;

private:
    Table& t_;
};

// Applies the row under the cursor: the first test whose group and owner
// match decides, whether or not its number is one it knows.
void ResolveRow(const Table& table, int lang, std::vector<TextAssignment>& out) {
    const std::string group = table.fieldText("GroupId");
    const std::string owner = table.fieldText("IParent");
    const int numPos = table.fieldIndex("INum");
    std::optional<int32_t> num;
    if (numPos >= 0 && !table.fieldIsNull(numPos)) num = table.fieldInt(numPos);
    const std::string caption = table.fieldText(CaptionPos + lang);
    auto set = [&](TextWindow w, std::string name, TextTarget target, std::string text) {
        out.push_back({w, std::move(name), target, std::move(text)});
    };

    if (group == "Mnu" && num == 1 && owner == "F_Main") {
        if (table.fieldIsNull(ITagPos)) return;
        const std::string tag = std::to_string(table.fieldInt(ITagPos));
        for (const auto& item : MenuItems) {
            if (tag != item[0]) continue;
            const std::string text = TruncateUtf8(caption, MenuCaptionLength);
            set(TextWindow::Main, item[1], TextTarget::Caption, text);
            if (item[2]) set(TextWindow::Main, item[2], TextTarget::Caption, text);
        }
        return;
    }
    if (group == "Frm" && owner == "F_About") {
        set(TextWindow::About, "", TextTarget::Caption, caption);
        return;
    }
    const bool main = owner == "F_Main", iec = owner == "F_IecGost";
    const bool known =
        (main && (group == "But" || group == "GrB" || group == "Ckb" || group == "Lbl")) ||
        (iec && (group == "Lbl" || group == "Grb"));
    if (!known || !num) return;
    const int n = *num;
    const std::string hint = table.fieldText(HintPos + lang);

    if (group == "But") {
        if (n == 1 || n == 2) {
            const char* name = n == 1 ? "ButCalc" : "ButFType";
            set(TextWindow::Main, name, TextTarget::Hint, hint);
            set(TextWindow::Main, name, TextTarget::Caption, caption);
        } else if (n == 3) {
            set(TextWindow::Main, "ButCancel", TextTarget::Caption, caption);
        }
    } else if (group == "GrB") {
        if (n == 1 || n == 3)
            set(TextWindow::Main, "GroupBox" + std::to_string(n), TextTarget::Caption,
                Padded(caption, 3));
        else if (n == 2)
            set(TextWindow::Main, "CheckBoxMid", TextTarget::Caption, caption);
    } else if (group == "Ckb") {
        if (n == 1 || n == 2) {
            set(TextWindow::Main, "CBMidEq", TextTarget::Caption, Padded(caption, 1));
            set(TextWindow::Main, "CBHighEq", TextTarget::Caption, Padded(caption, 1));
        }
    } else if (group == "Lbl" && main) {
        if (IsMainLabel(n))
            set(TextWindow::Main, "Label" + std::to_string(n), TextTarget::Caption, caption);
    } else if (group == "Lbl") {
        if (n == 1 || (n >= 3 && n <= 5))
            set(TextWindow::Iec, "Label" + std::to_string(n), TextTarget::Caption, caption);
    } else if (n >= 1 && n <= 3) {  // "Grb" of the IEC tool
        set(TextWindow::Iec, "GroupBox" + std::to_string(n), TextTarget::Caption,
            Padded(caption, 1));
    }
}

}  // namespace

std::vector<FieldDef> TextTableFields() {
    return {
        {"GroupId", FieldType::String, 3},   {"INum", FieldType::Int, 0},
        {"IParent", FieldType::String, 20},  {"ITag", FieldType::Int, 0},
        {"IHint", FieldType::String, 30},    {"IHintEng", FieldType::String, 30},
        {"IHintBel", FieldType::String, 30}, {"TxtRus", FieldType::String, 100},
        {"TxtEng", FieldType::String, 100},  {"TxtBel", FieldType::String, 100},
    };
}

std::unique_ptr<Table> MakeTextTable() { return std::make_unique<Table>(TextTableFields()); }

std::vector<TextRow> ParseTextRows(const std::string& content) {
    const std::vector<FieldDef> fields = TextTableFields();
    std::vector<TextRow> rows;
    std::string_view rest(content);
    if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
    for (int lineNo = 1; !rest.empty(); ++lineNo) {
        const size_t eol = rest.find('\n');
        std::string_view line = rest.substr(0, eol);
        rest.remove_prefix(eol == std::string_view::npos ? rest.size() : eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;

        const std::string where = "line " + std::to_string(lineNo);
        if (!ValidUtf8(line)) throw std::runtime_error(where + ": not valid UTF-8");
        const std::vector<RawField> raw = SplitLine(line, where);
        if (raw.size() != FieldCount)
            throw std::runtime_error(where + ": " + std::to_string(raw.size()) +
                                     " fields, expected " + std::to_string(FieldCount));

        std::optional<std::string> text[FieldCount];
        std::optional<int32_t> number[FieldCount];
        for (int k = 0; k < FieldCount; ++k) {
            const RawField& f = raw[k];
            const FieldDef& def = fields[k];
            const std::string what = where + ", " + def.name;
            if (!f.quoted && f.value == "-") continue;
            if (def.type == FieldType::Int) {
                int32_t v = 0;
                const char* end = f.value.data() + f.value.size();
                auto [ptr, ec] = std::from_chars(f.value.data(), end, v);
                if (f.quoted || f.value.empty() || ec != std::errc() || ptr != end)
                    throw std::runtime_error(what + ": \"" + f.value +
                                             "\" is not a whole number or -");
                number[k] = v;
            } else {
                if (!f.quoted)
                    throw std::runtime_error(what +
                                             ": text must be in double quotes (or - for none)");
                if (CodePoints(f.value) > static_cast<size_t>(def.maxLength))
                    throw std::runtime_error(what + ": longer than " +
                                             std::to_string(def.maxLength) + " characters");
                text[k] = f.value;
            }
        }
        TextRow row;
        row.groupId = text[0];
        row.iNum = number[1];
        row.iParent = text[2];
        row.iTag = number[3];
        for (int l = 0; l < 3; ++l) {
            row.hint[l] = text[HintPos + l];
            row.text[l] = text[CaptionPos + l];
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void WriteTextTable(Table& table, const std::vector<TextRow>& rows) {
    auto setText = [&](int pos, const std::optional<std::string>& v) {
        if (v)
            table.setField(pos, std::string_view(*v));
        else
            table.setNull(pos);
    };
    auto setInt = [&](int pos, const std::optional<int32_t>& v) {
        if (v)
            table.setField(pos, *v);
        else
            table.setNull(pos);
    };
    for (const TextRow& row : rows) {
        table.insert();
        setText(0, row.groupId);
        setInt(1, row.iNum);
        setText(2, row.iParent);
        setInt(ITagPos, row.iTag);
        for (int l = 0; l < 3; ++l) {
            setText(HintPos + l, row.hint[l]);
            setText(CaptionPos + l, row.text[l]);
        }
        table.post();
    }
}

std::vector<TextAssignment> ResolveTexts(Table& table, int langIndex) {
    if (langIndex < 0 || langIndex > 2)
        throw std::invalid_argument("language index " + std::to_string(langIndex) + " is not 0..2");
    std::vector<TextAssignment> out;
    const int n = table.recordCount();
    ControlsSuspended suspended(table);
    table.first();
    for (int k = 0; k < n; ++k) {
        ResolveRow(table, langIndex, out);
        table.next();
    }
    return out;
}

}  // namespace ampora
