// The curve file's start-up check and the shut-down rewrite over any bytes at
// the place of Curves.cds: the program must start with usable tables and put
// a damaged file aside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "curves/CurveStore.h"
#include "fuzz/FuzzSupport.h"
#include "store/Settings.h"
#include "store/Table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    const std::string folder = ampora::fuzz::ScratchFolder();
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) fs::remove_all(e.path(), ec);
    ampora::fuzz::WriteFile(folder + ampora::CurvesFileName, data, size);

    auto t1 = ampora::MakeCurveTable();
    auto t2 = ampora::MakeScratchTable();
    ampora::SettingsValues settings;
    const ampora::CurveStoreReport report = ampora::IsCurvesFile(*t1, *t2, folder, settings);
    if (report.created && t1->recordCount() != 5) std::abort();  // built-ins missing
    for (int r = 0; r < t1->recordCount(); ++r) (void)t1->cellAt(r, 0);
    ampora::RewriteCurveTables(*t1, *t2, settings);
    try {
        t1->close();
    } catch (const ampora::TableError&) {
        return 0;  // nothing written, nothing to read back
    }
    // What was written back loads again.
    auto again = ampora::MakeCurveTable();
    again->setFileName(folder + ampora::CurvesFileName);
    try {
        again->load();
    } catch (const ampora::TableError&) {
        std::abort();
    }
    return 0;
}
