#include "curves/ui/MeasurementCommands.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>

#include "curves/CurveStore.h"
#include "curves/MeasurementImport.h"
#include "curves/ui/CurvePanel.h"
#include "i18n/Messages.h"
#include "kit/Controls.h"
#include "kit/FileChooser.h"
#include "session/Session.h"
#include "store/SafeFile.h"

namespace ampora::ui {

namespace {

QString Text(const CurvePanel& curves, const LangTexts& texts) {
    return curves.session().text(texts);
}

QString Problem(const CurvePanel& curves, const MeasurementImport& r) {
    QString text;
    switch (r.error) {
        case SpectrumError::Binary: return Text(curves, MsgSpectrumBinary);
        case SpectrumError::TooLarge: return Text(curves, MsgSpectrumTooLarge);
        case SpectrumError::Empty: return Text(curves, MsgSpectrumEmpty);
        case SpectrumError::NoNumbers: return Text(curves, MsgSpectrumNoNumbers);
        case SpectrumError::OnePoint: return Text(curves, MsgSpectrumOnePoint);
        case SpectrumError::OutOfRange: return Text(curves, MsgSpectrumOutOfRange);
        case SpectrumError::TooNarrow: return Text(curves, MsgSpectrumTooNarrow);
        case SpectrumError::Impedance: return Text(curves, MsgSpectrumImpedance);
        case SpectrumError::WrongLevelCount:
            return Text(curves, MsgSpectrumLevelCountPre) + QString::number(r.count) +
                   Text(curves, MsgSpectrumLevelCountPost);
        case SpectrumError::NotANumber: text = Text(curves, MsgSpectrumNotANumber); break;
        case SpectrumError::NotFinite: text = Text(curves, MsgSpectrumNotFinite); break;
        case SpectrumError::BadFrequency: text = Text(curves, MsgSpectrumBadFrequency); break;
        case SpectrumError::ExportedRow: text = Text(curves, MsgSpectrumExportedRow); break;
        case SpectrumError::None: return {};
    }
    return Text(curves, MsgSpectrumLine) + QString::number(r.line) + QStringLiteral(": ") + text;
}

void Refuse(CurvePanel& curves, const QString& path, const QString& problem) {
    ShowMessage(curves.window(), Text(curves, MsgSpectrumRefused) + QFileInfo(path).fileName() +
                                     QLatin1Char('\n') + problem);
}

void ImportCommand(CurvePanel& curves) {
    const QString path =
        ChooseFile(curves.window(), FileChoice::Open, Text(curves, CaptionImportSpectrum), {},
                   Text(curves, FilterSpectrumFiles));
    if (!path.isEmpty()) ImportSpectrumFile(curves, path);
    curves.window()->activateWindow();
}

void ExportCommand(CurvePanel& curves) {
    bool any = false;
    for (int32_t bar : curves.session().BandLevel) any = any || bar >= 0;
    if (!any) {
        ShowMessage(curves.window(), Text(curves, MsgNoDataToSave));
        return;
    }
    const Session& s = curves.session();
    const QString name = s.CurCurveName.isEmpty() ? QStringLiteral("curve") : s.CurCurveName;
    QString path = ChooseExportFile(curves.window(), {s.designPath(), s.userFolder()},
                                    Text(curves, CaptionExportCurve), name, QStringLiteral(".csv"),
                                    Text(curves, FilterCsvFiles));
    if (!path.isEmpty()) {
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
        ExportCurveFile(curves, path);
    }
    curves.window()->activateWindow();
}

}  // namespace

void InstallMeasurementCommands(CurvePanel& curves, QMenu* curve) {
    curve->addSeparator()->setObjectName(QStringLiteral("CmdCurveBreak2"));
    QAction* import = curve->addAction(QString());
    import->setObjectName(QStringLiteral("CmdCurveImport"));
    QAction* exportCurve = curve->addAction(QString());
    exportCurve->setObjectName(QStringLiteral("CmdCurveExport"));
    QObject::connect(import, &QAction::triggered, &curves, [&curves] { ImportCommand(curves); });
    QObject::connect(exportCurve, &QAction::triggered, &curves,
                     [&curves] { ExportCommand(curves); });
    const auto retranslate = [&curves, import, exportCurve] {
        import->setText(Text(curves, CaptionImportSpectrum));
        exportCurve->setText(Text(curves, CaptionExportCurve));
    };
    retranslate();
    QObject::connect(&curves.session(), &Session::languageChanged, &curves, retranslate);
}

bool ImportSpectrumFile(CurvePanel& curves, const QString& path) {
    // A huge file is refused from its size, before it is read into memory.
    const FileBytes file = ReadFileSafely(QFile::encodeName(path).toStdString(), SpectrumMaxBytes);
    if (file.status.fault == FileFault::TooLarge) {
        Refuse(curves, path, Text(curves, MsgSpectrumTooLarge));
        return false;
    }
    if (!file.status.ok()) {
        ShowMessage(curves.window(),
                    Text(curves, MsgFileReadFailed) + path + QLatin1Char('\n') +
                        Q(FileStatusText(file.status, TextIndex(curves.session().language()))));
        return false;
    }
    const MeasurementImport r = ParseSpectrum(file.bytes, S(QFileInfo(path).fileName()));
    if (r.error != SpectrumError::None) {
        Refuse(curves, path, Problem(curves, r));
        return false;
    }
    // The graph shows it like a curve just opened, but with no record behind
    // it: Save asks for the name, proposing the file's.
    curves.showImportedCurve(
        Q(CurveNameFromFileName(S(QFileInfo(path).fileName()), CurveNameLength)), r.levels);
    return true;
}

bool ExportCurveFile(CurvePanel& curves, const QString& path) {
    std::array<int32_t, 31> levels{};
    for (int i = 0; i < 31; ++i) {
        const int32_t bar = curves.session().BandLevel[size_t(i)];
        levels[size_t(i)] = bar >= 0 ? bar - 40 : NoLevel;
    }
    const FileStatus s =
        WriteFileSafely(QFile::encodeName(path).toStdString(), ExportCurveCsv(levels));
    if (!s.ok()) {
        ShowMessage(curves.window(),
                    Text(curves, MsgFileWriteFailed) + path + QLatin1Char('\n') +
                        Q(FileStatusText(s, TextIndex(curves.session().language()))));
        return false;
    }
    return true;
}

}  // namespace ampora::ui
