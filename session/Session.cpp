#include "session/Session.h"

#include "calc/Linkwitz.h"
#include "curves/CurveStore.h"
#include "i18n/TextTable.h"
#include "kit/Controls.h"
#include "store/Table.h"

namespace ampora::ui {

Session::Session(const ProgramFolders& folders, QObject* parent)
    : QObject(parent),
      programFolder_(Q(folders.program)),
      dataFolder_(Q(folders.data)),
      userFolder_(Q(folders.user)),
      curves_(MakeCurveTable()),
      scratch_(MakeScratchTable()),
      texts_(MakeTextTable()) {
    setObjectName(QStringLiteral("Session"));
}

Session::~Session() = default;

QString Session::readSettings() {
    const CurveStoreReport report = IsCurvesFile(*curves_, *scratch_, S(userFolder_), Stored);
    return Q(report.keptDamagedAs);
}

bool Session::loadTexts() {
    texts_->setFileName(S(dataFolder_ + QString::fromUtf8(MenuFileName)));
    try {
        texts_->load();
    } catch (const TableError&) {
        texts_->createEmpty();
    }
    return texts_->recordCount() > 0;
}

void Session::writeSettings() { RewriteCurveTables(*curves_, *scratch_, Stored); }

void Session::setLanguage(Language language) {
    language_ = language;
    languageChosen_ = true;
    emit languageChanged();
}

QString Session::text(const LangTexts& texts) const { return Q(TextIn(texts, language_)); }

void Session::setLanguageSwitchEnabled(bool enabled) {
    languageSwitchEnabled_ = enabled;
    emit languageSwitchEnabledChanged(enabled);
}

Design Session::design() const { return withCurve(inputs_); }

Design Session::withCurve(Design d) const {
    d.spectrumName = S(CurCurveName);
    for (size_t i = 0; i < BandLevel.size(); ++i) {
        // Anything below the plot has no level.
        const int32_t bar = BandLevel[i];
        d.spectrumLevels[i] = bar >= 0 ? bar - 40 : NoBandLevel;
    }
    d.decimalSeparator = DecimalSeparator();
    d.powerHandling = ratings_;
    return d;
}

void Session::setInputs(const Design& fromBoxes, const Design& asChecked) {
    inputs_ = fromBoxes;
    if (asChecked == inputsToSave_) return;
    inputsToSave_ = asChecked;
    emit designEdited();
}

Design Session::designToSave() const {
    Design d = withCurve(inputsToSave_);
    // Never values that only the boxes would accept.
    const LinkwitzResult lw = ampora::CheckLinkwitz(d.linkwitzF1, d.linkwitzF2);
    d.linkwitzF1 = lw.active ? std::optional<int32_t>(lw.f1) : std::nullopt;
    d.linkwitzF2 = lw.active ? std::optional<int32_t>(lw.f2) : std::nullopt;
    // The file knows the two separators people use; any other locale's
    // separator is written as the point.
    if (d.decimalSeparator != ',') d.decimalSeparator = '.';
    return d;
}

void Session::openDesign(const Design& design) {
    setPowerRatings(design.powerHandling);
    emit designChanged(design);
}

void Session::setPowerRatings(const PowerRatings& ratings) {
    if (ratings == ratings_) return;
    ratings_ = ratings;
    emit powerRatingsChanged(ratings_);
    emit designEdited();
}

void Session::checkInputs() { emit inputsCheckRequested(); }
void Session::calculate() { emit calculationRequested(); }
void Session::clearResultsAndCalculate() { emit resultsOutdated(); }
void Session::clearPowers() { emit powersCleared(); }
void Session::showCorrectedInputs(const Evaluation& ev) { emit inputsCorrected(ev); }
void Session::finishCalculation(const Design& design, const Evaluation& ev,
                                const QString& stopMessage) {
    last_ = Calculation{design, ev, stopMessage};
    emit recalculated(design, ev, stopMessage);
}
void Session::cancelCurvePick() { emit curvePickCancelled(); }
void Session::setPrinting(bool on) { emit printing(on); }
void Session::focusCalc() { emit calcFocusRequested(); }
void Session::switchMidrange(bool on) { emit midrangeSwitched(on); }

}  // namespace ampora::ui
