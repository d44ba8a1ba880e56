// Start-up cost of Ampora against a bare Qt window, both headless: wall time
// and peak resident memory from process start to the first calculated result
// (the power boxes filled), measured pair by pair in one run so that both
// sides see the same machine load.
//
//   ampora_startup_bench [pairs]        (default 15, after one warm-up pair)
//
// The Ampora side is this executable started again with --ampora-child
// <folder>: it does what the program's entry does and reports when the
// tweeter's power box (the last one the calculation writes) is filled.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/ui/MainWindow.h"
#include "app/ui/Startup.h"
#include "bench/ui/startup/Probe.h"
#include "store/ProgramFolders.h"

namespace {

int AmporaChild(int argc, char* argv[], const QString& folder) {
    QApplication app(argc, argv);
    ampora::ui::SetWindowFont();
    bool reported = false;
    const auto probe = [&reported](ampora::ui::TF_Main& main) {
        auto* tweeterPower = main.centralWidget()->findChild<QLineEdit*>(QStringLiteral("Edit8"));
        QObject::connect(tweeterPower, &QLineEdit::textChanged, &main, [&](const QString& text) {
            if (reported || text.isEmpty()) return;
            reported = true;
            QTimer::singleShot(0, &main, [&main] {
                ampora::bench::ReportReady();
                main.close();  // the normal shut-down, so the next start finds a tidy folder
                QCoreApplication::quit();
            });
        });
    };
    const auto main = ampora::ui::StartMainWindow(
        ampora::ProgramFolders::Portable(folder.toStdString()), ampora::ui::Start::Shown, probe);
    if (main->terminationRequested()) return 1;
    return QApplication::exec();
}

struct Sample {
    double ms = 0;
    long peakKb = 0;
};

// Starts argv, waits for its READY line, then for its end.
bool Run(const std::vector<std::string>& args, Sample& out) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        // Qt's start-up chatter would drown the table.
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, STDERR_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> v;
        for (const auto& a : args) v.push_back(const_cast<char*>(a.c_str()));
        v.push_back(nullptr);
        execv(v[0], v.data());
        _exit(127);
    }
    close(fds[1]);
    std::string line;
    char c;
    bool ready = false;
    while (read(fds[0], &c, 1) == 1) {
        if (c != '\n') {
            line += c;
            continue;
        }
        if (line.rfind("READY ", 0) == 0) {
            out.ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count();
            out.peakKb = std::strtol(line.c_str() + 6, nullptr, 10);
            ready = true;
            break;
        }
        line.clear();
    }
    while (read(fds[0], &c, 1) == 1) {}
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return ready && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (argc >= 3 && std::string(argv[1]) == "--ampora-child")
        return AmporaChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    const int pairs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 15;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return 1;
    self[n] = '\0';
    const std::string dir = QFileInfo(QString::fromLocal8Bit(self)).absolutePath().toStdString();
    const std::string bare = dir + "/ampora_startup_bare";

    QTemporaryDir folder;
    const QString programFolder = folder.path() + QLatin1Char('/');
    if (!QFile::copy(QString::fromStdString(dir + "/Menu.cds"), programFolder + "Menu.cds")) {
        std::fprintf(stderr, "no Menu.cds beside %s\n", self);
        return 1;
    }
    const std::vector<std::string> ampora = {self, "--ampora-child", programFolder.toStdString()};

    // The warm-up pair fills the page cache and makes the curve file, which
    // every later start then only reads, as a user's second start does.
    Sample s;
    if (!Run(ampora, s) || !Run({bare}, s)) {
        std::fprintf(stderr, "a child did not report its first result\n");
        return 1;
    }
    std::vector<double> aMs, bMs, aKb, bKb, wallRatio, memRatio;
    std::printf("%4s %12s %12s %10s %10s\n", "pair", "ampora ms", "bare ms", "ampora kB",
                "bare kB");
    for (int i = 0; i < pairs; ++i) {
        Sample a, b;
        // Alternate which side goes first, so neither always finds a warmer machine.
        const bool ok =
            i % 2 ? (Run({bare}, b) && Run(ampora, a)) : (Run(ampora, a) && Run({bare}, b));
        if (!ok) {
            std::fprintf(stderr, "pair %d failed\n", i + 1);
            return 1;
        }
        std::printf("%4d %12.1f %12.1f %10ld %10ld\n", i + 1, a.ms, b.ms, a.peakKb, b.peakKb);
        aMs.push_back(a.ms);
        bMs.push_back(b.ms);
        aKb.push_back(double(a.peakKb));
        bKb.push_back(double(b.peakKb));
        wallRatio.push_back(a.ms / b.ms);
        memRatio.push_back(double(a.peakKb) / double(b.peakKb));
    }
    std::printf("median %10.1f %12.1f %10.0f %10.0f\n", Median(aMs), Median(bMs), Median(aKb),
                Median(bKb));
    std::printf("ratio ampora/bare (median of the pairs): wall %.2fx, peak memory %.2fx\n",
                Median(wallRatio), Median(memRatio));
    return 0;
}
