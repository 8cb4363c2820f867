#pragma once
// The visible rows of a record table as a Qt item model: one line per row,
// one column per grid column, titled with the field's name.
#include "data/table/RecordTable.h"

#include <QAbstractTableModel>
#include <QFont>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TDBGridColumn {
    std::string FieldName;
    int Width = -1; // pixels; -1: from the field
    std::optional<QFont> Font = std::nullopt;
    // The field's text as shown, as TDBEdit::ShowText.
    std::function<std::string(const std::string&)> ShowText = nullptr;
};

class TDBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDBGridModel(QObject* parent = nullptr);

    // Table may be null; columns empty: every field of the table.
    void SetSource(TRecordTable* table, std::vector<TDBGridColumn> columns);
    TRecordTable* Table() const { return table_; }
    const std::vector<TDBGridColumn>& Columns() const { return columns_; }
    // The table's field index of a column, -1 when the table lacks the field.
    int FieldIndex(int column) const;

    // Follows the table: rows came or went, or only values changed.
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void ResolveFields();
    bool Open() const { return table_ && table_->State() != tsInactive; }

    TRecordTable* table_ = nullptr;
    std::vector<TDBGridColumn> columns_;
    std::vector<int> fieldIndex_;
    int rows_ = 0;
    bool automatic_ = false; // columns taken from the table's fields
};

// A boolean shows as "Wahr" or "Falsch"; everything else as the field's text.
QString GridCellText(const TRecordTable& table, int displayIndex, int fieldIndex);
