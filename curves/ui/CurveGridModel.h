#pragma once
// The picker grid's view of the curve table: name, then a1..a31, one row per
// record in name order.

#include <QAbstractTableModel>

namespace ampora {
class Table;
}

namespace ampora::ui {

class CurveGridModel : public QAbstractTableModel {
public:
    CurveGridModel(ampora::Table* table, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The table changed behind the model's back.
    void refresh();

private:
    // The shape the views were last told about. A view asks for it at any
    // time, also while its window is being torn down after the table is
    // gone, so it is answered without touching the table.
    void takeShape();

    ampora::Table* table_;
    int rows_ = 0;
    int columns_ = 0;
};

}  // namespace ampora::ui
