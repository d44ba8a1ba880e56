#include "calc/Design.h"

#include <cmath>

namespace ampora {

int32_t FilterCodeOf(const FilterChoice& f) {
    const int idx = OrderItemIndex(f);
    if (idx < 0) return 0;
    return FilterCode(static_cast<int>(f.type), idx);
}

FilterChoice FilterFromItems(int typeIdx, int orderIdx, int32_t cutHz) {
    const int32_t code = FilterCode(typeIdx, orderIdx);
    if (FilterTable(code).empty()) return {FilterType::None, 0, cutHz};
    const auto type = static_cast<FilterType>(code / 10);
    const int idx = code % 10;
    const int order = type == FilterType::Linkwitz ? (idx == 0 ? 2 : 4) : idx + 1;
    return {type, order, cutHz};
}

double BandWeightOf(int32_t levelDb) {
    // The graph's bar height: 40 above the lowest level the editor draws.
    // Only 41 heights carry a weight; working them out once keeps pow out of
    // every evaluation, with the very same doubles the graph computes.
    static const std::array<double, 41> weights = [] {
        std::array<double, 41> w{};
        for (int bar = 0; bar <= 40; ++bar) w[size_t(bar)] = 0.2 * std::pow(10.0, bar / 40.0);
        return w;
    }();
    const int64_t bar = int64_t{levelDb} + 40;
    if (bar < 0) return 0.0;
    if (bar > 40) return 0.2 * std::pow(10.0, double(bar) / 40.0);
    return weights[size_t(bar)];
}

}  // namespace ampora
