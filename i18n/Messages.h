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
inline constexpr LangTexts CaptionOpen = {"Загрузить", "Open", "Загрузіць"};
inline constexpr LangTexts CaptionSaveAs = {"Сохранить как", "Save As", "Захаваць як"};
inline constexpr LangTexts CaptionDelete = {"Удалить", "Delete", "Выдаліць"};

// The curve file could not be written back at the end; the path follows.
inline constexpr LangTexts MsgWriteBackFailed = {
    "Не удалось сохранить кривые и настройки в файл ",
    "Could not save the curves and settings to the file ",
    "Не ўдалося захаваць крывыя і налады ў файл "};

// Start-up without a usable text table (chosen by the checked language item).
inline constexpr LangTexts MsgMenuMissing = {"Отсутствует или повреждён файл меню",
                                             "Menu file not exist or is destroyed",
                                             "Адсутнічае або пашкоджаны файл меню"};

// Measured spectra: the two curve-file commands, their dialogs and why a file
// is refused. A refusal is MsgSpectrumRefused + file name + a line break + the
// problem; a problem on one line starts with MsgSpectrumLine + its number.
inline constexpr LangTexts CaptionImportSpectrum = {"Импорт спектра…", "Import spectrum…",
                                                    "Імпарт спектра…"};
inline constexpr LangTexts CaptionExportCurve = {"Экспорт кривой…", "Export curve…",
                                                 "Экспарт крывой…"};
inline constexpr LangTexts FilterSpectrumFiles = {
    "Спектры (*.txt *.csv *.tsv *.dat *.frd);;Все файлы (*)",
    "Spectra (*.txt *.csv *.tsv *.dat *.frd);;All files (*)",
    "Спектры (*.txt *.csv *.tsv *.dat *.frd);;Усе файлы (*)"};
inline constexpr LangTexts FilterCsvFiles = {"CSV (*.csv)", "CSV (*.csv)", "CSV (*.csv)"};
inline constexpr LangTexts MsgSpectrumRefused = {"Спектр не загружен из файла ",
                                                 "Spectrum not imported from the file ",
                                                 "Спектр не загружаны з файла "};
inline constexpr LangTexts MsgSpectrumLine = {"Строка ", "Line ", "Радок "};
inline constexpr LangTexts MsgSpectrumBinary = {"Это не текстовый файл.", "This is not a text file.",
                                                "Гэта не тэкставы файл."};
inline constexpr LangTexts MsgSpectrumTooLarge = {
    "Файл слишком велик для спектра (больше 200 000 строк или 16 МБ).",
    "The file is too large for a spectrum (over 200,000 lines or 16 MB).",
    "Файл занадта вялікі для спектра (больш за 200 000 радкоў або 16 МБ)."};
inline constexpr LangTexts MsgSpectrumEmpty = {"Файл пуст.", "The file is empty.", "Файл пусты."};
inline constexpr LangTexts MsgSpectrumNoNumbers = {"В файле нет пар частота/уровень.",
                                                   "The file holds no frequency/level pairs.",
                                                   "У файле няма пар частата/узровень."};
inline constexpr LangTexts MsgSpectrumNotANumber = {"уровень не является числом.",
                                                    "the level is not a number.",
                                                    "узровень не з'яўляецца лікам."};
inline constexpr LangTexts MsgSpectrumNotFinite = {"значение NaN или бесконечность.",
                                                   "the value is NaN or infinite.",
                                                   "значэнне NaN або бясконцасць."};
inline constexpr LangTexts MsgSpectrumBadFrequency = {"частота должна быть больше нуля.",
                                                      "the frequency must be greater than zero.",
                                                      "частата павінна быць большай за нуль."};
inline constexpr LangTexts MsgSpectrumOnePoint = {
    "В файле только одна точка, а нужны хотя бы две.",
    "The file holds only one point; at least two are needed.",
    "У файле толькі адна кропка, а патрэбныя хаця б дзве."};
inline constexpr LangTexts MsgSpectrumOutOfRange = {
    "Ни одна частота не попадает в полосы от 20 Гц до 20 кГц (18–23 000 Гц).",
    "No frequency falls into the bands from 20 Hz to 20 kHz (18–23,000 Hz).",
    "Ніводная частата не трапляе ў паласы ад 20 Гц да 20 кГц (18–23 000 Гц)."};
// The count of values follows, then MsgSpectrumLevelCountPost.
inline constexpr LangTexts MsgSpectrumLevelCountPre = {
    "Список уровней должен содержать 31 значение, а содержит ",
    "A list of levels must hold 31 values; this one holds ",
    "Спіс узроўняў павінен мець 31 значэнне, а мае "};
inline constexpr LangTexts MsgSpectrumLevelCountPost = {".", ".", "."};
inline constexpr LangTexts MsgFileReadFailed = {"Не удалось прочитать файл ",
                                                "Could not read the file ",
                                                "Не ўдалося прачытаць файл "};
inline constexpr LangTexts MsgFileWriteFailed = {"Не удалось записать файл ",
                                                 "Could not write the file ",
                                                 "Не ўдалося запісаць файл "};

// The same English text in every language.
inline constexpr const char* MsgHelpFailed = "Unable access to Help file.";

}  // namespace ampora
