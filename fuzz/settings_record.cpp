// The settings record reader over any field values: every value it returns
// must be one the window can apply.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "curves/CurveStore.h"
#include "store/Settings.h"
#include "store/Table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto table = ampora::MakeCurveTable();
    table->createEmpty();
    table->insert();
    table->setField(0, std::string_view(ampora::SettingsRecordName));
    // Each field: one byte says empty or not, four bytes give the value.
    size_t at = 0;
    for (int k = 1; k <= 31 && at < size; ++k) {
        const bool empty = data[at++] & 1;
        if (empty || at + 4 > size) {
            table->setNull(k);
            continue;
        }
        int32_t v;
        std::memcpy(&v, data + at, 4);
        at += 4;
        table->setField(k, v);
    }
    table->post();
    const ampora::SettingsValues s = ampora::ReadSettingsRecord(*table);
    for (int32_t type : {s.lfTypeIdx, s.mfLowTypeIdx, s.mfHighTypeIdx, s.hfTypeIdx})
        if (type < 0 || type > 3) std::abort();
    // Without a filter the order list is empty and any stored index is kept.
    const std::pair<int32_t, int32_t> typeAndOrder[] = {{s.lfTypeIdx, s.lfOrderIdx},
                                                        {s.mfLowTypeIdx, s.mfLowOrderIdx},
                                                        {s.mfHighTypeIdx, s.mfHighOrderIdx},
                                                        {s.hfTypeIdx, s.hfOrderIdx},
                                                        {1, s.realOrderIdx}};
    for (const auto& [type, order] : typeAndOrder)
        if (type != 0 && (order < 0 || order > (type == 3 ? 1 : 3))) std::abort();
    if (s.midOn != 0 && s.midOn != 1) std::abort();
    if (s.winLeft.has_value() != s.winTop.has_value()) std::abort();
    // Written and read again, the values stay what they were.
    auto back = ampora::MakeCurveTable();
    back->createEmpty();
    ampora::AppendSettingsRecord(*back, s);
    back->first();
    const ampora::SettingsValues again = ampora::ReadSettingsRecord(*back);
    if (again.ampPower != s.ampPower || again.languageCode != s.languageCode ||
        again.curveColor != s.curveColor || again.winLeft != s.winLeft)
        std::abort();
    return 0;
}
