// A whole click of the calculate button on the real window, boxes included.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include "store/Table.h"
#include "app/ui/AboutWindow.h"
#include "curves/CurveStore.h"
#include "kit/UserDialogs.h"
#include "app/ui/MainWindow.h"
#include "iec/ui/IecWindow.h"

namespace {

// A message would stop the benchmark; nobody reads it.
class SilentDialogs final : public ampora::ui::UserDialogs {
public:
    void message(QWidget*, const QString&) override {}
    bool askRetry(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
        return false;
    }
    bool print(QWidget*) override { return false; }
    bool help(QWidget*, const QString&) override { return false; }
    QString chooseFile(QWidget*, ampora::ui::FileChoice, const QString&, const QString&,
                       const QString&) override {
        return {};
    }
};

// A program folder whose curve file holds `count` curves.
QString FolderWithCurves(const QTemporaryDir& dir, int count) {
    const QString folder = dir.path() + QLatin1Char('/');
    QFile::copy(QCoreApplication::applicationDirPath() + "/Menu.cds", folder + "Menu.cds");
    auto table = ampora::MakeCurveTable();
    table->createEmpty();
    for (int n = 0; n < count; ++n) {
        table->insert();
        table->setField(0, "Curve " + std::to_string(n));
        for (int b = 1; b <= 31; ++b) table->setField(b, -(n + b) % 41);
        table->post();
    }
    table->saveToFile((folder + "Curves.cds").toStdString());
    return folder;
}

void BM_ButCalcClick(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile::copy(QCoreApplication::applicationDirPath() + "/Menu.cds", folder + "Menu.cds");
    SilentDialogs silent;
    const ampora::ui::UseDialogs useSilent(silent);
    ampora::ui::TF_Main main(folder);
    auto* iec = new ampora::ui::TF_IecGost(&main);
    auto* about = new ampora::ui::TF_About(&main);
    main.setWindows(iec, about);
    main.show();
    main.activateWindow();
    if (!QTest::qWaitForWindowActive(&main)) {
        state.SkipWithError("main window did not become active");
        return;
    }
    main.edit(12)->setText("90");
    main.edit(14)->setText("92");
    for (auto _ : state) {
        main.ButCalcClick();
        benchmark::DoNotOptimize(main.edit(19)->text());
    }
}
BENCHMARK(BM_ButCalcClick)->Unit(benchmark::kMicrosecond);

// A click with what it repaints, with Service -> Power per band open beside
// the main window (1) or never opened (0): the difference is what the window
// adds to a calculation.
void BM_ButCalcClickPainted(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile::copy(QCoreApplication::applicationDirPath() + "/Menu.cds", folder + "Menu.cds");
    SilentDialogs silent;
    const ampora::ui::UseDialogs useSilent(silent);
    ampora::ui::TF_Main main(folder);
    auto* iec = new ampora::ui::TF_IecGost(&main);
    auto* about = new ampora::ui::TF_About(&main);
    main.setWindows(iec, about);
    main.show();
    main.activateWindow();
    if (!QTest::qWaitForWindowActive(&main)) {
        state.SkipWithError("main window did not become active");
        return;
    }
    if (state.range(0) == 1) {
        main.findChild<QAction*>(QStringLiteral("CmdPowerPerBand"))->trigger();
        // The calculation runs in the main window, as with a user's click.
        main.activateWindow();
        if (!QTest::qWaitForWindowActive(&main)) {
            state.SkipWithError("main window did not become active again");
            return;
        }
    }
    main.edit(12)->setText("90");
    main.edit(14)->setText("92");
    QCoreApplication::processEvents();
    // Two amplifier powers in turn, so that every number changes.
    const QString powers[] = {QStringLiteral("100"), QStringLiteral("120")};
    size_t n = 0;
    for (auto _ : state) {
        main.edit(9)->setText(powers[n++ % 2]);
        main.ButCalcClick();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(main.edit(19)->text());
    }
}
BENCHMARK(BM_ButCalcClickPainted)->Arg(0)->Arg(1)->ArgName("breakdown_open")->Unit(benchmark::kMicrosecond);

// Start-up, opening the picker and shut-down with 10,000 saved curves.
void BM_TenThousandCurves(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = FolderWithCurves(dir, 10000);
    SilentDialogs silent;
    const ampora::ui::UseDialogs useSilent(silent);
    const int phase = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto main = std::make_unique<ampora::ui::TF_Main>(folder);
        main->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        if (phase == 1) {
            main->CmdCurveOpenClick();
            QCoreApplication::processEvents();
        } else {
            main->close();
        }
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TenThousandCurves)->Arg(1)->Arg(2)->ArgName("open_picker1_shutdown2")->Unit(benchmark::kMillisecond);

// The window's creation itself: loading the curve file, taking the settings out.
void BM_StartUpTenThousandCurves(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = FolderWithCurves(dir, 10000);
    for (auto _ : state) {
        auto main = std::make_unique<ampora::ui::TF_Main>(folder);
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpTenThousandCurves)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
