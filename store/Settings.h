#pragma once
// Values remembered from one run to the next, kept in the "Settings" record of
// the curve file (a1..a31 instead of band levels).

#include <cstdint>
#include <optional>

#include "calc/Design.h"

namespace ampora {

class Table;

// The name of the record in the curve file; no curve may take it.
inline constexpr const char* SettingsRecordName = "Settings";
inline constexpr uint32_t DefaultCurveColor = 0xFE0000;  // 0x00BBGGRR, blue

// The inputs of the window default to those of a new design (calc/Design.h).
struct SettingsValues {
    static constexpr FilterChoice NewFilter{};
    static constexpr DriverData NewDriver{};

    int32_t languageCode = 2;  // 0 Russian, 1 Belarusian, 2 English
    int32_t lfCutFreq = DefaultLowCutHz, mfLowCutFreq = DefaultLowCutHz,
            mfHighCutFreq = DefaultHighCutHz, hfCutFreq = DefaultHighCutHz;
    // Item indexes of the type and order lists.
    int32_t lfTypeIdx = int32_t(NewFilter.type), mfLowTypeIdx = int32_t(NewFilter.type),
            mfHighTypeIdx = int32_t(NewFilter.type), hfTypeIdx = int32_t(NewFilter.type);
    int32_t lfOrderIdx = OrderItemIndex(NewFilter), mfLowOrderIdx = OrderItemIndex(NewFilter),
            mfHighOrderIdx = OrderItemIndex(NewFilter), hfOrderIdx = OrderItemIndex(NewFilter);
    int32_t midOn = Design{}.midOn ? 1 : 0;
    int32_t savedCurveRecNo = 0;
    int32_t iecPower = 100, iecCutFreq = 3000, realCutFreq = 3000, realOrderIdx = 1;
    int32_t ampPower = DefaultAmpPowerW;
    double lfSens = NewDriver.sensitivityDb, mfSens = NewDriver.sensitivityDb,
           hfSens = NewDriver.sensitivityDb;  // dB/W/m
    double lfImp = NewDriver.impedanceOhm, mfImp = NewDriver.impedanceOhm,
           hfImp = NewDriver.impedanceOhm;  // ohm
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
