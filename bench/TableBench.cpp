// Table engine and curve store timings: file load and save, lookups and
// inserts from 100 to 100,000 records, and the curve store's start-up and
// shut-down with 10,000 curves.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <random>

#include "curves/CurveStore.h"
#include "store/Settings.h"
#include "store/Table.h"

namespace fs = std::filesystem;
using namespace ampora;

namespace {

class BenchDir {
public:
    BenchDir() {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("ampora-bench-" + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~BenchDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string folder(const std::string& name) const {
        fs::create_directories(path_ / name);
        return (path_ / name).string() + "/";
    }

private:
    fs::path path_;
};

BenchDir& Dir() {
    static BenchDir dir;
    return dir;
}

// Distinct names in random order, half Latin, half Cyrillic.
std::vector<std::string> Names(int n) {
    std::vector<std::string> names;
    names.reserve(n);
    for (int k = 0; k < n; ++k) names.push_back((k % 2 ? "Кривая " : "Curve ") + std::to_string(k));
    std::shuffle(names.begin(), names.end(), std::mt19937(42));
    return names;
}

void Fill(Table& t, const std::vector<std::string>& names) {
    t.createEmpty();
    int32_t level = 0;
    for (const auto& name : names) {
        t.insert();
        t.setField(0, std::string_view(name));
        for (int k = 1; k <= 31; ++k) t.setField(k, -(level++ % 41));
        t.post();
    }
}

const std::string& CurveFile(int n) {
    static std::map<int, std::string> files;
    auto it = files.find(n);
    if (it != files.end()) return it->second;
    const std::string path = Dir().file("curves-" + std::to_string(n) + ".cds");
    auto t = MakeCurveTable();
    Fill(*t, Names(n));
    t->saveToFile(path);
    return files[n] = path;
}

void BM_Load(benchmark::State& state) {
    const std::string& path = CurveFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto t = MakeCurveTable();
        t->setFileName(path);
        t->load();
        benchmark::DoNotOptimize(t->recordCount());
    }
}

void BM_Save(benchmark::State& state) {
    auto t = MakeCurveTable();
    Fill(*t, Names(static_cast<int>(state.range(0))));
    const std::string path = Dir().file("save.cds");
    for (auto _ : state) t->saveToFile(path);
}

void BM_LocateIndexed(benchmark::State& state) {
    const auto names = Names(static_cast<int>(state.range(0)));
    auto t = MakeCurveTable();
    Fill(*t, names);
    size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t->locate(0, names[k]));
        k = (k + 7919) % names.size();
    }
}

// Lookup on a field without the index: a scan to the last stored record.
void BM_LocateUnindexed(benchmark::State& state) {
    const auto names = Names(static_cast<int>(state.range(0)));
    Table t(CurveFields());
    Fill(t, names);
    for (auto _ : state) benchmark::DoNotOptimize(t.locate(0, names.back()));
}

// One insert and post into the index order, undone by a delete so that the
// table keeps its size.
void BM_InsertAndRemove(benchmark::State& state) {
    const auto names = Names(static_cast<int>(state.range(0)));
    auto t = MakeCurveTable();
    Fill(*t, names);
    size_t k = 0;
    for (auto _ : state) {
        t->insert();
        t->setField(0, std::string_view(names[k] + "x"));
        for (int f = 1; f <= 31; ++f) t->setField(f, -1);
        t->post();
        t->remove();
        k = (k + 7919) % names.size();
    }
}

// Reading every cell in index order, as the picker's grid does.
void BM_PickerRead(benchmark::State& state) {
    auto t = MakeCurveTable();
    Fill(*t, Names(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        int64_t sum = 0;
        for (int r = 0; r < t->recordCount(); ++r) {
            sum += static_cast<int64_t>(t->cellAt(r, 0).text->size());
            for (int f = 1; f <= 31; ++f) sum += *t->cellAt(r, f).number;
        }
        benchmark::DoNotOptimize(sum);
    }
}

constexpr int StoreCurves = 10000;

void PrepareStore(const std::string& folder) {
    auto t = MakeCurveTable();
    Fill(*t, Names(StoreCurves));
    SettingsValues v;
    v.savedCurveRecNo = 17;
    AppendSettingsRecord(*t, v);
    t->saveToFile(folder + CurvesFileName);
}

void BM_StoreStartUp(benchmark::State& state) {
    const std::string folder = Dir().folder("startup");
    PrepareStore(folder);
    for (auto _ : state) {
        auto t1 = MakeCurveTable(), t2 = MakeScratchTable();
        SettingsValues v;
        IsCurvesFile(*t1, *t2, folder, v);
        benchmark::DoNotOptimize(t1->recordCount());
        state.PauseTiming();
        t1->setFileName({});  // keep the prepared file as it is
        t1->close();
        t2->close();
        state.ResumeTiming();
    }
}

void BM_StoreShutDown(benchmark::State& state) {
    const std::string folder = Dir().folder("shutdown");
    for (auto _ : state) {
        state.PauseTiming();
        PrepareStore(folder);
        auto t1 = MakeCurveTable(), t2 = MakeScratchTable();
        SettingsValues v;
        IsCurvesFile(*t1, *t2, folder, v);
        state.ResumeTiming();
        RewriteCurveTables(*t1, *t2, v);
        t1->close();
    }
}

}  // namespace

BENCHMARK(BM_Load)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateIndexed)->RangeMultiplier(10)->Range(100, 100000);
BENCHMARK(BM_LocateUnindexed)->RangeMultiplier(10)->Range(100, 100000);
BENCHMARK(BM_InsertAndRemove)->RangeMultiplier(10)->Range(100, 100000);
BENCHMARK(BM_PickerRead)->Arg(StoreCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreStartUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreShutDown)->Unit(benchmark::kMillisecond);
