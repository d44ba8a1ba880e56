// The table file loader over any bytes, in the layouts of the curve file and
// of the text table: it must refuse or load, and what it loads must be usable.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "curves/CurveStore.h"
#include "fuzz/FuzzSupport.h"
#include "i18n/TextTable.h"
#include "store/Table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ampora::fuzz::ScratchFolder() + "table.cds";
    ampora::fuzz::WriteFile(path, data, size);
    std::unique_ptr<ampora::Table> tables[] = {ampora::MakeCurveTable(), ampora::MakeTextTable()};
    for (auto& table : tables) {
        table->setFileName(path);
        try {
            table->load();
        } catch (const ampora::TableError&) {
            continue;
        }
        // Walk every record by the cursor and by position, as the grid does.
        const int fields = static_cast<int>(table->fields().size());
        for (table->first(); !table->eof(); table->next())
            for (int f = 0; f < fields; ++f) (void)table->fieldText(f);
        for (int r = 0; r < table->recordCount(); ++r)
            for (int f = 0; f < fields; ++f) (void)table->cellAt(r, f);
        table->setFileName({});
        table->close();
    }
    return 0;
}
