#pragma once
// A grid over the visible rows of a table: title row, indicator column,
// whole-row selection, no editing. Clicks and keys move the table's cursor.
#include "ui/controls/DBGridModel.h"
#include "ui/controls/DataSource.h"

#include <QTableView>

class TDBGridIndicator;

class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const std::vector<TDBGridColumn>& Columns() const { return columns_; }
    void SetColumns(std::vector<TDBGridColumn> columns);
    // Only keeps Ctrl+Delete from deleting.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    QFont TitleFont() const;
    void SetTitleFont(const QFont& font);

    TDBGridModel* GridModel() const { return model_; }
    // Number of data rows that fit into the grid.
    int VisibleRowCount() const;
    // The grid's current column (Tab steps through them).
    int CurrentColumn() const { return column_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class TDBGridIndicator;
    void Notify(TTableNotice notice, TField* field);
    void Rebind();
    void ApplyColumnWidths();
    void ShowCurrentRow();
    void MoveToRow(int row);
    void HandleKey(QKeyEvent* event);
    int DefaultColumnWidth(int column) const;
    TRecordTable* OpenTable() const;

    TDataLink link_;
    TDBGridModel* model_;
    TDBGridIndicator* indicator_;
    std::vector<TDBGridColumn> columns_;
    bool readOnly_ = false;
    int column_ = 0;
};
