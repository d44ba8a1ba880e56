#include "curves/CurveStore.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace ampora {

namespace {

constexpr std::array<int32_t, 31> WhiteNoise() {
    std::array<int32_t, 31> a{};
    for (int k = 1; k <= 31; ++k) a[k - 1] = k - 31;
    return a;
}

constexpr std::array<int32_t, 31> PresetClassic = {
    -36, -35, -31, -27, -22, -13, -11, -7,  -7,  -5,  -4,  -3,  -1,  0,   0,  -1,
    -2,  -3,  -4,  -5,  -6,  -8,  -11, -13, -17, -20, -22, -26, -31, -37, -40};
constexpr std::array<int32_t, 31> PresetRock = {-23, -19, -14, -9,  -4,  -2,  0,   0,   -1, -1, -2,
                                                -3,  -3,  -4,  -4,  -3,  -4,  -5,  -5,  -5, -5, -5,
                                                -6,  -8,  -9,  -11, -11, -13, -15, -19, -27};

// Keeps a file that could not be read beside itself under a dated name, so
// that replacing it loses nothing. Returns the new name, "" if it could not
// be kept.
std::string KeepDamaged(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".damaged-" + stamp;
    std::error_code ec;
    for (int n = 1; n < 1000; ++n) {
        const std::string candidate = n == 1 ? base : base + "-" + std::to_string(n);
        if (fs::exists(fs::symlink_status(candidate, ec))) continue;
        fs::rename(path, candidate, ec);
        if (!ec) return candidate;
        // Renaming may be refused where copying is not (e.g. a file in use).
        if (fs::is_regular_file(path, ec) && fs::copy_file(path, candidate, ec)) return candidate;
        return {};
    }
    return {};
}

// Opens table from file, or starts it empty and tries to create the file at
// once. A folder that cannot be written does not stop the start-up; the
// write-back at the end reports it.
void LoadOrCreate(Table& table, Table::Durability durability) {
    try {
        table.load();
        return;
    } catch (const TableError&) {}
    table.createEmpty();
    try {
        table.saveToFile(table.fileName(), durability);
    } catch (const TableError&) {}
}

void CopyRecords(const Table& from, Table& to) {
    const int fields = static_cast<int>(from.fields().size());
    for (int r = 0; r < from.recordCount(); ++r) {
        to.insert();
        for (int f = 0; f < fields; ++f) {
            const Cell& c = from.cellAt(r, f);
            if (c.text)
                to.setField(f, std::string_view(*c.text));
            else if (c.number)
                to.setField(f, *c.number);
            else
                to.setNull(f);
        }
        to.post();
    }
}

}  // namespace

const std::array<BuiltInCurve, 5> BuiltInCurves = {{
    {PresetCurveNames[4], {}},
    {PresetCurveNames[3], WhiteNoise()},
    {PresetCurveNames[2], PresetRock},
    {PresetCurveNames[1], PresetClassic},
    {PresetCurveNames[0], PresetIecDin},
}};

std::vector<FieldDef> CurveFields() {
    std::vector<FieldDef> f;
    f.push_back({"CurveName", FieldType::String, CurveNameLength});
    for (int k = 1; k <= 31; ++k) f.push_back({"a" + std::to_string(k), FieldType::Int, 0});
    return f;
}

std::unique_ptr<Table> MakeCurveTable() {
    return std::make_unique<Table>(CurveFields(), 0, IndexOrder::Ascending);
}

std::unique_ptr<Table> MakeScratchTable() {
    return std::make_unique<Table>(CurveFields(), 0, IndexOrder::Descending);
}

CurveStoreReport IsCurvesFile(Table& table1, Table& table2, const std::string& folder,
                              SettingsValues& settings) {
    CurveStoreReport report;
    const std::string curvesPath = folder + CurvesFileName;
    RemoveStaleTempFiles(curvesPath);
    RemoveStaleTempFiles(folder + ScratchFileName);
    table1.setFileName(curvesPath);
    try {
        table1.load();
    } catch (const TableError&) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(curvesPath, ec)))
            report.keptDamagedAs = KeepDamaged(curvesPath);
        table1.createEmpty();
        try {
            table1.saveToFile(curvesPath);
        } catch (const TableError&) {}
        report.created = true;
    }

    if (table1.recordCount() == 0) {
        for (const BuiltInCurve& curve : BuiltInCurves) {
            table1.insert();
            table1.setField(0, std::string_view(curve.name));
            for (int k = 0; k < 31; ++k) table1.setField(k + 1, curve.levels[k]);
            table1.post();
        }
    }

    if (table1.locate(0, SettingsRecordName)) {
        settings = ReadSettingsRecord(table1);
        table1.remove();
        if (table1.locate(0, SettingsRecordName)) table1.remove();
    } else {
        settings = SettingsValues{};
    }
    table1.first();

    table2.setFileName(folder + ScratchFileName);
    LoadOrCreate(table2, Table::Durability::Scratch);
    return report;
}

void RewriteCurveTables(Table& table1, Table& table2, const SettingsValues& settings) {
    table1.first();  // posts a record still being edited, so it is kept
    if (table1.recordCount() > 0) {
        if (!table2.isOpen()) table2.createEmpty();
        table2.emptyTable();
        CopyRecords(table1, table2);
        AppendSettingsRecord(table2, settings);
        table1.emptyTable();
        CopyRecords(table2, table1);
    }
    // The scratch file is removed right away, so writing it back is pointless.
    const std::string scratch = table2.fileName();
    table2.setFileName({});
    try {
        table2.close();
    } catch (...) {}
    table2.setFileName(scratch);
    if (!scratch.empty()) {
        std::error_code ec;
        fs::remove(scratch, ec);
    }
}

}  // namespace ampora
