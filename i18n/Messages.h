#pragma once
// Messages that the program shows, one text per interface language:
// [0] Russian, [1] English, [2] Belarusian. Not part of the text table.

#include <array>
#include <string>

namespace ampora {

using LangTexts = std::array<const char*, 3>;

inline constexpr LangTexts MsgEnterNumber = {"\rВведите число.", "\rEnter digital value.",
                                             "\rУвядзіце лічбавае значэнне."};
inline constexpr LangTexts MsgSensitivity = {"Чувствительность динамика ", "Sensitivity of ",
                                             "Адчувальнасць дынаміка "};
inline constexpr LangTexts MsgMidrange = {"СЧ ", "midrange ", "СЧ "};
inline constexpr LangTexts MsgTweeter = {"ВЧ ", "tweeter ", "ВЧ "};
inline constexpr LangTexts MsgTooLow = {"недостаточна", "is too low", "недастатковая"};
inline constexpr LangTexts MsgNoCurve = {"Не загружена кривая распределения мощности.",
                                         "Spectral density curve not loaded.",
                                         "Не загружана крывая размеркавання магутнасці."};

// Inputs for which the power split has no meaning.
inline constexpr LangTexts MsgBadImpedance = {"Импеданс динамика должен быть больше нуля.",
                                              "Driver impedance must be greater than zero.",
                                              "Імпеданс дынаміка павінен быць большым за нуль."};
inline constexpr LangTexts MsgBadAmpPower = {
    "Мощность усилителя должна быть больше нуля.", "Amplifier power must be greater than zero.",
    "Магутнасць узмацняльніка павінна быць большай за нуль."};
inline constexpr LangTexts MsgNoSignal = {"Сигнал не попадает в полосу пропускания динамика.",
                                          "No signal falls into a driver's pass band.",
                                          "Сігнал не трапляе ў паласу прапускання дынаміка."};
inline constexpr LangTexts MsgOutOfRange = {
    "Расчёт невозможен: значения вне допустимого диапазона.",
    "Cannot calculate: values are out of range.",
    "Разлік немагчымы: значэнні па-за дапушчальным дыяпазонам."};

// The midrange frequency check.
inline constexpr LangTexts MsgLowCutWrong = {"Неверное значение нижней частоты раздела.",
                                             "Low cut frequency is wrong.",
                                             "Няправільнае значэнне ніжняй частаты падзела."};
inline constexpr LangTexts MsgHighCutWrong = {"Неверное значение верхней частоты раздела.",
                                              "High cut frequency is wrong.",
                                              "Няправільнае значэнне верхняй частаты падзела."};

// Curve commands. The two with a curve name put it between straight quotes.
inline constexpr LangTexts MsgNoSavedCurves = {"Сохранённых кривых нет", "No saved curves",
                                               "Захаваных крывых няма"};
inline constexpr LangTexts MsgCurveNotFoundPre = {"Кривой \"", "Curve \"", "Крывой \""};
inline constexpr LangTexts MsgCurveNotFoundPost = {"\" нет среди сохранённых", "\" not found",
                                                   "\" няма сярод захаваных"};
inline constexpr LangTexts MsgCannotDeletePre = {"Кривую \"", "Curve \"", "Крывую \""};
inline constexpr LangTexts MsgCannotDeletePost = {"\" удалить нельзя", "\" cannot be deleted",
                                                  "\" выдаліць нельга"};
inline constexpr LangTexts MsgNoDataToSave = {"Нет данных для сохранения", "No data for save",
                                              "Няма дадзеных для захавання"};
// Save and Save As under the name of the settings record, which the next
// start would read as settings and delete.
inline constexpr LangTexts MsgReservedName = {
    "Имя «Settings» занято настройками программы. Выберите другое имя.",
    "The name \"Settings\" is reserved for the program's settings. Choose another name.",
    "Імя «Settings» занята наладамі праграмы. Выберыце іншае імя."};
inline constexpr LangTexts CaptionOpen = {"Загрузить", "Open", "Загрузіць"};
inline constexpr LangTexts CaptionSaveAs = {"Сохранить как", "Save As", "Захаваць як"};
inline constexpr LangTexts CaptionDelete = {"Удалить", "Delete", "Выдаліць"};

// The curve file could not be written back at the end; the path follows.
inline constexpr LangTexts MsgWriteBackFailed = {
    "Не удалось сохранить кривые и настройки в файл ",
    "Could not save the curves and settings to the file ",
    "Не ўдалося захаваць крывыя і налады ў файл "};

// The write-back failed: the user may fix the cause and try again, or end.
inline constexpr LangTexts MsgWriteBackQuestion = {
    "Освободите место на диске или разрешите запись в файл и его папку и повторите попытку, "
    "либо завершите работу без сохранения изменений этого сеанса.",
    "Free some disk space or make the file and its folder writable, then try again; or end "
    "without saving the changes of this session.",
    "Вызваліце месца на дыску або дазвольце запіс у файл і яго папку і паспрабуйце зноў, "
    "альбо завяршыце працу без захавання змен гэтага сеанса."};
inline constexpr LangTexts CaptionTryAgain = {"Повторить", "Try again", "Паўтарыць"};
inline constexpr LangTexts CaptionEndWithoutSaving = {"Выйти без сохранения", "End without saving",
                                                      "Выйсці без захавання"};

// Start-up found the curve file unusable and kept it aside; its new name
// goes between the two parts.
inline constexpr LangTexts MsgCurveFileKeptPre = {"Файл кривых повреждён и сохранён как ",
                                                  "The curve file was damaged and has been kept as ",
                                                  "Файл крывых пашкоджаны і захаваны як "};
inline constexpr LangTexts MsgCurveFileKeptPost = {
    ". Программа запущена со встроенными кривыми.", ". Ampora started with the built-in curves.",
    ". Праграма запушчана з убудаванымі крывымі."};

// Start-up without a usable text table (chosen by the checked language item).
inline constexpr LangTexts MsgMenuMissing = {"Отсутствует или повреждён файл меню",
                                             "Menu file not exist or is destroyed",
                                             "Адсутнічае або пашкоджаны файл меню"};

// Accessible names and descriptions: what a screen reader says for a control
// whose meaning a sighted user takes from its surroundings and no caption
// gives. The other parts of a name are the captions on screen.
inline constexpr LangTexts AccLowerEdge = {"нижний край", "lower edge", "ніжні край"};
inline constexpr LangTexts AccUpperEdge = {"верхний край", "upper edge", "верхні край"};
inline constexpr LangTexts AccSeriesResistor = {"последовательный резистор", "series resistor",
                                                "паслядоўны рэзістар"};
inline constexpr LangTexts AccParallelResistor = {"параллельный резистор", "parallel resistor",
                                                  "паралельны рэзістар"};
inline constexpr LangTexts AccSplAt1m = {"SPL на 1 м, дБ", "SPL at 1 m, dB", "SPL на 1 м, дБ"};
inline constexpr LangTexts AccLinkwitzListing = {"Коррекция Линквица по полосам",
                                                 "Linkwitz correction by band",
                                                 "Карэкцыя Лінквіца па палосах"};
inline constexpr LangTexts AccLinkwitzListingHint = {
    "Правая кнопка мыши показывает и прячет коррекцию по полосам",
    "The right mouse button shows and hides the correction by band",
    "Правая кнопка мышы паказвае і хавае карэкцыю па палосах"};
// Followed by the preset's caption, e.g. "Open curve IEC/DIN".
inline constexpr LangTexts AccOpenCurve = {"Загрузить кривую", "Open curve", "Загрузіць крывую"};
inline constexpr LangTexts AccOpenOtherCurve = {"Загрузить другую кривую...", "Open another curve...",
                                                "Загрузіць іншую крывую..."};
inline constexpr LangTexts AccCurrentCurve = {"Текущая кривая", "Current curve", "Бягучая крывая"};
// %1 is the curve's name.
inline constexpr LangTexts AccGraphCurve = {"Кривая \"%1\".", "Curve \"%1\".", "Крывая \"%1\"."};
inline constexpr LangTexts AccGraphEditing = {
    "Уровень полосы задаётся щелчком мыши по графику; правая кнопка открывает команды кривой.",
    "Click into the graph with the mouse to set a band's level; the right button opens the curve "
    "commands.",
    "Узровень паласы задаецца пстрычкай мышы па графіку; правая кнопка адкрывае каманды крывой."};
// Followed by the colour's name, e.g. "Bar colour, green".
inline constexpr LangTexts AccBarColour = {"Цвет столбцов", "Bar colour", "Колер слупкоў"};
// Shape5 .. Shape10.
inline constexpr std::array<LangTexts, 6> AccColourNames = {{
    {"зелёный", "green", "зялёны"},
    {"песочный", "sand", "пясочны"},
    {"синий", "blue", "сіні"},
    {"светло-зелёный", "light green", "светла-зялёны"},
    {"бирюзовый", "teal", "бірузовы"},
    {"серый", "grey", "шэры"},
}};
// The filter pictures beside the lists.
inline constexpr LangTexts AccLowPass = {"фильтр нижних частот", "low-pass filter", "фільтр ніжніх частот"};
inline constexpr LangTexts AccHighPass = {"фильтр верхних частот", "high-pass filter",
                                          "фільтр верхніх частот"};
inline constexpr LangTexts AccSavedCurves = {"Сохранённые кривые", "Saved curves", "Захаваныя крывыя"};
inline constexpr LangTexts AccCurveName = {"Имя кривой", "Curve name", "Назва крывой"};
inline constexpr LangTexts AccPrint = {"Печать", "Print", "Друк"};

// The same English text in every language.
inline constexpr const char* MsgHelpFailed = "Unable access to Help file.";

}  // namespace ampora
