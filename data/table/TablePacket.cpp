// The exchange of a table's whole content with the data-file reader and writer.
#include "data/table/RecordTableImpl.h"

#include <algorithm>

void TRecordTable::VisitRowsForSave(const std::function<void(const TPhysicalRow&)>& visit) const {
    const auto& d = *impl_;
    TPhysicalRow wide;
    auto one = [&](std::int32_t row) {
        DecodeRow(d.Rows[row], d.Columns.size(), wide.Values);
        wide.Status = d.Rows[row].Status;
        visit(wide);
    };
    if (!d.Log.empty()) {
        for (size_t row = 0; row < d.Rows.size(); ++row)
            one(static_cast<std::int32_t>(row));
    } else {
        for (auto row : d.Order)
            one(row);
    }
}

TDataPacket TRecordTable::PacketForSave() const {
    const auto& d = *impl_;
    TDataPacket packet;
    packet.Fields = d.Columns;
    packet.ChangeLog = d.Log;
    packet.Rows.reserve(d.Log.empty() ? d.Order.size() : d.Rows.size());
    VisitRowsForSave([&](const TPhysicalRow& row) { packet.Rows.push_back(row); });
    packet.KeyFields = d.KeyColumns;
    packet.UniqueKey = d.UniqueKey;
    return packet;
}

void TRecordTable::BeginPacket(std::vector<TFieldDef> fields) {
    Close();
    auto& d = *impl_;
    d.HasStore = false;
    d.ForgetDecodedRows();
    d.Rows.clear();
    d.Log.clear();
    d.Order.clear();
    d.KeyColumns.clear();
    d.UniqueKey = false;
    d.OrderRedefined = false;
    d.Columns = std::move(fields);
    // A fixed field list must find all its columns before anything is taken over.
    if (d.Fixed) {
        for (const auto& def : d.Defs) {
            if (d.ColumnOf(def.Name) < 0) {
                d.Columns.clear();
                d.Rebind();
                d.FailFieldNotFound(def.Name);
            }
        }
    }
    d.Rebind();
}

void TRecordTable::AddPacketRow(const std::vector<TValue>& values, std::uint8_t status) {
    auto& d = *impl_;
    if (values.size() == d.Columns.size()) {
        d.Rows.push_back(EncodeRow(values, status));
    } else {
        auto fitted = values;
        fitted.resize(d.Columns.size());
        d.Rows.push_back(EncodeRow(fitted, status));
    }
}

void TRecordTable::AddStoredRow(TStoredRow row) {
    impl_->Rows.push_back(std::move(row));
}

void TRecordTable::EndPacket(std::vector<TChangeEntry> changeLog, std::vector<int> keyFields,
                             bool uniqueKey) {
    auto& d = *impl_;
    d.Rows.shrink_to_fit();
    d.Log = std::move(changeLog);
    d.Order.clear();
    d.Order.reserve(d.Rows.size());
    for (size_t r = 0; r < d.Rows.size(); ++r)
        if ((d.Rows[r].Status & (rsSuperseded | rsDeleted)) == 0)
            d.Order.push_back(static_cast<std::int32_t>(r));
    const bool keysValid = std::all_of(keyFields.begin(), keyFields.end(), [&](int c) {
        return c >= 0 && static_cast<size_t>(c) < d.Columns.size();
    });
    if (keysValid && !keyFields.empty()) {
        d.KeyColumns = std::move(keyFields);
        d.UniqueKey = uniqueKey;
        d.OrderRedefined = true;
        d.SortOrder();
    }
    d.HasStore = true;
    d.Rebind();
    d.OpenShowingFirst();
}

void TRecordTable::OpenFromPacket(TDataPacket packet) {
    BeginPacket(std::move(packet.Fields));
    impl_->Rows.reserve(packet.Rows.size());
    for (auto& row : packet.Rows) {
        AddPacketRow(row.Values, row.Status);
        std::vector<TValue>().swap(row.Values); // keeps the peak low
    }
    EndPacket(std::move(packet.ChangeLog), std::move(packet.KeyFields), packet.UniqueKey);
}
