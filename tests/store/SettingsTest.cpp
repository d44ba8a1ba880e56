#include "store/Settings.h"

#include <gtest/gtest.h>

#include "curves/CurveStore.h"
#include "store/Table.h"

using namespace ampora;

namespace {

// A curve table holding one "Settings" record with the given a1..a31 (index
// 0 is a1); nullopt leaves a field empty.
std::unique_ptr<Table> RecordWith(const std::array<std::optional<int32_t>, 31>& a) {
    auto t = MakeCurveTable();
    t->createEmpty();
    t->insert();
    t->setField(0, std::string_view(SettingsRecordName));
    for (int k = 0; k < 31; ++k)
        if (a[k]) t->setField(k + 1, *a[k]);
    t->post();
    return t;
}

std::array<std::optional<int32_t>, 31> FullRecord() {
    std::array<std::optional<int32_t>, 31> a;
    const int32_t values[29] = {1,   250, 400, 2500, 4000, 2,   3,        0,    1, 3,
                                0,   1,   2,   0,    4,    50,  2000,     2500, 2, 120,
                                905, 870, 920, 68,   80,   160, 0x00FF00, 120,  80};
    for (int k = 0; k < 29; ++k) a[k] = values[k];
    return a;
}

}  // namespace

TEST(SettingsRecord, ReadsEveryFieldOfAFullRecord) {
    auto t = RecordWith(FullRecord());
    const SettingsValues v = ReadSettingsRecord(*t);
    EXPECT_EQ(v.languageCode, 1);
    EXPECT_EQ((std::array{v.lfCutFreq, v.mfLowCutFreq, v.mfHighCutFreq, v.hfCutFreq}),
              (std::array<int32_t, 4>{250, 400, 2500, 4000}));
    EXPECT_EQ((std::array{v.lfTypeIdx, v.mfLowTypeIdx, v.mfHighTypeIdx, v.hfTypeIdx}),
              (std::array<int32_t, 4>{2, 3, 0, 1}));
    EXPECT_EQ((std::array{v.lfOrderIdx, v.mfLowOrderIdx, v.mfHighOrderIdx, v.hfOrderIdx}),
              (std::array<int32_t, 4>{3, 0, 1, 2}));
    EXPECT_EQ(v.midOn, 0);
    EXPECT_EQ(v.savedCurveRecNo, 4);
    EXPECT_EQ((std::array{v.iecPower, v.iecCutFreq, v.realCutFreq, v.realOrderIdx, v.ampPower}),
              (std::array<int32_t, 5>{50, 2000, 2500, 2, 120}));
    EXPECT_DOUBLE_EQ(v.lfSens, 90.5);
    EXPECT_DOUBLE_EQ(v.mfSens, 87.0);
    EXPECT_DOUBLE_EQ(v.hfSens, 92.0);
    EXPECT_DOUBLE_EQ(v.lfImp, 6.8);
    EXPECT_DOUBLE_EQ(v.mfImp, 8.0);
    EXPECT_DOUBLE_EQ(v.hfImp, 16.0);
    EXPECT_EQ(v.curveColor, 0x00FF00u);
    EXPECT_EQ(v.winLeft, 120);
    EXPECT_EQ(v.winTop, 80);
}

TEST(SettingsRecord, EmptyFieldsTakeTheirDefaults) {
    auto t = RecordWith({});
    const SettingsValues v = ReadSettingsRecord(*t);
    const SettingsValues d;
    EXPECT_EQ(v.languageCode, 2);
    EXPECT_EQ(v.lfCutFreq, 320);
    EXPECT_EQ(v.hfCutFreq, 3200);
    EXPECT_EQ(v.lfTypeIdx, 1);
    EXPECT_EQ(v.hfOrderIdx, 1);
    EXPECT_EQ(v.midOn, 1);
    EXPECT_EQ(v.savedCurveRecNo, 0);
    EXPECT_EQ(v.iecCutFreq, 3000);
    EXPECT_EQ(v.ampPower, 100);
    EXPECT_DOUBLE_EQ(v.mfSens, 88.0);
    EXPECT_DOUBLE_EQ(v.hfImp, 4.0);
    EXPECT_EQ(v.curveColor, 16646144u);
    EXPECT_EQ(d.curveColor, 16646144u);
    EXPECT_FALSE(v.winLeft);
    EXPECT_FALSE(v.winTop);
}

TEST(SettingsRecord, OneMissingPositionCentresTheWindow) {
    for (int missing : {27, 28}) {  // a28, a29
        auto a = FullRecord();
        a[missing].reset();
        auto t = RecordWith(a);
        const SettingsValues v = ReadSettingsRecord(*t);
        EXPECT_FALSE(v.winLeft) << missing;
        EXPECT_FALSE(v.winTop) << missing;
        EXPECT_EQ(v.ampPower, 120);  // the rest still comes from the record
    }
}

struct FilterCase {
    const char* label;
    int32_t type, order;
    int32_t wantType, wantOrder;
};

class FilterIndexes : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterIndexes, OutOfListIndexesFallBackToOne) {
    const auto& c = GetParam();
    auto a = FullRecord();
    a[5] = c.type;   // a6
    a[9] = c.order;  // a10
    auto t = RecordWith(a);
    const SettingsValues v = ReadSettingsRecord(*t);
    EXPECT_EQ(v.lfTypeIdx, c.wantType);
    EXPECT_EQ(v.lfOrderIdx, c.wantOrder);
}

INSTANTIATE_TEST_SUITE_P(SettingsRecord, FilterIndexes,
                         testing::Values(FilterCase{"BesselOrder4", 1, 3, 1, 3},
                                         FilterCase{"BesselOrderBeyond", 1, 4, 1, 1},
                                         FilterCase{"ButterworthNegativeOrder", 2, -1, 2, 1},
                                         FilterCase{"LinkwitzOrder4", 3, 1, 3, 1},
                                         FilterCase{"LinkwitzOrderBeyond", 3, 2, 3, 1},
                                         FilterCase{"LinkwitzOrder2", 3, 0, 3, 0},
                                         FilterCase{"NoFilterKeepsOrder", 0, -1, 0, -1},
                                         FilterCase{"TypeBeyond", 4, 3, 1, 3},
                                         FilterCase{"TypeNegative", -1, 9, 1, 1}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(SettingsRecord, ColourOutsidePlainRgbTakesDefault) {
    for (int32_t bad : {-1, 0x1000000}) {
        auto a = FullRecord();
        a[26] = bad;
        auto t = RecordWith(a);
        EXPECT_EQ(ReadSettingsRecord(*t).curveColor, DefaultCurveColor) << bad;
    }
}

struct TenthsCase {
    const char* label;
    double value;
    int32_t stored;
};

class Tenths : public testing::TestWithParam<TenthsCase> {};

TEST_P(Tenths, RoundHalfToEven) {
    SettingsValues v;
    v.lfImp = GetParam().value;
    auto t = MakeCurveTable();
    t->createEmpty();
    AppendSettingsRecord(*t, v);
    ASSERT_FALSE(t->fieldIsNull(24));
    EXPECT_EQ(t->fieldInt(24), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsRecord, Tenths,
    testing::Values(TenthsCase{"Sens905", 90.5, 905}, TenthsCase{"Imp68", 6.8, 68},
                    TenthsCase{"AlreadyRounded42", 4.2, 42}, TenthsCase{"HalfDown", 4.25, 42},
                    TenthsCase{"HalfUp", 0.15, 2}, TenthsCase{"Negative", -2.25, -22},
                    TenthsCase{"Huge", 1e12, INT32_MAX}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SettingsRecord, AppendThenReadGivesTheSameValues) {
    SettingsValues v;
    v.languageCode = 0;
    v.lfCutFreq = 150;
    v.hfTypeIdx = 3;
    v.hfOrderIdx = 0;
    v.midOn = 0;
    v.savedCurveRecNo = 3;
    v.realOrderIdx = 3;
    v.lfSens = 90.5;
    v.hfImp = 6.8;
    v.curveColor = 0x0000FF;
    v.winLeft = -20;
    v.winTop = 1000;
    auto t = MakeCurveTable();
    t->createEmpty();
    AppendSettingsRecord(*t, v);
    EXPECT_EQ(t->fieldText(0), "Settings");
    EXPECT_EQ(t->fieldInt(27), 0x0000FF);
    EXPECT_TRUE(t->fieldIsNull(30));
    EXPECT_TRUE(t->fieldIsNull(31));

    const SettingsValues r = ReadSettingsRecord(*t);
    EXPECT_EQ(r.languageCode, 0);
    EXPECT_EQ(r.lfCutFreq, 150);
    EXPECT_EQ(r.hfTypeIdx, 3);
    EXPECT_EQ(r.hfOrderIdx, 0);
    EXPECT_EQ(r.midOn, 0);
    EXPECT_EQ(r.savedCurveRecNo, 3);
    EXPECT_EQ(r.realOrderIdx, 3);
    EXPECT_DOUBLE_EQ(r.lfSens, 90.5);
    EXPECT_DOUBLE_EQ(r.hfImp, 6.8);
    EXPECT_EQ(r.curveColor, 0x0000FFu);
    EXPECT_EQ(r.winLeft, -20);
    EXPECT_EQ(r.winTop, 1000);

    SettingsValues centred;
    centred.winLeft = 5;  // half a position is no position
    t->emptyTable();
    AppendSettingsRecord(*t, centred);
    EXPECT_TRUE(t->fieldIsNull(28));
    EXPECT_TRUE(t->fieldIsNull(29));
}
