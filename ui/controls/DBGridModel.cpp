#include "ui/controls/DBGridModel.h"

#include "report/qt/QtText.h"

QString GridCellText(const TRecordTable& table, int displayIndex, int fieldIndex) {
    const TValue& value = table.DisplayValue(displayIndex, fieldIndex);
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
    return ToQString(table.DisplayText(displayIndex, fieldIndex));
}

TDBGridModel::TDBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDBGridModel::SetSource(TRecordTable* table, std::vector<TDBGridColumn> columns) {
    beginResetModel();
    table_ = table;
    columns_ = std::move(columns);
    automatic_ = false;
    ResolveFields();
    rows_ = Open() ? table_->DisplayCount() : 0;
    endResetModel();
}

void TDBGridModel::ResolveFields() {
    fieldIndex_.clear();
    if (!table_)
        return;
    if (columns_.empty() && table_->FieldCount() > 0) {
        for (int i = 0; i < table_->FieldCount(); ++i)
            columns_.push_back({table_->FieldAt(i).Name(), -1, std::nullopt});
        automatic_ = true;
    }
    for (const TDBGridColumn& column : columns_) {
        TField* field = table_->FindField(column.FieldName);
        fieldIndex_.push_back(field ? field->Index() : -1);
    }
}

int TDBGridModel::FieldIndex(int column) const {
    return column >= 0 && column < static_cast<int>(fieldIndex_.size()) ? fieldIndex_[column] : -1;
}

void TDBGridModel::Refresh() {
    const int rows = Open() ? table_->DisplayCount() : 0;
    // A table created or loaded anew may bring other fields.
    const bool fieldsChanged =
        automatic_ && table_ && static_cast<int>(columns_.size()) != table_->FieldCount();
    if (rows != rows_ || fieldsChanged) {
        beginResetModel();
        if (fieldsChanged)
            columns_.clear();
        ResolveFields();
        rows_ = rows;
        endResetModel();
        return;
    }
    if (rows > 0 && !columns_.empty())
        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
    if (rows > 0)
        emit headerDataChanged(Qt::Vertical, 0, rows - 1);
}

int TDBGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TDBGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !Open() || index.row() >= rows_ ||
        index.row() >= table_->DisplayCount())
        return {};
    const int field = FieldIndex(index.column());
    if (field < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (const auto& show = columns_[index.column()].ShowText)
            return ToQString(show(table_->DisplayText(index.row(), field)));
        return GridCellText(*table_, index.row(), field);
    case Qt::TextAlignmentRole: {
        const bool right = table_->FieldAt(field).Type() == ctInteger;
        return QVariant::fromValue(
            Qt::Alignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    case Qt::FontRole:
        if (const auto& font = columns_[index.column()].Font)
            return *font;
        return {};
    default:
        return {};
    }
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < static_cast<int>(columns_.size()))
        return ToQString(columns_[section].FieldName);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
