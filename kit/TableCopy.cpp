#include "kit/TableCopy.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QTableView>
#include <set>

namespace ampora::ui {

namespace {

QString OneLine(QString text) {
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

}  // namespace

QString SelectedCellsText(const QTableView& table) {
    const QAbstractItemModel* model = table.model();
    const QItemSelectionModel* selection = table.selectionModel();
    if (!model || !selection) return {};
    std::set<int> rows, cols;
    for (const QModelIndex& i : selection->selectedIndexes()) {
        rows.insert(i.row());
        cols.insert(i.column());
    }
    if (rows.empty()) return {};
    QStringList lines;
    QStringList head;
    for (int c : cols) head << OneLine(model->headerData(c, Qt::Horizontal).toString());
    lines << head.join(QLatin1Char('\t'));
    for (int r : rows) {
        QStringList cells;
        for (int c : cols) {
            const QModelIndex i = model->index(r, c);
            cells << (selection->isSelected(i) ? OneLine(i.data().toString()) : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

TableCopyActions InstallTableCopy(QTableView* table) {
    auto* copy = new QAction(table);
    copy->setShortcut(QKeySequence::Copy);
    auto* all = new QAction(table);
    all->setShortcut(QKeySequence::SelectAll);
    for (QAction* a : {copy, all}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        table->addAction(a);
    }
    QObject::connect(copy, &QAction::triggered, table, [table] {
        const QString text = SelectedCellsText(*table);
        if (!text.isEmpty()) QApplication::clipboard()->setText(text);
    });
    QObject::connect(all, &QAction::triggered, table, [table] { table->selectAll(); });
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
    return {copy, all};
}

}  // namespace ampora::ui
