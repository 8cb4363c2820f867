#include "ui/controls/DataSource.h"

#include "ui/ErrorGuard.h"

TDataSource::TDataSource(QObject* parent) : QObject(parent) {}

void TDataSource::SetDataSet(TRecordTable* table) {
    if (table == dataSet_)
        return;
    dataSet_ = table;
    emit DataSetChanged();
}

TTableState TDataSource::State() const {
    return dataSet_ ? dataSet_->State() : tsInactive;
}

bool TDataSource::Edit() {
    if (!dataSet_)
        return false;
    if (autoEdit_ && dataSet_->State() == tsBrowse)
        dataSet_->Edit();
    const TTableState state = dataSet_->State();
    return state == tsEdit || state == tsInsert;
}

TDataLink::~TDataLink() {
    QObject::disconnect(changed_);
    QObject::disconnect(destroyed_);
}

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == source_ && (source || !Table()))
        return;
    QObject::disconnect(changed_);
    QObject::disconnect(destroyed_);
    source_ = source;
    if (source) {
        changed_ = QObject::connect(source, &TDataSource::DataSetChanged,
                                    [this] { Guard([&] { Rebind(); }); });
        destroyed_ = QObject::connect(source, &QObject::destroyed, [this] {
            source_ = nullptr;
            Guard([&] { Rebind(); });
        });
    }
    Rebind();
}

void TDataLink::Rebind() {
    SetTable(source_ ? source_->DataSet() : nullptr);
    if (OnBindingChanged)
        OnBindingChanged();
}

bool TDataLink::Active() const {
    return Table() && Table()->State() != tsInactive;
}

TField* TDataLink::FindField(const std::string& name) const {
    if (!Active() || name.empty())
        return nullptr;
    return Table()->FindField(name);
}

void TDataLink::Notify(TTableNotice notice, TField* field) {
    if (handler_)
        handler_(notice, field);
}
