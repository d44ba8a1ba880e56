#include "curves/ui/MeasurementCommands.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>

#include "kit/Controls.h"
#include "kit/FileChooser.h"
#include "app/ui/MainWindow.h"
#include "curves/CurveStore.h"
#include "curves/MeasurementImport.h"
#include "i18n/ui/LangText.h"
#include "i18n/Messages.h"

namespace ampora::ui {

namespace {

QString Text(const TF_Main& main, const LangTexts& texts) {
    return LangText(texts, main.CheckedLanguage());
}

QString Problem(const TF_Main& main, const MeasurementImport& r) {
    QString text;
    switch (r.error) {
        case SpectrumError::Binary: return Text(main, MsgSpectrumBinary);
        case SpectrumError::TooLarge: return Text(main, MsgSpectrumTooLarge);
        case SpectrumError::Empty: return Text(main, MsgSpectrumEmpty);
        case SpectrumError::NoNumbers: return Text(main, MsgSpectrumNoNumbers);
        case SpectrumError::OnePoint: return Text(main, MsgSpectrumOnePoint);
        case SpectrumError::OutOfRange: return Text(main, MsgSpectrumOutOfRange);
        case SpectrumError::WrongLevelCount:
            return Text(main, MsgSpectrumLevelCountPre) + QString::number(r.count) +
                   Text(main, MsgSpectrumLevelCountPost);
        case SpectrumError::NotANumber: text = Text(main, MsgSpectrumNotANumber); break;
        case SpectrumError::NotFinite: text = Text(main, MsgSpectrumNotFinite); break;
        case SpectrumError::BadFrequency: text = Text(main, MsgSpectrumBadFrequency); break;
        case SpectrumError::None: return {};
    }
    return Text(main, MsgSpectrumLine) + QString::number(r.line) + QStringLiteral(": ") + text;
}

void Refuse(TF_Main& main, const QString& path, const QString& problem) {
    ShowMessage(&main, Text(main, MsgSpectrumRefused) + QFileInfo(path).fileName() +
                           QLatin1Char('\n') + problem);
}

void ImportCommand(TF_Main& main) {
    const QString path = ChooseFile(&main, FileChoice::Open, Text(main, CaptionImportSpectrum),
                                    {}, Text(main, FilterSpectrumFiles));
    if (!path.isEmpty()) ImportSpectrumFile(main, path);
    main.activateWindow();
}

void ExportCommand(TF_Main& main) {
    bool any = false;
    for (int32_t bar : main.BandLevel) any = any || bar >= 0;
    if (!any) {
        ShowMessage(&main, Text(main, MsgNoDataToSave));
        return;
    }
    const QString suggested =
        (main.CurCurveName.isEmpty() ? QStringLiteral("curve") : main.CurCurveName) +
        QStringLiteral(".csv");
    QString path = ChooseFile(&main, FileChoice::Save, Text(main, CaptionExportCurve), suggested,
                              Text(main, FilterCsvFiles));
    if (!path.isEmpty()) {
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
        ExportCurveFile(main, path);
    }
    main.activateWindow();
}

}  // namespace

void InstallMeasurementCommands(TF_Main& main) {
    QMenu* curve = main.MenuItems.value(QStringLiteral("SubMenuCurve"))->menu();
    curve->addSeparator()->setObjectName(QStringLiteral("CmdCurveBreak2"));
    QAction* import = curve->addAction(QString());
    import->setObjectName(QStringLiteral("CmdCurveImport"));
    QAction* exportCurve = curve->addAction(QString());
    exportCurve->setObjectName(QStringLiteral("CmdCurveExport"));
    QObject::connect(import, &QAction::triggered, &main, [&main] { ImportCommand(main); });
    QObject::connect(exportCurve, &QAction::triggered, &main, [&main] { ExportCommand(main); });
    const auto retranslate = [&main, import, exportCurve] {
        import->setText(Text(main, CaptionImportSpectrum));
        exportCurve->setText(Text(main, CaptionExportCurve));
    };
    retranslate();
    QObject::connect(&main, &TF_Main::languageChanged, &main, retranslate);
}

bool ImportSpectrumFile(TF_Main& main, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessage(&main, Text(main, MsgFileReadFailed) + path);
        return false;
    }
    // A huge file is refused from its size, before it is read into memory.
    if (file.size() > qint64(SpectrumMaxBytes)) {
        Refuse(main, path, Text(main, MsgSpectrumTooLarge));
        return false;
    }
    const QByteArray bytes = file.read(qint64(SpectrumMaxBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        ShowMessage(&main, Text(main, MsgFileReadFailed) + path);
        return false;
    }
    const MeasurementImport r = ParseSpectrum(std::string_view(bytes.constData(), size_t(bytes.size())));
    if (r.error != SpectrumError::None) {
        Refuse(main, path, Problem(main, r));
        return false;
    }
    // The graph shows it like a curve just opened, but with no record behind
    // it: Save asks for the name, proposing the file's.
    for (int i = 0; i < 31; ++i) {
        main.BandLevel[size_t(i)] = 40 + r.levels[size_t(i)];
        main.BandDepth[size_t(i)] = 40 - main.BandLevel[size_t(i)];
    }
    if (main.CurveMode != ModeIdle && main.CurveMode != ModeNew) main.ButSelectCurveCancelClick();
    main.CurCurveRecNo = -1;
    main.CurCurveName = Q(CurveNameFromFileName(S(QFileInfo(path).fileName()), CurveNameLength));
    main.CurveMode = ModeNew;
    main.Label24->setText(QStringLiteral("( ") + main.CurCurveName + QStringLiteral(" )"));
    main.Label24->adjustSize();
    main.DrawGrid();
    main.ClearLowBoxes();
    return true;
}

bool ExportCurveFile(TF_Main& main, const QString& path) {
    std::array<int32_t, 31> levels{};
    for (int i = 0; i < 31; ++i) {
        const int32_t bar = main.BandLevel[size_t(i)];
        levels[size_t(i)] = bar >= 0 ? bar - 40 : NoLevel;
    }
    const std::string csv = ExportCurveCsv(levels);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), qint64(csv.size())) != qint64(csv.size()) || !file.commit()) {
        ShowMessage(&main, Text(main, MsgFileWriteFailed) + path);
        return false;
    }
    return true;
}

}  // namespace ampora::ui
