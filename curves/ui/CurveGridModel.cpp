#include "curves/ui/CurveGridModel.h"

#include "store/Table.h"

namespace ampora::ui {

CurveGridModel::CurveGridModel(ampora::Table* table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    takeShape();
}

void CurveGridModel::takeShape() {
    rows_ = table_->isOpen() ? table_->recordCount() : 0;
    columns_ = int(table_->fields().size());
}

int CurveGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CurveGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant CurveGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_ ||
        index.column() >= columns_ || !table_->isOpen() || index.row() >= table_->recordCount())
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
    takeShape();
    endResetModel();
}

}  // namespace ampora::ui
