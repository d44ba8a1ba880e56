// The real program killed with SIGKILL at random moments of its start-up and
// of the write-back at the end, over a curve file of 2,000 user curves: the
// file must always load, hold every user curve and the settings of either the
// run before or the killed run, and the next start must work.
//
// AMPORA_CRASH_TRIALS sets the number of kills (default 20; the long run uses
// more), AMPORA_CRASH_SEED the random seed (default fixed).

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include "curves/CurveStore.h"
#include "store/Settings.h"
#include "store/Table.h"
#include "tests/TempDir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace ampora;
using Clock = std::chrono::steady_clock;

constexpr int UserCurves = 2000;

int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

int32_t LevelOf(int curve, int band) { return -((curve * 7 + band * 3) % 41); }
std::string NameOf(int curve) { return "User curve " + std::to_string(curve); }

void WriteUserCurves(const std::string& path, int32_t ampPower) {
    auto t = MakeCurveTable();
    t->createEmpty();
    for (int c = 0; c < UserCurves; ++c) {
        t->insert();
        t->setField(0, NameOf(c));
        for (int k = 1; k <= 31; ++k) t->setField(k, LevelOf(c, k));
        t->post();
    }
    SettingsValues s;
    s.ampPower = ampPower;
    AppendSettingsRecord(*t, s);
    t->saveToFile(path);
}

// Empty when the file holds every user curve unchanged and one settings
// record; otherwise what is wrong. ampPower: the settings' amplifier power.
std::string CheckCurveFile(const std::string& path, int32_t& ampPower) {
    auto t = MakeCurveTable();
    t->setFileName(path);
    try {
        t->load();
    } catch (const TableError& e) {
        return std::string("does not load: ") + e.what();
    }
    if (t->recordCount() != UserCurves + 1)
        return "holds " + std::to_string(t->recordCount()) + " records";
    for (int c = 0; c < UserCurves; ++c) {
        if (!t->locate(0, NameOf(c))) return NameOf(c) + " is missing";
        for (int k = 1; k <= 31; ++k)
            if (t->fieldInt(k) != LevelOf(c, k)) return NameOf(c) + " has a changed level";
    }
    if (!t->locate(0, SettingsRecordName)) return "no settings record";
    ampPower = ReadSettingsRecord(*t).ampPower;
    return {};
}

// One run of the program; kill() ends it at once.
class ProgramRun {
public:
    ProgramRun(const std::string& folder, int32_t ampPower) {
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const std::string power = std::to_string(ampPower);
        char* argv[] = {const_cast<char*>(AMPORA_CRASH_CHILD), const_cast<char*>(folder.c_str()),
                        const_cast<char*>(power.c_str()), nullptr};
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (posix_spawn(&pid_, AMPORA_CRASH_CHILD, &actions, nullptr, argv, environ) != 0)
            throw std::runtime_error("cannot start the program");
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out_ = fds[0];
        started_ = Clock::now();
    }
    ~ProgramRun() {
        if (pid_ > 0) kill();
        if (out_ >= 0) close(out_);
    }
    // Waits for the line the program prints before its shut-down.
    bool waitClosing(std::chrono::milliseconds limit) {
        pollfd p{out_, POLLIN, 0};
        std::string got;
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            const int left = int(
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
            if (poll(&p, 1, std::max(left, 1)) <= 0) continue;
            char buf[64];
            const ssize_t n = read(out_, buf, sizeof buf);
            if (n <= 0) return false;
            got.append(buf, size_t(n));
            if (got.find("closing\n") != std::string::npos) return true;
        }
        return false;
    }
    void kill() {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    // The exit code, or -1 when it did not end in time (it is killed then).
    int wait(std::chrono::seconds limit) {
        const auto end = Clock::now() + limit;
        int status = 0;
        while (Clock::now() < end) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        kill();
        return -1;
    }
    Clock::duration elapsed() const { return Clock::now() - started_; }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    Clock::time_point started_;
};

TEST(CrashConsistency, KilledAnywhereTheCurveFileSurvives) {
    testutil::TempDir dir;
    const std::string folder = dir.folder();
    const std::string curves = folder + CurvesFileName;
    fs::copy_file(AMPORA_MENU_CDS, folder + "Menu.cds");
    WriteUserCurves(curves, 1);

    // How long the start-up and the write-back take here.
    Clock::duration startUp{}, writeBack{};
    {
        ProgramRun run(folder, 2);
        ASSERT_TRUE(run.waitClosing(std::chrono::seconds(60)));
        startUp = run.elapsed();
        ASSERT_EQ(run.wait(std::chrono::seconds(60)), 0);
        writeBack = run.elapsed() - startUp;
    }
    int32_t power = 0;
    ASSERT_EQ(CheckCurveFile(curves, power), "");
    ASSERT_EQ(power, 2);

    const int trials = EnvInt("AMPORA_CRASH_TRIALS", 20);
    const unsigned seed = unsigned(EnvInt("AMPORA_CRASH_SEED", 20261208));
    std::mt19937 rng(seed);
    int32_t before = 2;
    int duringStartUp = 0, duringWriteBack = 0, completed = 0, lost = 0, leftovers = 0;
    for (int trial = 0; trial < trials; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial) + ", seed " + std::to_string(seed));
        const int32_t next = 1000 + trial;
        const bool inWriteBack = trial % 2 == 1;
        {
            ProgramRun run(folder, next);
            using us = std::chrono::microseconds;
            if (inWriteBack) {
                ASSERT_TRUE(run.waitClosing(std::chrono::seconds(60)));
                const auto span = std::chrono::duration_cast<us>(writeBack).count() * 11 / 10;
                std::this_thread::sleep_for(
                    us(std::uniform_int_distribution<long long>(0, span)(rng)));
            } else {
                const auto span = std::chrono::duration_cast<us>(startUp).count();
                std::this_thread::sleep_for(
                    us(std::uniform_int_distribution<long long>(0, span)(rng)));
            }
            run.kill();
        }
        for (const auto& e : fs::directory_iterator(folder))
            if (e.path().filename().string().find(".tmp-") != std::string::npos) ++leftovers;
        int32_t now = 0;
        const std::string problem = CheckCurveFile(curves, now);
        if (!problem.empty()) ++lost;
        ASSERT_EQ(problem, "");
        ASSERT_TRUE(now == before || now == next) << "settings of neither run: " << now;
        if (now == next) ++completed;
        (inWriteBack ? duringWriteBack : duringStartUp)++;
        before = now;
    }
    // The next start works, takes the leftovers away and saves its own settings.
    ProgramRun last(folder, 7);
    ASSERT_EQ(last.wait(std::chrono::seconds(60)), 0);
    int32_t power2 = 0;
    ASSERT_EQ(CheckCurveFile(curves, power2), "");
    EXPECT_EQ(power2, 7);
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name << " left behind";
        EXPECT_EQ(name.find(".damaged-"), std::string::npos) << name;
    }
    std::printf(
        "crash trials: %d (%d in start-up, %d in write-back), killed after the write: %d, "
        "files lost: %d, temporary files left by kills: %d\n",
        trials, duringStartUp, duringWriteBack, completed, lost, leftovers);
}

}  // namespace
