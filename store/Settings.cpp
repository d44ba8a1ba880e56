#include "store/Settings.h"

#include <cmath>
#include <limits>

#include "store/Table.h"

namespace ampora {

namespace {

// Field a<k> of the record sits at position k; position 0 is the name.
int32_t IntOr(const Table& t, int field, int32_t fallback) {
    return t.fieldIsNull(field) ? fallback : t.fieldInt(field);
}

double TenthsOr(const Table& t, int field, double fallback) {
    return t.fieldIsNull(field) ? fallback : t.fieldInt(field) / 10.0;
}

// Type list: 0 none, 1 Bessel, 2 Butterworth, 3 Linkwitz.
int32_t ValidType(int32_t type) { return type >= 0 && type <= 3 ? type : 1; }

// Bessel and Butterworth offer orders 1..4 (items 0..3), Linkwitz 2 and 4
// (items 0..1). With no filter the order list is not used, so it is kept.
int32_t ValidOrder(int32_t type, int32_t order) {
    switch (type) {
        case 1:
        case 2: return order >= 0 && order <= 3 ? order : 1;
        case 3: return order >= 0 && order <= 1 ? order : 1;
        default: return order;
    }
}

void SetTenths(Table& t, int field, double value) {
    if (!std::isfinite(value)) {
        t.setNull(field);  // reads back as the default
        return;
    }
    // nearbyint follows the current rounding mode: to nearest, halves to even.
    const double tenths = std::nearbyint(value * 10.0);
    constexpr double lo = std::numeric_limits<int32_t>::min(),
                     hi = std::numeric_limits<int32_t>::max();
    t.setField(field, static_cast<int32_t>(tenths < lo ? lo : (tenths > hi ? hi : tenths)));
}

}  // namespace

SettingsValues ReadSettingsRecord(const Table& table) {
    const SettingsValues d;
    SettingsValues v;
    v.languageCode = IntOr(table, 1, d.languageCode);
    v.lfCutFreq = IntOr(table, 2, d.lfCutFreq);
    v.mfLowCutFreq = IntOr(table, 3, d.mfLowCutFreq);
    v.mfHighCutFreq = IntOr(table, 4, d.mfHighCutFreq);
    v.hfCutFreq = IntOr(table, 5, d.hfCutFreq);
    v.lfTypeIdx = ValidType(IntOr(table, 6, d.lfTypeIdx));
    v.mfLowTypeIdx = ValidType(IntOr(table, 7, d.mfLowTypeIdx));
    v.mfHighTypeIdx = ValidType(IntOr(table, 8, d.mfHighTypeIdx));
    v.hfTypeIdx = ValidType(IntOr(table, 9, d.hfTypeIdx));
    v.lfOrderIdx = ValidOrder(v.lfTypeIdx, IntOr(table, 10, d.lfOrderIdx));
    v.mfLowOrderIdx = ValidOrder(v.mfLowTypeIdx, IntOr(table, 11, d.mfLowOrderIdx));
    v.mfHighOrderIdx = ValidOrder(v.mfHighTypeIdx, IntOr(table, 12, d.mfHighOrderIdx));
    v.hfOrderIdx = ValidOrder(v.hfTypeIdx, IntOr(table, 13, d.hfOrderIdx));
    v.midOn = IntOr(table, 14, d.midOn) != 0 ? 1 : 0;
    v.savedCurveRecNo = IntOr(table, 15, d.savedCurveRecNo);
    v.iecPower = IntOr(table, 16, d.iecPower);
    v.iecCutFreq = IntOr(table, 17, d.iecCutFreq);
    v.realCutFreq = IntOr(table, 18, d.realCutFreq);
    // The IEC tool's order list holds "1".."4", like Bessel's.
    v.realOrderIdx = ValidOrder(1, IntOr(table, 19, d.realOrderIdx));
    v.ampPower = IntOr(table, 20, d.ampPower);
    v.lfSens = TenthsOr(table, 21, d.lfSens);
    v.mfSens = TenthsOr(table, 22, d.mfSens);
    v.hfSens = TenthsOr(table, 23, d.hfSens);
    v.lfImp = TenthsOr(table, 24, d.lfImp);
    v.mfImp = TenthsOr(table, 25, d.mfImp);
    v.hfImp = TenthsOr(table, 26, d.hfImp);
    // Only plain 0x00BBGGRR values are colours the squares can show.
    const int32_t color = IntOr(table, 27, static_cast<int32_t>(d.curveColor));
    v.curveColor = color >= 0 && color <= 0xFFFFFF ? static_cast<uint32_t>(color) : d.curveColor;
    if (!table.fieldIsNull(28) && !table.fieldIsNull(29)) {
        v.winLeft = table.fieldInt(28);
        v.winTop = table.fieldInt(29);
    }
    return v;
}

void AppendSettingsRecord(Table& table, const SettingsValues& v) {
    table.insert();
    table.setField(0, std::string_view(SettingsRecordName));
    const int32_t ints[20] = {v.languageCode, v.lfCutFreq,   v.mfLowCutFreq,    v.mfHighCutFreq,
                              v.hfCutFreq,    v.lfTypeIdx,   v.mfLowTypeIdx,    v.mfHighTypeIdx,
                              v.hfTypeIdx,    v.lfOrderIdx,  v.mfLowOrderIdx,   v.mfHighOrderIdx,
                              v.hfOrderIdx,   v.midOn,       v.savedCurveRecNo, v.iecPower,
                              v.iecCutFreq,   v.realCutFreq, v.realOrderIdx,    v.ampPower};
    for (int k = 0; k < 20; ++k) table.setField(k + 1, ints[k]);
    SetTenths(table, 21, v.lfSens);
    SetTenths(table, 22, v.mfSens);
    SetTenths(table, 23, v.hfSens);
    SetTenths(table, 24, v.lfImp);
    SetTenths(table, 25, v.mfImp);
    SetTenths(table, 26, v.hfImp);
    table.setField(27, static_cast<int32_t>(v.curveColor));
    if (v.winLeft && v.winTop) {
        table.setField(28, *v.winLeft);
        table.setField(29, *v.winTop);
    } else {
        table.setNull(28);
        table.setNull(29);
    }
    table.setNull(30);
    table.setNull(31);
    table.post();
}

}  // namespace ampora
