#pragma once
// What the panels of the main window share, and the only way they reach one
// another: the design as the boxes hold it, the current curve, the interface
// language, the program's tables and the settings record. A panel changes the
// shared state here and learns of the other panels' changes from the
// signals; no panel includes another.

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "calc/Design.h"
#include "calc/Evaluate.h"
#include "i18n/Language.h"
#include "i18n/Messages.h"
#include "store/ProgramFolders.h"
#include "store/Settings.h"

namespace ampora {
class Table;
}

namespace ampora::ui {

// What the curve picker is there for; idle when no curve command waits in it.
enum CurveModes : uint8_t { ModeIdle = 0, ModeNew = 1, ModeOpen = 2, ModeSave = 4, ModeDelete = 5 };

class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(const ProgramFolders& folders, QObject* parent = nullptr);
    ~Session() override;

    // --- where the files live, each with a trailing '/'
    const QString& programFolder() const { return programFolder_; }
    const QString& dataFolder() const { return dataFolder_; }  // Menu.cds, help (read only)
    const QString& userFolder() const { return userFolder_; }  // Curves.cds, Ctmp.cds

    // --- the tables
    ampora::Table& curveTable() const { return *curves_; }     // the user's curves
    ampora::Table& scratchTable() const { return *scratch_; }  // Ctmp.cds, for the write-back
    ampora::Table& textTable() const { return *texts_; }       // the interface texts

    // --- the settings record, read at start-up and written at the end
    // Opens the curve file (making or repairing it as needed) and takes the
    // record out of it into Stored. Returns where an unusable curve file was
    // kept aside, "" when nowhere.
    QString readSettings();
    // Loads the interface texts; false when there are none to load.
    bool loadTexts();
    // Puts Stored back into the curve file as the panels filled it.
    void writeSettings();
    SettingsValues Stored;

    // --- the interface language
    Language language() const { return language_; }
    // Every call, also for the language already chosen, makes the windows
    // follow (languageChanged).
    void setLanguage(Language language);
    // False until the first switch: until then every window shows the texts
    // it was built with.
    bool languageChosen() const { return languageChosen_; }
    QString text(const LangTexts& texts) const;  // a message in the current language
    // Switched off while a curve command waits in the picker.
    bool languageSwitchEnabled() const { return languageSwitchEnabled_; }
    void setLanguageSwitchEnabled(bool enabled);

    // --- the current curve, under the names of the graph's handlers
    QString CurCurveName;
    int32_t CurCurveRecNo = -1;
    uint8_t CurveMode = ModeOpen;
    // Bar heights: the level + 40; below 0 the band has no level.
    std::array<int32_t, 31> BandLevel{};

    // --- the design: the inputs as the boxes hold them, the current curve
    // as its spectrum, the user's decimal separator.
    Design design() const;
    // The input panel after any change of its boxes (the spectrum is ignored):
    // the inputs as the last check left them, and as a check would leave
    // them now.
    void setInputs(const Design& fromBoxes, const Design& asChecked);
    // What Save design writes: the boxes as a check takes them, the Linkwitz
    // frequencies as the calculation uses them, the point or the comma.
    Design designToSave() const;
    // The graph after it showed another curve or other levels.
    void curveChanged() { emit designEdited(); }
    // A design from a file: every panel shows its part (designChanged).
    void openDesign(const Design& design);
    // The file that Save design writes to, "" until one was opened or saved.
    const QString& designPath() const { return designPath_; }
    void setDesignPath(const QString& path) { designPath_ = path; }
    // The drivers' power ratings, crest factor and target: part of the
    // design, though no box of the main window holds them.
    const PowerRatings& powerRatings() const { return ratings_; }
    void setPowerRatings(const PowerRatings& ratings);

    // --- requests from one panel to another
    void checkInputs();               // boxes that hold no number show their default
    void calculate();                 // as "Calc!" does
    void clearResultsAndCalculate();  // the results shown no longer fit the inputs
    void clearPowers();               // the drivers' power boxes only
    void showCorrectedInputs(const Evaluation& ev);
    void finishCalculation(const Design& design, const Evaluation& ev, const QString& stopMessage);
    // The last calculation, for a window opened after it; none before the
    // first.
    struct Calculation {
        Design design;
        Evaluation ev;
        QString stopMessage;
    };
    const std::optional<Calculation>& lastCalculation() const { return last_; }
    void cancelCurvePick();
    void setPrinting(bool printing);
    void focusCalc();
    void switchMidrange(bool on);

signals:
    // After a language switch, once the main window's captions are set.
    void languageChanged();
    void languageSwitchEnabledChanged(bool enabled);
    void designChanged(const ampora::Design& design);
    // Something a design holds may have changed: a box, a list, a check box,
    // the curve, the ratings.
    void designEdited();
    void powerRatingsChanged(const ampora::PowerRatings& ratings);
    void inputsCheckRequested();
    void calculationRequested();
    void resultsOutdated();
    void powersCleared();
    // Right after the evaluation, before any message: the inputs as the
    // calculation used them (Linkwitz frequencies, dropped equalisation, the
    // midrange edges in order).
    void inputsCorrected(const ampora::Evaluation& ev);
    // After every calculation that got past the activation check: the design
    // it read, its evaluation, and the message it stopped with ("" when it
    // went through).
    void recalculated(const ampora::Design& design, const ampora::Evaluation& ev,
                      const QString& stopMessage);
    void curvePickCancelled();
    // The window goes to paper (true) and comes back (false): the filter
    // lists make way for their plain stand-ins.
    void printing(bool printing);
    void calcFocusRequested();
    void midrangeSwitched(bool on);

private:
    Design withCurve(Design fromBoxes) const;

    QString programFolder_, dataFolder_, userFolder_;
    std::unique_ptr<ampora::Table> curves_, scratch_, texts_;
    Language language_ = Language::Russian;
    bool languageChosen_ = false;
    bool languageSwitchEnabled_ = true;
    Design inputs_, inputsToSave_;
    PowerRatings ratings_;
    QString designPath_;
    std::optional<Calculation> last_;
};

}  // namespace ampora::ui
