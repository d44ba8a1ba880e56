// Turns the reviewable text form of the interface text table into the table
// file the program reads, through the program's own table engine.

#include <fstream>
#include <iostream>
#include <sstream>

#include "i18n/TextTable.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ampora_menugen <menu.tsv> <Menu.cds>\n";
        return 2;
    }
    const std::string input = argv[1], output = argv[2];
    try {
        std::ifstream in(input, std::ios::binary);
        if (!in) throw std::runtime_error("cannot open " + input);
        std::ostringstream content;
        content << in.rdbuf();
        if (in.bad()) throw std::runtime_error("cannot read " + input);

        std::vector<ampora::TextRow> rows;
        try {
            rows = ampora::ParseTextRows(content.str());
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(input + ", " + e.what());
        }
        if (rows.empty()) throw std::runtime_error(input + " holds no rows");

        auto table = ampora::MakeTextTable();
        table->createEmpty();
        ampora::WriteTextTable(*table, rows);
        table->saveToFile(output);

        // Read it back so that a file the program cannot load is never shipped.
        auto check = ampora::MakeTextTable();
        check->setFileName(output);
        check->load();
        if (check->recordCount() != static_cast<int>(rows.size()))
            throw std::runtime_error(output + " reads back " +
                                     std::to_string(check->recordCount()) + " rows, not " +
                                     std::to_string(rows.size()));
    } catch (const std::exception& e) {
        std::cerr << "ampora_menugen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
