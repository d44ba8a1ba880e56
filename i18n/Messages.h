#pragma once
// Messages that the program shows, one text per interface language:
// [0] Russian, [1] English, [2] Belarusian. Not part of the text table.

#include <array>
#include <string>

namespace ampora {

using LangTexts = std::array<const char*, 3>;

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
inline constexpr LangTexts MsgCurveFileKeptPre = {
    "Файл кривых повреждён и сохранён как ", "The curve file was damaged and has been kept as ",
    "Файл крывых пашкоджаны і захаваны як "};
inline constexpr LangTexts MsgCurveFileKeptPost = {". Программа запущена со встроенными кривыми.",
                                                   ". Ampora started with the built-in curves.",
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
inline constexpr LangTexts AccLinkwitzListing = {
    "Коррекция Линквица по полосам", "Linkwitz correction by band", "Карэкцыя Лінквіца па палосах"};
inline constexpr LangTexts AccLinkwitzListingHint = {
    "Правая кнопка мыши показывает и прячет коррекцию по полосам",
    "The right mouse button shows and hides the correction by band",
    "Правая кнопка мышы паказвае і хавае карэкцыю па палосах"};
// Followed by the preset's caption, e.g. "Open curve IEC/DIN".
inline constexpr LangTexts AccOpenCurve = {"Загрузить кривую", "Open curve", "Загрузіць крывую"};
inline constexpr LangTexts AccOpenOtherCurve = {
    "Загрузить другую кривую...", "Open another curve...", "Загрузіць іншую крывую..."};
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
inline constexpr LangTexts AccLowPass = {"фильтр нижних частот", "low-pass filter",
                                         "фільтр ніжніх частот"};
inline constexpr LangTexts AccHighPass = {"фильтр верхних частот", "high-pass filter",
                                          "фільтр верхніх частот"};
inline constexpr LangTexts AccSavedCurves = {"Сохранённые кривые", "Saved curves",
                                             "Захаваныя крывыя"};
inline constexpr LangTexts AccCurveName = {"Имя кривой", "Curve name", "Назва крывой"};
inline constexpr LangTexts AccPrint = {"Печать", "Print", "Друк"};

// Design files and the command line that evaluates them. In the problem
// texts %1 stands for the value's place in the file (as "bass.impedanceOhm"),
// %2 for a detail (a count, a range, the system's reason).
inline constexpr LangTexts CaptionDesignOpen = {"Открыть проект…", "Open design…",
                                                "Адкрыць праект…"};
inline constexpr LangTexts CaptionDesignSave = {"Сохранить проект", "Save design",
                                                "Захаваць праект"};
inline constexpr LangTexts CaptionDesignSaveAs = {"Сохранить проект как…", "Save design as…",
                                                  "Захаваць праект як…"};
inline constexpr LangTexts CaptionDesignFilter = {
    "Проекты Ampora (*.ampora)", "Ampora designs (*.ampora)", "Праекты Ampora (*.ampora)"};
inline constexpr LangTexts MsgDesignCannotRead = {"Не удалось прочитать файл проекта: %2",
                                                  "Cannot read the design file: %2",
                                                  "Не ўдалося прачытаць файл праекта: %2"};
inline constexpr LangTexts MsgDesignCannotWrite = {"Не удалось записать файл проекта: %2",
                                                   "Cannot write the design file: %2",
                                                   "Не ўдалося запісаць файл праекта: %2"};
inline constexpr LangTexts MsgDesignTooLarge = {"Файл слишком велик для проекта (больше 1 МБ).",
                                                "The file is too large to be a design (over 1 MB).",
                                                "Файл занадта вялікі для праекта (больш за 1 МБ)."};
inline constexpr LangTexts MsgDesignNotJson = {"Файл не является проектом: это не JSON (%2).",
                                               "The file is not a design: it is not JSON (%2).",
                                               "Файл не з'яўляецца праектам: гэта не JSON (%2)."};
inline constexpr LangTexts MsgDesignNumberTooLarge = {
    "В файле число, слишком большое для программы: %2.",
    "The file holds a number too large for the program: %2.",
    "У файле лік, занадта вялікі для праграмы: %2."};
// A failure of the JSON reader that none of the checks foresaw: its own words.
inline constexpr LangTexts MsgDesignUnreadable = {"Проект не удалось прочитать (%2).",
                                                  "The design could not be read (%2).",
                                                  "Праект не ўдалося прачытаць (%2)."};
inline constexpr LangTexts MsgDesignWrongFormat = {
    "Файл не является проектом Ampora (\"format\" не равен \"ampora-design\").",
    "The file is not an Ampora design (\"format\" is not \"ampora-design\").",
    "Файл не з'яўляецца праектам Ampora (\"format\" не роўны \"ampora-design\")."};
inline constexpr LangTexts MsgDesignBadVersion = {
    "В файле проекта нет правильного номера версии (\"version\").",
    "The design file has no valid \"version\".",
    "У файле праекта няма правільнага нумара версіі (\"version\")."};
inline constexpr LangTexts MsgDesignNewerVersion = {
    "Проект записан более новой версией программы (версия формата %2); эта версия читает версии 1 "
    "и 2.",
    "The design was written by a newer version of the program (format version %2); this version "
    "reads versions 1 and 2.",
    "Праект запісаны больш новай версіяй праграмы (версія фармату %2); гэтая версія чытае версіі 1 "
    "і 2."};
inline constexpr LangTexts MsgDesignMissing = {"В проекте нет значения %1.", "%1 is missing.",
                                               "У праекце няма значэння %1."};
inline constexpr LangTexts MsgDesignNotNumber = {"%1 должно быть числом.", "%1 must be a number.",
                                                 "%1 павінна быць лікам."};
inline constexpr LangTexts MsgDesignNotWhole = {
    "%1 должно быть целым числом.", "%1 must be a whole number.", "%1 павінна быць цэлым лікам."};
inline constexpr LangTexts MsgDesignNotText = {"%1 должно быть текстом.", "%1 must be a text.",
                                               "%1 павінна быць тэкстам."};
inline constexpr LangTexts MsgDesignNotTrueFalse = {"%1 должно быть true или false.",
                                                    "%1 must be true or false.",
                                                    "%1 павінна быць true або false."};
inline constexpr LangTexts MsgDesignNotPositive = {"%1 должно быть больше нуля.",
                                                   "%1 must be greater than zero.",
                                                   "%1 павінна быць большым за нуль."};
inline constexpr LangTexts MsgDesignOutOfRange = {
    "%1 должно лежать в пределах %2.", "%1 must lie within %2.", "%1 павінна ляжаць у межах %2."};
inline constexpr LangTexts MsgDesignLevelCount = {"%1 должно содержать 31 уровень, а не %2.",
                                                  "%1 must hold 31 levels, not %2.",
                                                  "%1 павінна ўтрымліваць 31 узровень, а не %2."};
inline constexpr LangTexts MsgDesignNameTooLong = {
    "%1 длиннее 50 символов.", "%1 is longer than 50 characters.", "%1 даўжэй за 50 сімвалаў."};
inline constexpr LangTexts MsgDesignUnknownFilter = {
    "%1 должно быть одним из: none, bessel, butterworth, linkwitz.",
    "%1 must be one of none, bessel, butterworth, linkwitz.",
    "%1 павінна быць адным з: none, bessel, butterworth, linkwitz."};
inline constexpr LangTexts MsgDesignBadOrder = {
    "%1: порядок 1..4 для Bessel и Butterworth, 2 или 4 для Linkwitz.",
    "%1 must be 1 to 4 for Bessel and Butterworth, 2 or 4 for Linkwitz.",
    "%1: парадак 1..4 для Bessel і Butterworth, 2 або 4 для Linkwitz."};
inline constexpr LangTexts MsgDesignBadSeparator = {"%1 должно быть \".\" или \",\".",
                                                    "%1 must be \".\" or \",\".",
                                                    "%1 павінна быць \".\" або \",\"."};
inline constexpr LangTexts MsgDesignNotObject = {
    "%1 должно быть объектом {…}.", "%1 must be an object {…}.", "%1 павінна быць аб'ектам {…}."};
inline constexpr LangTexts MsgDesignIecTweeterOnly = {
    "%1: номинал по паспорту IEC задаётся только для ВЧ головки.",
    "%1: an IEC data-sheet rating is for the tweeter only.",
    "%1: намінал па пашпарце IEC задаецца толькі для ВЧ галоўкі."};
// Heads the problem when a file is refused; the file's name follows.
inline constexpr LangTexts MsgDesignRefused = {
    "Проект не открыт: ", "Design not opened: ", "Праект не адкрыты: "};
inline constexpr LangTexts MsgDesignNotSaved = {
    "Проект не сохранён: ", "Design not saved: ", "Праект не захаваны: "};

// The command line (evaluate): usage and the labels of the text format.
inline constexpr LangTexts MsgCliUsage = {
    "Использование: ampora evaluate [--format text|json|csv] [--language rus|eng|bel] ФАЙЛ...",
    "Usage: ampora evaluate [--format text|json|csv] [--language rus|eng|bel] FILE...",
    "Выкарыстанне: ampora evaluate [--format text|json|csv] [--language rus|eng|bel] ФАЙЛ..."};
inline constexpr LangTexts MsgCliBadOption = {
    "Неизвестный параметр: ", "Unknown option: ", "Невядомы параметр: "};
inline constexpr LangTexts MsgCliBadValue = {
    "Неверное значение параметра: ", "Bad value for option: ", "Няправільнае значэнне параметра: "};
inline constexpr LangTexts MsgCliNoFiles = {"Не указан ни один файл проекта.",
                                            "No design file given.",
                                            "Не пазначаны ніводны файл праекта."};
inline constexpr LangTexts LabelSpectrum = {"Спектр", "Spectrum", "Спектр"};
inline constexpr LangTexts LabelBass = {"НЧ", "Bass", "НЧ"};
inline constexpr LangTexts LabelMid = {"СЧ", "Midrange", "СЧ"};
inline constexpr LangTexts LabelTweeter = {"ВЧ", "Tweeter", "ВЧ"};
inline constexpr LangTexts LabelTotal = {"Всего", "Total", "Усяго"};
inline constexpr LangTexts LabelPower = {"Мощность, Вт", "Power, W", "Магутнасць, Вт"};
inline constexpr LangTexts LabelSpl = {"Уровень, дБ", "SPL, dB", "Узровень, дБ"};
inline constexpr LangTexts LabelPad = {"Аттенюатор", "L-pad", "Атэнюатар"};
inline constexpr LangTexts LabelLinkwitz = {"Коррекция Линквица, дБ", "Linkwitz boost, dB",
                                            "Карэкцыя Лінквіца, дБ"};
inline constexpr LangTexts LabelStopped = {"Расчёт остановлен: ", "Stopped: ", "Разлік спынены: "};
inline constexpr LangTexts LabelError = {"Ошибка: ", "Error: ", "Памылка: "};

// The same English text in every language.
inline constexpr const char* MsgHelpFailed = "Unable access to Help file.";

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
inline constexpr LangTexts MsgSpectrumBinary = {
    "Это не текстовый файл.", "This is not a text file.", "Гэта не тэкставы файл."};
inline constexpr LangTexts MsgSpectrumTooLarge = {
    "Файл слишком велик для спектра (больше 200 000 строк или 16 МБ).",
    "The file is too large for a spectrum (over 200,000 lines or 16 MB).",
    "Файл занадта вялікі для спектра (больш за 200 000 радкоў або 16 МБ)."};
inline constexpr LangTexts MsgSpectrumEmpty = {"Файл пуст.", "The file is empty.", "Файл пусты."};
inline constexpr LangTexts MsgSpectrumNoNumbers = {"В файле нет пар частота/уровень.",
                                                   "The file holds no frequency/level pairs.",
                                                   "У файле няма пар частата/узровень."};
inline constexpr LangTexts MsgSpectrumNotANumber = {
    "уровень не является числом.", "the level is not a number.", "узровень не з'яўляецца лікам."};
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
inline constexpr LangTexts MsgSpectrumTooNarrow = {
    "Файл не покрывает ни одну полосу хотя бы наполовину (полоса — треть октавы).",
    "The file covers no band even half way (a band is a third of an octave wide).",
    "Файл не пакрывае ніводную паласу хаця б напалову (паласа — трэць актавы)."};
inline constexpr LangTexts MsgSpectrumImpedance = {"В файле импеданс, а не спектр.",
                                                   "The file holds an impedance, not a spectrum.",
                                                   "У файле імпеданс, а не спектр."};
// A line of a curve this program exported, edited into something else.
inline constexpr LangTexts MsgSpectrumExportedRow = {
    "в экспортированной кривой нужны центры полос (20 … 20480 Гц) по порядку, у каждой целый "
    "уровень от -40 до 0 дБ или пусто.",
    "an exported curve needs the band centres (20 … 20480 Hz) in order, each with a whole level "
    "from -40 to 0 dB or none.",
    "у экспартаванай крывой патрэбныя цэнтры палос (20 … 20480 Гц) па парадку, у кожнай цэлы "
    "ўзровень ад -40 да 0 дБ або пуста."};
// The count of values follows, then MsgSpectrumLevelCountPost.
inline constexpr LangTexts MsgSpectrumLevelCountPre = {
    "Список уровней должен содержать 31 значение, а содержит ",
    "A list of levels must hold 31 values; this one holds ",
    "Спіс узроўняў павінен мець 31 значэнне, а мае "};
inline constexpr LangTexts MsgSpectrumLevelCountPost = {".", ".", "."};
inline constexpr LangTexts MsgFileReadFailed = {
    "Не удалось прочитать файл ", "Could not read the file ", "Не ўдалося прачытаць файл "};
inline constexpr LangTexts MsgFileWriteFailed = {
    "Не удалось записать файл ", "Could not write the file ", "Не ўдалося запісаць файл "};
// Why a file could not be read or written (FileStatusText): the window puts
// it on a line of its own after MsgFileReadFailed/MsgFileWriteFailed and the
// file, the command line after the file and ": ".
inline constexpr LangTexts MsgFileMissing = {
    "Нет такого файла или папки", "No such file or directory", "Няма такога файла або папкі"};
inline constexpr LangTexts MsgFileDenied = {"Доступ запрещён", "Permission denied",
                                            "Доступ забаронены"};
inline constexpr LangTexts MsgFileReadOnly = {
    "Файл доступен только для чтения", "The file is read-only", "Файл даступны толькі для чытання"};
inline constexpr LangTexts MsgFileNotRegular = {
    "Это не обычный файл (папка, канал или устройство)",
    "It is not a regular file (a folder, pipe or device)",
    "Гэта не звычайны файл (папка, канал або прылада)"};
inline constexpr LangTexts MsgFileTooLarge = {"Файл слишком велик", "The file is too large",
                                              "Файл занадта вялікі"};
inline constexpr LangTexts MsgFileDiskFull = {"На диске нет места", "The disk is full",
                                              "На дыску няма месца"};
inline constexpr LangTexts MsgFileSameAsInput = {"Это сам файл проекта, который читается",
                                                 "It is the design file being read",
                                                 "Гэта сам файл праекта, які чытаецца"};
inline constexpr LangTexts MsgFileSystemError = {
    "Ошибка системы: ", "System error: ", "Памылка сістэмы: "};

// The per-band breakdown window (Service menu) and the report. Column titles
// are a driver's or resistor's name (LabelBass, ... of the command line) +
// ", " + the unit; the totals row is LabelTotal.
inline constexpr LangTexts CaptionPowerPerBand = {"Мощность по полосам", "Power per band",
                                                  "Магутнасць па палосах"};
inline constexpr LangTexts LabelBandFrequency = {"Частота, Гц", "Frequency, Hz", "Частата, Гц"};
inline constexpr LangTexts LabelProgrammeLevel = {"Программа, дБ", "Programme, dB", "Праграма, дБ"};
inline constexpr LangTexts LabelWatts = {"Вт", "W", "Вт"};
inline constexpr LangTexts LabelCalcStopped = {
    "Расчёт остановлен: ", "Calculation stopped: ", "Разлік спынены: "};
inline constexpr LangTexts CaptionExportReport = {"Экспорт отчёта…", "Export report…",
                                                  "Экспарт справаздачы…"};
inline constexpr LangTexts FilterReportFiles = {
    "PDF (*.pdf);;CSV (*.csv)", "PDF (*.pdf);;CSV (*.csv)", "PDF (*.pdf);;CSV (*.csv)"};
inline constexpr LangTexts LabelReportInputs = {"Исходные данные", "Inputs", "Зыходныя даныя"};
inline constexpr LangTexts LabelReportResults = {"Результаты", "Results", "Вынікі"};
inline constexpr LangTexts LabelReportDate = {"Дата: ", "Date: ", "Дата: "};
inline constexpr LangTexts LabelAmpPowerW = {"Мощность усилителя, Вт", "Amplifier power, W",
                                             "Магутнасць узмацняльніка, Вт"};
inline constexpr LangTexts LabelSensitivity = {"Чувствительность, дБ/Вт/м", "Sensitivity, dB/W/m",
                                               "Адчувальнасць, дБ/Вт/м"};
inline constexpr LangTexts LabelImpedance = {"Импеданс, Ом", "Impedance, Ω", "Імпеданс, Ом"};
inline constexpr LangTexts LabelCrossover = {"Фильтр", "Crossover filter", "Фільтр"};
inline constexpr LangTexts LabelEqualiseZ = {"Выравнивание Z", "Equalise Z", "Выраўноўванне Z"};
inline constexpr LangTexts LabelYes = {"да", "yes", "так"};
inline constexpr LangTexts LabelNo = {"нет", "no", "не"};
inline constexpr LangTexts LabelMidOff = {"СЧ выключен", "Midrange off", "СЧ выключаны"};
inline constexpr LangTexts LabelLinkwitzOff = {"Коррекция Линквица: нет", "Linkwitz boost: off",
                                               "Карэкцыя Лінквіца: няма"};
inline constexpr LangTexts LabelTotalSpl = {"Общий SPL на 1 м, дБ", "Total SPL at 1 m, dB",
                                            "Агульны SPL на 1 м, дБ"};

// Power handling (Service menu, `evaluate`, reports): what each driver can
// take, which reaches its rating first, and the limits that follow.
inline constexpr LangTexts CaptionPowerHandling = {"Предельная мощность", "Power handling",
                                                   "Гранічная магутнасць"};
inline constexpr LangTexts LabelReceivedW = {"Получает, Вт", "Receives, W", "Атрымлівае, Вт"};
inline constexpr LangTexts LabelRatingW = {"Номинал, Вт", "Rating, W", "Намінал, Вт"};
inline constexpr LangTexts LabelRatingKind = {"Вид номинала", "Kind of rating", "Від наміналу"};
inline constexpr LangTexts LabelKindInDriver = {"в головке", "in the driver", "у галоўцы"};
inline constexpr LangTexts LabelKindIec = {"паспорт IEC", "IEC data sheet", "пашпарт IEC"};
inline constexpr LangTexts LabelIecCutHz = {"Срез IEC, Гц", "IEC cut, Hz", "Зрэз IEC, Гц"};
inline constexpr LangTexts LabelPermissibleW = {"Допустимо, Вт", "Permissible, W",
                                                "Дапушчальна, Вт"};
inline constexpr LangTexts LabelLoadPct = {"Нагрузка, %", "Load, %", "Нагрузка, %"};
inline constexpr LangTexts LabelHeadroomDb = {"Запас, дБ", "Headroom, dB", "Запас, дБ"};
// Marks the driver that reaches its rating first.
inline constexpr LangTexts LabelLimitingMark = {"предел", "limit", "мяжа"};
inline constexpr LangTexts LabelLimitingDriver = {"Первой перегрузится головка", "Limiting driver",
                                                  "Першай перагрузіцца галоўка"};
inline constexpr LangTexts LabelMaxAmpW = {"Наибольшая мощность усилителя, Вт",
                                           "Maximum amplifier power, W",
                                           "Найбольшая магутнасць узмацняльніка, Вт"};
inline constexpr LangTexts LabelMaxSplDb = {"Наибольший SPL на 1 м, дБ", "Maximum SPL at 1 m, dB",
                                            "Найбольшы SPL на 1 м, дБ"};
inline constexpr LangTexts LabelNoRatings = {
    "Номиналы не заданы: введите мощность хотя бы одной головки.",
    "No ratings: enter the rating of at least one driver.",
    "Наміналы не зададзены: увядзіце магутнасць хаця б адной галоўкі."};
inline constexpr LangTexts LabelPadResistors = {"Резисторы аттенюаторов", "Pad resistors",
                                                "Рэзістары атэнюатараў"};
inline constexpr LangTexts LabelResistor = {"Резистор", "Resistor", "Рэзістар"};
inline constexpr LangTexts LabelOhm = {"Ом", "Ω", "Ом"};
inline constexpr LangTexts LabelNowW = {"Сейчас, Вт", "Now, W", "Зараз, Вт"};
inline constexpr LangTexts LabelAtMaxW = {"На пределе, Вт", "At the maximum, W", "На мяжы, Вт"};
inline constexpr LangTexts LabelSuggestedW = {"Мощность резистора, Вт", "Suggested rating, W",
                                              "Магутнасць рэзістара, Вт"};
inline constexpr LangTexts NoteResistorPeaks = {
    "Мощность резистора — не меньше удвоенной мощности на пределе (пики программы).",
    "Suggested rating: at least twice the power at the maximum (programme peaks).",
    "Магутнасць рэзістара — не меньш за падвоеную магутнасць на мяжы (пікі праграмы)."};
inline constexpr LangTexts NoteResistorNow = {
    "Мощность резистора — не меньше удвоенной мощности сейчас (пики программы).",
    "Suggested rating: at least twice the power now (programme peaks).",
    "Магутнасць рэзістара — не меньш за падвоеную магутнасць зараз (пікі праграмы)."};
inline constexpr LangTexts LabelCrestFactorDb = {
    "Пик-фактор программы, дБ", "Programme crest factor, dB", "Пік-фактар праграмы, дБ"};
inline constexpr LangTexts LabelAmpSineW = {"Синусная мощность усилителя для пиков, Вт",
                                            "Amplifier sine rating for the peaks, W",
                                            "Сінусная магутнасць узмацняльніка для пікаў, Вт"};
inline constexpr LangTexts LabelTargetSplDb = {"Желаемый SPL на 1 м, дБ", "Target SPL at 1 m, dB",
                                               "Жаданы SPL на 1 м, дБ"};
inline constexpr LangTexts LabelTargetAmpW = {"Нужная мощность усилителя, Вт",
                                              "Amplifier power needed, W",
                                              "Патрэбная магутнасць узмацняльніка, Вт"};
inline constexpr LangTexts LabelWithinMax = {"в пределах допустимого", "within the maximum",
                                             "у межах дапушчальнага"};
inline constexpr LangTexts LabelBeyondMax = {"больше допустимого", "beyond the maximum",
                                             "больш за дапушчальнае"};
inline constexpr LangTexts LabelWhatMovesLimit = {
    "Что сдвигает предел: наибольший SPL при другой частоте раздела ВЧ",
    "What moves the limit: maximum SPL at another tweeter crossover frequency",
    "Што зрушвае мяжу: найбольшы SPL пры іншай частаце падзела ВЧ"};
inline constexpr LangTexts LabelThisDesign = {"этот проект", "this design", "гэты праект"};

// Recent designs and the question before closing with unsaved work. In the
// questions %1 stands for the design's file name or the curve's name.
inline constexpr LangTexts CaptionOpenRecent = {"Открыть недавний", "Open recent",
                                                "Адкрыць нядаўні"};
inline constexpr LangTexts CaptionClearRecent = {"Очистить список", "Clear list", "Ачысціць спіс"};
inline constexpr LangTexts MsgSaveDesignChanges = {"Сохранить изменения в %1?",
                                                   "Save changes to %1?", "Захаваць змены ў %1?"};
inline constexpr LangTexts MsgSaveCurveChanges = {
    "Сохранить кривую «%1»?", "Save the curve \"%1\"?", "Захаваць крывую «%1»?"};
inline constexpr LangTexts MsgSaveNewCurve = {
    "Сохранить нарисованную кривую?", "Save the drawn curve?", "Захаваць намаляваную крывую?"};
inline constexpr LangTexts CaptionAskSave = {"Сохранить", "Save", "Захаваць"};
inline constexpr LangTexts CaptionAskDiscard = {"Не сохранять", "Discard", "Не захоўваць"};
inline constexpr LangTexts CaptionAskCancel = {"Отмена", "Cancel", "Скасаваць"};

// Pictures of the plots and copies of the per-band table.
inline constexpr LangTexts CaptionSavePicture = {"Сохранить как рисунок…", "Save as picture…",
                                                 "Захаваць як малюнак…"};
inline constexpr LangTexts CaptionCopy = {"Копировать", "Copy", "Капіяваць"};
inline constexpr LangTexts CaptionSelectAll = {"Выделить всё", "Select all", "Вылучыць усё"};
inline constexpr LangTexts FilterPictureFiles = {"Рисунок PNG (*.png);;Рисунок SVG (*.svg)",
                                                 "PNG picture (*.png);;SVG picture (*.svg)",
                                                 "Малюнак PNG (*.png);;Малюнак SVG (*.svg)"};
inline constexpr LangTexts CaptionExportPicture = {"Экспорт рисунка", "Export picture",
                                                   "Экспарт малюнка"};
inline constexpr LangTexts CaptionSpectrumPicture = {"Спектр…", "Spectrum…", "Спектр…"};
inline constexpr LangTexts CaptionPerBandPicture = {"Мощность по полосам…", "Power per band…",
                                                    "Магутнасць па палосах…"};
inline constexpr LangTexts NameLimitPicture = {"Что сдвигает предел", "What moves the limit",
                                               "Што зрушвае мяжу"};
inline constexpr LangTexts NameSpectrumPicture = {"спектр", "spectrum", "спектр"};

}  // namespace ampora
