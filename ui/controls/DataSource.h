#pragma once
// A data source stands for one record table; controls reach the table
// through it and observe the table through a TDataLink.
#include "data/table/RecordTable.h"

#include <QObject>
#include <QPointer>
#include <functional>

class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject* parent = nullptr);

    TRecordTable* DataSet() const { return dataSet_; }
    void SetDataSet(TRecordTable* table);
    // When set, a control's request to edit puts a browsing table into edit state.
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }

    // tsInactive without a table.
    TTableState State() const;
    // A control asks to edit: with AutoEdit, a browsing table runs Edit.
    // True when the table then accepts input.
    bool Edit();

signals:
    void DataSetChanged();

private:
    TRecordTable* dataSet_ = nullptr;
    bool autoEdit_ = true;
};

// A control's link to the table of its data source. Follows the data source
// when it is given another table, and lets go when it is destroyed.
class TDataLink : public TTableLink {
public:
    using THandler = std::function<void(TTableNotice, TField*)>;
    TDataLink() = default;
    explicit TDataLink(THandler handler) : handler_(std::move(handler)) {}
    ~TDataLink() override;

    TDataSource* DataSource() const { return source_; }
    void SetDataSource(TDataSource* source);
    // Data source set and its table open.
    bool Active() const;
    // The field of that name, when active and the table has it.
    TField* FindField(const std::string& name) const;

    void Notify(TTableNotice notice, TField* field) override;
    // Runs after the link was bound to another table or to none.
    std::function<void()> OnBindingChanged;

private:
    void Rebind();
    THandler handler_;
    QPointer<TDataSource> source_;
    QMetaObject::Connection changed_;
    QMetaObject::Connection destroyed_;
};

// What every control bound to one field does on the table's notices: read
// the field again when row, field or binding changed, write its input back
// at tnWriteBack, take the focus for its own empty required field.
template <class TControl>
void AnswerFieldNotice(TControl& control, const TDataLink& link, TTableNotice notice,
                       TField* field) {
    switch (notice) {
    case tnRowsChange:
        control.Reset();
        break;
    case tnFieldChange:
        if (field && field == control.Field())
            control.Reset();
        break;
    case tnStateChange:
        if (!link.Active())
            control.Reset();
        break;
    case tnWriteBack:
        control.UpdateRecord();
        break;
    case tnFocusField:
        if (field && field == control.Field() && control.isEnabled())
            control.setFocus(Qt::OtherFocusReason);
        break;
    case tnEditStart:
    case tnLeaveEdit:
        break;
    }
}
