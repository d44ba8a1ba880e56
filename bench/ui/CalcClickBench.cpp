// A whole click of the calculate button on the real window, boxes included.

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include "app/ProgramFolders.h"
#include "app/Table.h"
#include "app/ui/Controls.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Startup.h"
#include "calc/ui/ResultsPanel.h"
#include "curves/CurveStore.h"
#include "curves/ui/CurvePanel.h"

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

void BM_ButCalcClick(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile::copy(QCoreApplication::applicationDirPath() + "/Menu.cds", folder + "Menu.cds");
    ampora::ui::SetMessageHook([](const QString&) {});
    const auto main = ampora::ui::StartMainWindow(ampora::ProgramFolders::Portable(folder.toStdString()));
    if (!QTest::qWaitForWindowActive(main.get())) {
        state.SkipWithError("main window did not become active");
        return;
    }
    const auto box = [&main](const char* name) {
        return main->centralWidget()->findChild<QLineEdit*>(QString::fromUtf8(name));
    };
    box("Edit12")->setText("90");
    box("Edit14")->setText("92");
    QLineEdit* total = box("Edit19");
    for (auto _ : state) {
        main->results().ButCalcClick();
        benchmark::DoNotOptimize(total->text());
    }
}
BENCHMARK(BM_ButCalcClick)->Unit(benchmark::kMicrosecond);

// Start-up, opening the picker and shut-down with 10,000 saved curves.
void BM_TenThousandCurves(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = FolderWithCurves(dir, 10000);
    ampora::ui::SetMessageHook([](const QString&) {});
    const int phase = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto main = std::make_unique<ampora::ui::TF_Main>(ampora::ProgramFolders::Portable(folder.toStdString()));
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
BENCHMARK(BM_TenThousandCurves)->Arg(1)->Arg(2)->ArgName("open_picker1_shutdown2")->Unit(benchmark::kMillisecond);

// The window's creation itself: loading the curve file, taking the settings out.
void BM_StartUpTenThousandCurves(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = FolderWithCurves(dir, 10000);
    for (auto _ : state) {
        auto main = std::make_unique<ampora::ui::TF_Main>(ampora::ProgramFolders::Portable(folder.toStdString()));
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
