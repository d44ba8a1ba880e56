// The text table reader: the delivered text form, turned into a table and
// resolved for each language as the language switch does.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "i18n/TextTable.h"
#include "store/Table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::vector<ampora::TextRow> rows;
    try {
        rows = ampora::ParseTextRows(content);
    } catch (const std::runtime_error&) {
        return 0;
    }
    auto table = ampora::MakeTextTable();
    table->createEmpty();
    try {
        ampora::WriteTextTable(*table, rows);
    } catch (const ampora::TableError&) {
        return 0;  // a value that does not fit the layout
    }
    for (int lang = 0; lang < 3; ++lang) (void)ampora::ResolveTexts(*table, lang);
    return 0;
}
