#pragma once
// The curve file of a test's program folder, written and read through the
// table engine, so that a test can start the program with any stored
// settings and look at what the program stored at exit.

#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

#include "curves/CurveStore.h"
#include "store/Settings.h"
#include "store/Table.h"

namespace ampora::ui::testing {

inline std::string CurvesPath(const QString& folder) {
    return (folder + QString::fromUtf8(CurvesFileName)).toStdString();
}

// Writes Curves.cds with the built-in curves and `copies` settings records.
// tweak runs with the cursor on each settings record (to empty fields or
// store values the program itself never writes).
inline void WriteCurvesFile(const QString& folder, const SettingsValues& values, int copies = 1,
                            const std::function<void(Table&)>& tweak = {}) {
    std::unique_ptr<Table> t = MakeCurveTable();
    t->createEmpty();
    for (const BuiltInCurve& c : BuiltInCurves) {
        t->insert();
        t->setField(0, std::string_view(c.name));
        for (int k = 0; k < 31; ++k) t->setField(k + 1, c.levels[size_t(k)]);
        t->post();
    }
    for (int n = 0; n < copies; ++n) {
        AppendSettingsRecord(*t, values);
        if (tweak) {
            t->edit();
            tweak(*t);
            t->post();
        }
    }
    t->saveToFile(CurvesPath(folder));
}

// What Curves.cds holds after an exit.
struct StoredFile {
    std::unique_ptr<Table> table = MakeCurveTable();
    int settingsRecords = 0;
    int curves = 0;
    // Field a<k> of the (first) settings record; nullopt when empty.
    std::optional<int32_t> a(int k) const {
        if (settingsRecords == 0 || table->fieldIsNull(k)) return std::nullopt;
        return table->fieldInt(k);
    }
};

inline std::unique_ptr<StoredFile> ReadCurvesFile(const QString& folder) {
    auto f = std::make_unique<StoredFile>();
    f->table->setFileName(CurvesPath(folder));
    f->table->load();
    f->table->setFileName({});  // only looked at: never written back
    for (f->table->first(); !f->table->eof(); f->table->next()) {
        if (f->table->fieldText(0) == SettingsRecordName)
            ++f->settingsRecords;
        else
            ++f->curves;
    }
    f->table->locate(0, SettingsRecordName);
    return f;
}

}  // namespace ampora::ui::testing
