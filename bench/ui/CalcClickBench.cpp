// A whole click of the calculate button on the real window, boxes included.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

#include "app/ui/MainWindow.h"
#include "app/ui/Startup.h"
#include "calc/ui/ResultsPanel.h"
#include "curves/CurveStore.h"
#include "curves/ui/CurvePanel.h"
#include "kit/UserDialogs.h"
#include "store/ProgramFolders.h"
#include "store/Table.h"

namespace {

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

// The main window of a fresh program folder, shown and active; null (and the
// benchmark skipped) when it does not become active.
std::unique_ptr<ampora::ui::TF_Main> StartShown(const QTemporaryDir& dir, benchmark::State& state) {
    const QString folder = dir.path() + QLatin1Char('/');
    QFile::copy(QCoreApplication::applicationDirPath() + "/Menu.cds", folder + "Menu.cds");
    auto main = ampora::ui::StartMainWindow(ampora::ProgramFolders::Portable(folder.toStdString()));
    if (QTest::qWaitForWindowActive(main.get())) return main;
    state.SkipWithError("main window did not become active");
    return nullptr;
}

QLineEdit* Box(const ampora::ui::TF_Main& main, const char* name) {
    return main.centralWidget()->findChild<QLineEdit*>(QString::fromUtf8(name));
}

void BM_ButCalcClick(benchmark::State& state) {
    QTemporaryDir dir;
    ampora::ui::NoDialogs silent;
    const ampora::ui::UseDialogs useSilent(silent);
    const auto main = StartShown(dir, state);
    if (!main) return;
    const auto box = [&main](const char* name) { return Box(*main, name); };
    box("Edit12")->setText("90");
    box("Edit14")->setText("92");
    QLineEdit* total = box("Edit19");
    for (auto _ : state) {
        main->results().ButCalcClick();
        benchmark::DoNotOptimize(total->text());
    }
}
BENCHMARK(BM_ButCalcClick)->Unit(benchmark::kMicrosecond);

// A click with what it repaints, with Service -> Power per band open beside
// the main window (1) or never opened (0): the difference is what the window
// adds to a calculation.
void BM_ButCalcClickPainted(benchmark::State& state) {
    QTemporaryDir dir;
    ampora::ui::NoDialogs silent;
    const ampora::ui::UseDialogs useSilent(silent);
    const auto main = StartShown(dir, state);
    if (!main) return;
    if (state.range(0) == 1) {
        main->findChild<QAction*>(QStringLiteral("CmdPowerPerBand"))->trigger();
        // The calculation runs in the main window, as with a user's click.
        main->activateWindow();
        if (!QTest::qWaitForWindowActive(main.get())) {
            state.SkipWithError("main window did not become active again");
            return;
        }
    }
    const auto box = [&main](const char* name) { return Box(*main, name); };
    box("Edit12")->setText("90");
    box("Edit14")->setText("92");
    QLineEdit* amp = box("Edit9");
    QLineEdit* total = box("Edit19");
    QCoreApplication::processEvents();
    // Two amplifier powers in turn, so that every number changes.
    const QString powers[] = {QStringLiteral("100"), QStringLiteral("120")};
    size_t n = 0;
    for (auto _ : state) {
        amp->setText(powers[n++ % 2]);
        main->results().ButCalcClick();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(total->text());
    }
}
BENCHMARK(BM_ButCalcClickPainted)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("breakdown_open")
    ->Unit(benchmark::kMicrosecond);

// Start-up, opening the picker and shut-down with 10,000 saved curves.
void BM_TenThousandCurves(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = FolderWithCurves(dir, 10000);
    ampora::ui::NoDialogs silent;
    const ampora::ui::UseDialogs useSilent(silent);
    const int phase = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto main = std::make_unique<ampora::ui::TF_Main>(
            ampora::ProgramFolders::Portable(folder.toStdString()));
        main->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        if (phase == 1) {
            main->curves().CmdCurveOpenClick();
            QCoreApplication::processEvents();
        } else {
            main->close();
        }
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TenThousandCurves)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("open_picker1_shutdown2")
    ->Unit(benchmark::kMillisecond);

// The window's creation itself: loading the curve file, taking the settings out.
void BM_StartUpTenThousandCurves(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = FolderWithCurves(dir, 10000);
    for (auto _ : state) {
        auto main = std::make_unique<ampora::ui::TF_Main>(
            ampora::ProgramFolders::Portable(folder.toStdString()));
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
