#include "i18n/TextTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

using namespace ampora;

namespace {

struct Expected {
    const char* group;
    std::optional<int32_t> num;
    const char* parent;
    std::optional<int32_t> tag;
    const char* rus;
    const char* eng;
    const char* bel;
};

constexpr auto N = std::nullopt;

// The delivered rows in stored order.
const Expected Delivered[] = {
    {"Mnu", 1, "F_Main", 10000, "Файл", "File", "Файл"},
    {"Mnu", 1, "F_Main", 10100, "Кривая", "Curve", "Крывая"},
    {"Mnu", 1, "F_Main", 10200, "Проект", "Project", "Праект"},
    {"Mnu", 1, "F_Main", 10101, "Создать", "New", "Стварыць"},
    {"Mnu", 1, "F_Main", 10102, "Загрузить", "Open", "Загрузіць"},
    {"Mnu", 1, "F_Main", 10103, "Сохранить", "Save", "Захаваць"},
    {"Mnu", 1, "F_Main", 10104, "Сохранить как...", "Save As...", "Захаваць як..."},
    {"Mnu", 1, "F_Main", 10109, "Удалить", "Delete", "Выдаліць"},
    {"Mnu", 1, "F_Main", 20000, "Сервис", "Service", "Сервіс"},
    {"Mnu", 1, "F_Main", 30000, "Язык", "Language", "Мова"},
    {"Mnu", 1, "F_Main", 90000, "Справка", "Help", "Даведка"},
    {"Mnu", 1, "F_Main", 90100, "Помощь", "Contents", "Дапамога"},
    {"Mnu", 1, "F_Main", 90900, "О программе", "About", "Аб праграме"},
    {"Mnu", 1, "F_Main", 10900, "Выход", "Exit", "Выхад"},
    {"Mnu", 1, "F_Main", 30200, "English", "English", "English"},
    {"Mnu", 1, "F_Main", 10201, "Загрузить", "Open", "Загрузіць"},
    {"Mnu", 1, "F_Main", 10202, "Сохранить", "Save", "Захаваць"},
    {"Mnu", 1, "F_Main", 10203, "Сохранить как...", "Save As...", "Захаваць як..."},
    {"But", 2, "F_Main", N, "один для всех", "one for all", "адзін для ўсіх"},
    {"But", 1, "F_Main", N, "Счёт!", "Calc!", "Лік!"},
    {"GrB", 3, "F_Main", N, "динамик ВЧ", "Tweeter", "дынамік ВЧ"},
    {"GrB", 1, "F_Main", N, "динамик НЧ", "Bass", "дынамік НЧ"},
    {"GrB", 2, "F_Main", N, "динамик СЧ", "Midrange", "дынамік СЧ"},
    {"Lbl", 19, "F_Main", N, "Уровень", "Level", "Узровень"},
    {"Lbl", 20, "F_Main", N, "Частота", "Frequency", "Частата"},
    {"Lbl", 51, "F_Main", N, "Тип фильтра", "Filter type", "Тып фільтра"},
    {"Lbl", 52, "F_Main", N, "Порядок фильтра", "Filter order", "Парадак фільтра"},
    {"But", 3, "F_Main", N, "Отмена", "Cancel", "Адмена"},
    {"Frm", 1, "F_About", N, " О программе", " About program", "Аб праграме"},
    {"Mnu", 1, "F_Main", 30100, "Русский", "Russian", "Руская"},
    {"Mnu", 1, "F_Main", 30300, "Белорусский", "Belarussian", "Беларуская"},
    {"Lbl", 31, "F_Main", N, "Спектральное распределение мощности сигнала",
     "Spectral density of signal power", "Спектральнае размеркаванне магутнасці сігналу"},
    {"Shp", 7, "F_Main", N, nullptr, nullptr, nullptr},
    {"Grb", 1, "F_IecGost", N, "Паспортные данные по IEC", "Passport data, IEC",
     "Пашпартныя даныя па IEC"},
    {"Grb", 2, "F_IecGost", N, "Реально допустимо", "Real power", "Рэальна дапушчальна"},
    {"Grb", 3, "F_IecGost", N,
     "Расчёт реально допустимой мощности ВЧ головки по паспортным данным ( IEC )",
     "Calc real power for tweeter according to passport data ( IEC )",
     "Разлік рэальна дапушчпльнай магутнасці ВЧ галоўкі па пашпартным дадзеным ( IEC )"},
    {"Lbl", 1, "F_IecGost", N, "Максимальная мощность, Вт", "Max power, W",
     "Максімальная магутнасць, Вт"},
    {"Lbl", 3, "F_IecGost", N, "При условиях:", "Conditions:", "Пры ўмовах:"},
    {"Lbl", 4, "F_IecGost", N, "Частота среза ФВЧ, Гц", "HP filter cut frequency, Hz",
     "Частата зрэзу ФВЧ, Гц"},
    {"Lbl", 5, "F_IecGost", N, "Порядок ФВЧ", "HP filter order", "Парадак ФВЧ"},
    {"Mnu", 1, "F_Main", 20100, "IEC -> реальная мощность", "IEC -> real power",
     "IEC -> рэальная магутнасць"},
    {"Lbl", 30, "F_Main", N, "Классика", "Classic", "Класіка"},
    {"Lbl", 32, "F_Main", N, "Рок", "Rock", "Рок"},
    {"Lbl", 33, "F_Main", N, "Шум белый", "White noise", "Шум белы"},
    {"Lbl", 34, "F_Main", N, "Шум розовый", "Pink noise", "Шум ружовы"},
    {"Lbl", 35, "F_Main", N, "Другая", "Other", "Іншая"},
    {"Lbl", 53, "F_Main", N, "Нагрузка по мощности, Вт", "Power load, W",
     "Нагрузка па магутнасці, Вт"},
    {"Lbl", 36, "F_Main", N, "Мощность усилителя, Вт", "Amplifier output power, W",
     "Магутнасць узмацняльніка, Вт"},
    {"Lbl", 37, "F_Main", N, "Характ. чувствительность, дБ/Вт/м",
     "Characteristic sensitivity, dB/W/m", "Характ. адчувальнасць, дБ/Вт/м"},
    {"Lbl", 38, "F_Main", N, "Номинальный импеданс, Ом", "Rated impedanse, Ohm",
     "Намінальны імпеданс, Ом"},
    {"Lbl", 50, "F_Main", N, "Частота раздела, Гц", "Cut frequency, Hz", "Частата падзела, Гц"},
    {"Lbl", 44, "F_Main", N, "Общий SPL на 1 м, дБ", "Total SPL at 1 m, dB",
     "Агульны SPL на 1 м, дБ"},
    {"Ckb", 1, "F_Main", N, "ровнять  Z", "equalize  Z", "раўнаваць  Z"},
};

// Hints by row number (1-based); every other row has none.
std::array<std::optional<std::string>, 3> HintsOf(int row) {
    if (row == 19)
        return {"Тип и порядок как для НЧ", "Type & order like LF", "Тып і парадак як для НЧ"};
    if (row == 20) return {"Выполнить расчёт", "Do calculations", "Выканаць разлік"};
    if (row == 33) return {"ГОСТ", "GOST", "ДАСТ"};
    if (row >= 42 && row <= 46) return {"", "", ""};
    return {};
}

std::optional<std::string> Opt(const char* s) {
    return s ? std::optional<std::string>(s) : std::nullopt;
}

std::optional<std::string> TextOf(const Table& t, int pos) {
    return t.fieldIsNull(pos) ? std::nullopt : std::optional<std::string>(t.fieldText(pos));
}
std::optional<int32_t> IntOf(const Table& t, int pos) {
    return t.fieldIsNull(pos) ? std::nullopt : std::optional<int32_t>(t.fieldInt(pos));
}

std::unique_ptr<Table> LoadMenuTable() {
    auto t = MakeTextTable();
    t->setFileName(AMPORA_MENU_CDS);
    t->load();
    return t;
}

// Final text per (window, object, target) after applying in order.
using Applied = std::map<std::tuple<TextWindow, std::string, TextTarget>, std::string>;
Applied Apply(const std::vector<TextAssignment>& list) {
    Applied out;
    for (const auto& a : list) out[{a.window, a.objectName, a.target}] = a.text;
    return out;
}

std::string Caption(const Applied& a, TextWindow w, const std::string& name) {
    auto it = a.find({w, name, TextTarget::Caption});
    return it == a.end() ? "<unset>" : it->second;
}

std::unique_ptr<Table> TableOf(const std::string& tsv) {
    auto t = MakeTextTable();
    t->createEmpty();
    WriteTextTable(*t, ParseTextRows(tsv));
    return t;
}

}  // namespace

TEST(TextTableFile, GeneratedFileHoldsEveryDeliveredRow) {
    auto t = LoadMenuTable();
    ASSERT_EQ(t->recordCount(), 53);
    const std::vector<std::string> names = {"GroupId",  "INum",     "IParent", "ITag",   "IHint",
                                            "IHintEng", "IHintBel", "TxtRus",  "TxtEng", "TxtBel"};
    for (size_t k = 0; k < names.size(); ++k) EXPECT_EQ(t->fields()[k].name, names[k]);
    t->first();
    for (int row = 1; row <= 53; ++row, t->next()) {
        SCOPED_TRACE("row " + std::to_string(row));
        const Expected& e = Delivered[row - 1];
        EXPECT_EQ(TextOf(*t, 0), Opt(e.group));
        EXPECT_EQ(IntOf(*t, 1), e.num);
        EXPECT_EQ(TextOf(*t, 2), Opt(e.parent));
        EXPECT_EQ(IntOf(*t, 3), e.tag);
        const auto hints = HintsOf(row);
        for (int l = 0; l < 3; ++l) EXPECT_EQ(TextOf(*t, 4 + l), hints[l]) << "hint " << l;
        EXPECT_EQ(TextOf(*t, 7), Opt(e.rus));
        EXPECT_EQ(TextOf(*t, 8), Opt(e.eng));
        EXPECT_EQ(TextOf(*t, 9), Opt(e.bel));
    }
}

TEST(TextTableResolve, DeliveredTableInEachLanguage) {
    auto t = LoadMenuTable();
    const Applied rus = Apply(ResolveTexts(*t, 0));
    const Applied eng = Apply(ResolveTexts(*t, 1));
    const Applied bel = Apply(ResolveTexts(*t, 2));
    for (const Applied* a : {&rus, &eng, &bel})
        EXPECT_EQ(Caption(*a, TextWindow::Main, "CmdLangEng"), "English");
    EXPECT_EQ(Caption(bel, TextWindow::Main, "CmdLangBel"), "Беларуская");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "GroupBox1"), "   Bass   ");
    EXPECT_EQ(Caption(rus, TextWindow::Main, "GroupBox3"), "   динамик ВЧ   ");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "CheckBoxMid"), "Midrange");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "CBMidEq"), " equalize  Z ");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "CBHighEq"), " equalize  Z ");
    EXPECT_EQ(Caption(rus, TextWindow::Iec, "GroupBox1"), " Паспортные данные по IEC ");
    EXPECT_EQ(Caption(rus, TextWindow::Iec, "Label5"), "Порядок ФВЧ");
    EXPECT_EQ(Caption(eng, TextWindow::About, ""), " About program");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "PopUpCurveSaveAs"), "Save As...");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "CmdCurveSaveAs"), "Save As...");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "ButCalc"), "Calc!");
    EXPECT_EQ(eng.at({TextWindow::Main, "ButCalc", TextTarget::Hint}), "Do calculations");
    EXPECT_EQ(bel.at({TextWindow::Main, "ButFType", TextTarget::Hint}), "Тып і парадак як для НЧ");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "Label33"), "White noise");
    EXPECT_EQ(Caption(eng, TextWindow::Main, "Label29"), "<unset>");
    // 21 menu codes (5 with a pop-up twin), 3 button captions + 2 hints, 3
    // channel boxes, 2 check boxes, 16 labels, IEC tool 4 labels + 3 boxes, About.
    EXPECT_EQ(eng.size(), 26u + 5u + 3u + 2u + 16u + 7u + 1u);
    for (const auto& [key, text] : eng) EXPECT_EQ(text.find("GOST"), std::string::npos);
}

struct NoEffect {
    const char* label;
    const char* row;
};

class RowWithoutEffect : public testing::TestWithParam<NoEffect> {};

TEST_P(RowWithoutEffect, ChangesNothing) {
    auto t = TableOf(GetParam().row);
    EXPECT_TRUE(ResolveTexts(*t, 1).empty());
}

INSTANTIATE_TEST_SUITE_P(
    TextTableResolve, RowWithoutEffect,
    testing::Values(
        NoEffect{"CheckBox3", "\"Ckb\"\t3\t\"F_Main\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"MenuNum2", "\"Mnu\"\t2\t\"F_Main\"\t10000\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"MenuNullNum", "\"Mnu\"\t-\t\"F_Main\"\t10000\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"MenuUnlistedTag", "\"Mnu\"\t1\t\"F_Main\"\t10300\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"MenuNullTag", "\"Mnu\"\t1\t\"F_Main\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"IecBoxOnMain", "\"Grb\"\t1\t\"F_Main\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"MainBoxOnIec", "\"GrB\"\t1\t\"F_IecGost\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"Shape", "\"Shp\"\t7\t\"F_Main\"\t-\t\"ГОСТ\"\t\"GOST\"\t\"ДАСТ\"\t-\t-\t-"},
        NoEffect{"Label29", "\"Lbl\"\t29\t\"F_Main\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"IecLabel2", "\"Lbl\"\t2\t\"F_IecGost\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"ButtonNullNum", "\"But\"\t-\t\"F_Main\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"Button4", "\"But\"\t4\t\"F_Main\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"AboutOnMain", "\"Frm\"\t1\t\"F_Main\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""},
        NoEffect{"LowerCaseGroup", "\"lbl\"\t19\t\"F_Main\"\t-\t-\t-\t-\t\"x\"\t\"x\"\t\"x\""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(TextTableResolve, LaterRowWinsAndNullsReadAsEmpty) {
    auto t = TableOf(
        "\"Lbl\"\t19\t\"F_Main\"\t-\t-\t-\t-\t\"first\"\t\"first\"\t\"first\"\n"
        "\"Frm\"\t-\t\"F_About\"\t-\t-\t-\t-\t\"about\"\t\"about\"\t\"about\"\n"
        "\"But\"\t1\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-\n"
        "\"Lbl\"\t19\t\"F_Main\"\t-\t-\t-\t-\t\"second\"\t\"second\"\t\"second\"\n");
    int notified = 0;
    t->setObserver([&] { ++notified; });
    const auto list = ResolveTexts(*t, 0);
    EXPECT_EQ(notified, 1);  // once, when the walk is over
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].text, "first");
    EXPECT_EQ(list[4].text, "second");
    const Applied a = Apply(list);
    EXPECT_EQ(Caption(a, TextWindow::Main, "Label19"), "second");
    EXPECT_EQ(Caption(a, TextWindow::About, ""), "about");
    EXPECT_EQ(Caption(a, TextWindow::Main, "ButCalc"), "");
    EXPECT_EQ(a.at({TextWindow::Main, "ButCalc", TextTarget::Hint}), "");
    EXPECT_THROW(ResolveTexts(*t, 3), std::invalid_argument);
}

TEST(TextTableParse, QuotesCommentsAndLineEndings) {
    const auto rows = ParseTextRows(
        "\xEF\xBB\xBF# header\r\n"
        "\n"
        "\"Lbl\"\t-12\t\"F_Main\"\t-\t\"\"\t-\t\"a \"\"b\"\"\t\"\t\"  x \"\t-\t\"-\"\r\n");
    ASSERT_EQ(rows.size(), 1u);
    const TextRow& r = rows[0];
    EXPECT_EQ(r.groupId, "Lbl");
    EXPECT_EQ(r.iNum, -12);
    EXPECT_FALSE(r.iTag);
    EXPECT_EQ(r.hint[0], "");
    EXPECT_FALSE(r.hint[1]);
    EXPECT_EQ(r.hint[2], "a \"b\"\t");
    EXPECT_EQ(r.text[0], "  x ");
    EXPECT_FALSE(r.text[1]);
    EXPECT_EQ(r.text[2], "-");
}

struct BadLine {
    const char* label;
    const char* line;
};

class MalformedLine : public testing::TestWithParam<BadLine> {};

TEST_P(MalformedLine, IsRejectedWithItsLineNumber) {
    const std::string content =
        std::string("# ok\n\"Lbl\"\t1\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-\n") + GetParam().line + "\n";
    try {
        ParseTextRows(content);
        ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    TextTableParse, MalformedLine,
    testing::Values(BadLine{"TooFewFields", "\"Lbl\"\t1\t\"F_Main\""},
                    BadLine{"TooManyFields", "\"Lbl\"\t1\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-\t-"},
                    BadLine{"BareText", "Lbl\t1\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-"},
                    BadLine{"QuotedNumber", "\"Lbl\"\t\"1\"\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-"},
                    BadLine{"NotANumber", "\"Lbl\"\t1x\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-"},
                    BadLine{"NumberTooBig", "\"Lbl\"\t4294967296\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-"},
                    BadLine{"UnclosedQuote", "\"Lbl\"\t1\t\"F_Main\t-\t-\t-\t-\t-\t-\t-"},
                    BadLine{"TextAfterQuote", "\"Lbl\"x\t1\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-"},
                    BadLine{"GroupTooLong", "\"Lbls\"\t1\t\"F_Main\"\t-\t-\t-\t-\t-\t-\t-"},
                    BadLine{"InvalidUtf8", "\"Lbl\"\t1\t\"F_Main\"\t-\t-\t-\t-\t\"\xC3\"\t-\t-"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(TextTableParse, DeliveredTextParsesWithinFieldWidths) {
    std::ifstream in(std::string(AMPORA_SOURCE_DIR) + "/data/menu.tsv", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const auto rows = ParseTextRows(s.str());
    EXPECT_EQ(rows.size(), 53u);
    // Widths count characters: the longest Cyrillic caption has more than
    // 100 bytes but fewer than 100 letters.
    std::string longest;
    for (const auto& r : rows)
        for (const auto& txt : r.text)
            if (txt && txt->size() > longest.size()) longest = *txt;
    EXPECT_GT(longest.size(), 100u);  // more bytes than characters, still accepted
}
