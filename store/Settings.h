#pragma once
// Values remembered from one run to the next, kept in the "Settings" record of
// the curve file (a1..a31 instead of band levels).

#include <cstdint>
#include <optional>

namespace ampora {

class Table;

// The name of the record in the curve file; no curve may take it.
inline constexpr const char* SettingsRecordName = "Settings";
inline constexpr uint32_t DefaultCurveColor = 0xFE0000;  // 0x00BBGGRR, blue

struct SettingsValues {
    int32_t languageCode = 2;  // 0 Russian, 1 Belarusian, 2 English
    int32_t lfCutFreq = 320, mfLowCutFreq = 320, mfHighCutFreq = 3200, hfCutFreq = 3200;
    int32_t lfTypeIdx = 1, mfLowTypeIdx = 1, mfHighTypeIdx = 1, hfTypeIdx = 1;
    int32_t lfOrderIdx = 1, mfLowOrderIdx = 1, mfHighOrderIdx = 1, hfOrderIdx = 1;
    int32_t midOn = 1;
    int32_t savedCurveRecNo = 0;
    int32_t iecPower = 100, iecCutFreq = 3000, realCutFreq = 3000, realOrderIdx = 1;
    int32_t ampPower = 100;
    double lfSens = 88.0, mfSens = 88.0, hfSens = 88.0;  // dB/W/m
    double lfImp = 4.0, mfImp = 4.0, hfImp = 4.0;        // ohm
    uint32_t curveColor = DefaultCurveColor;
    // Both set, or neither (then the window is centred).
    std::optional<int32_t> winLeft, winTop;
};

// Reads the record under table's cursor. An empty field takes its default; a
// type index outside 0..3, or an order index outside the list of its type,
// takes 1; a1..a26 in tenths divided by 10; a28/a29 empty -> no position.
SettingsValues ReadSettingsRecord(const Table& table);

// Appends a "Settings" record: tenths rounded half to even, a30/a31 empty.
void AppendSettingsRecord(Table& table, const SettingsValues& values);

}  // namespace ampora
