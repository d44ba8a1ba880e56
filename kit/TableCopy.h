#pragma once
// Copying from a table the way a spreadsheet takes it.

#include <QString>

class QAction;
class QTableView;

namespace ampora::ui {

// The selected cells as tab-separated lines under a line of their column
// headers, rows and columns in the table's order; a cell inside that block
// but not selected stays empty. Tabs and line breaks inside a text become
// blanks, so every line stays one row. "" when nothing is selected.
QString SelectedCellsText(const QTableView& table);

struct TableCopyActions {
    QAction* copy;
    QAction* selectAll;
};
// Ctrl+C copies SelectedCellsText, Ctrl+A selects every cell; both also in
// the table's context menu. The caller gives the captions.
TableCopyActions InstallTableCopy(QTableView* table);

}  // namespace ampora::ui
