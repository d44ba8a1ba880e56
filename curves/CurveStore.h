#pragma once
// The curve file: saved spectrum curves by name plus, between runs, the
// "Settings" record. Opened once at start-up, written back at the end.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/Settings.h"
#include "store/Table.h"

namespace ampora {

inline constexpr int32_t NoLevel = -100;  // a band without a level
inline constexpr int CurveNameLength = 50;
inline constexpr const char* CurvesFileName = "Curves.cds";
inline constexpr const char* ScratchFileName = "Ctmp.cds";

// The built-in curves by name, in the order of the preset labels beside the
// graph. The names are these fixed strings whatever the interface language.
inline constexpr std::array<const char*, 5> PresetCurveNames = {"IEC/DIN", "Классика", "Рок",
                                                                "Шум белый", "Шум розовый"};
inline constexpr const char* IecDinName = PresetCurveNames[0];

// The IEC/DIN programme spectrum, dB per third-octave band from 20 Hz (also
// the IEC tool's signal).
inline constexpr std::array<int32_t, 31> PresetIecDin = {
    -13, -10, -7, -5, -3, -2, -1, -1, 0,  0,  0,  0,   0,   0,   0,  0,
    0,   0,   0,  -1, -1, -2, -2, -4, -5, -7, -9, -12, -15, -18, -22};

struct BuiltInCurve {
    const char* name;
    std::array<int32_t, 31> levels;  // dB, 0 at the top
};
// In the order they are written into a new curve table.
extern const std::array<BuiltInCurve, 5> BuiltInCurves;

// CurveName (string, 50) then a1..a31 (integers).
std::vector<FieldDef> CurveFields();
// Table1: ascending by name; Table2 (scratch): descending.
std::unique_ptr<Table> MakeCurveTable();
std::unique_ptr<Table> MakeScratchTable();

struct CurveStoreReport {
    bool created = false;       // the file was missing or damaged and made anew
    std::string keptDamagedAs;  // where a damaged file was kept ("" if none)
};

// Start-up of the store, folder with trailing delimiter: loads (or creates with
// the built-in curves) table1 from Curves.cds, reads the Settings record into
// settings (defaults without one) and removes it (twice when duplicated),
// moves to the first record, loads or creates table2 from Ctmp.cds.
// Temporary files of writes killed midway are removed first. Anything at the
// place of Curves.cds that cannot be loaded (damaged, unreadable, not a regular
// file) is renamed to "Curves.cds.damaged-YYYYMMDD-HHMMSS"
// before the new file is made, so no user curve is lost.
CurveStoreReport IsCurvesFile(Table& table1, Table& table2, const std::string& folder,
                              SettingsValues& settings);

// Shut-down work on the tables: copies table1 into table2, appends the
// settings record, copies everything back into table1 (skipped when table1 is
// empty); then closes table2 and deletes its file, ignoring failures.
void RewriteCurveTables(Table& table1, Table& table2, const SettingsValues& settings);

}  // namespace ampora
