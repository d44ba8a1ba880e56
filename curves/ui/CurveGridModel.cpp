#include "curves/ui/CurveGridModel.h"

#include "app/Table.h"

namespace ampora::ui {

CurveGridModel::CurveGridModel(ampora::Table* table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int CurveGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_->isOpen() ? 0 : table_->recordCount();
}

int CurveGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(table_->fields().size());
}

QVariant CurveGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= table_->recordCount())
        return {};
    const ampora::Cell& c = table_->cellAt(index.row(), index.column());
    if (c.text) return QString::fromStdString(*c.text);
    if (c.number) return *c.number;
    return {};
}

Qt::ItemFlags CurveGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CurveGridModel::refresh() {
    beginResetModel();
    endResetModel();
}

}  // namespace ampora::ui
