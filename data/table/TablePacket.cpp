// The exchange of a table's whole content with the data-file reader and writer.
#include "data/AsciiCase.h"
#include "data/table/RecordTableImpl.h"
#include "data/table/TableContent.h"

#include <algorithm>

void TRecordTable::VisitRowsToSave(const std::function<void(const TStoredRow&)>& visit) const {
    VisitRowsToSave(0, RowsToSaveCount(), visit);
}

std::size_t TRecordTable::RowsToSaveCount() const {
    const auto& d = *impl_;
    return d.Log.empty() ? d.Order.size() : d.Rows.size();
}

void TRecordTable::VisitRowsToSave(std::size_t first, std::size_t last,
                                   const std::function<void(const TStoredRow&)>& visit) const {
    const auto& d = *impl_;
    for (std::size_t i = first; i < last; ++i)
        visit(d.Log.empty() ? d.Rows[d.Order[i]] : d.Rows[i]);
}

TTableContent TRecordTable::ContentAsSaved() const {
    const auto& d = *impl_;
    TTableContent content;
    content.Columns = d.Columns;
    // The file carries a width for text columns only.
    for (TFieldDef& column : content.Columns)
        if (column.Type != ctText)
            column.Width = 0;
    content.Rows.reserve(RowsToSaveCount());
    VisitRowsToSave([&](const TStoredRow& row) { content.Rows.push_back(CopyRow(row)); });
    content.Log = d.Log;
    return content;
}

TDataPacket TRecordTable::PacketForSave() const {
    const auto& d = *impl_;
    TDataPacket packet;
    packet.Fields = d.Columns;
    packet.ChangeLog = d.Log;
    packet.Rows.reserve(RowsToSaveCount());
    VisitRowsToSave([&](const TStoredRow& row) {
        packet.Rows.push_back({DecodeRow(row, d.Columns.size()), row.Status});
    });
    packet.KeyFields = d.KeyColumns;
    packet.UniqueKey = d.UniqueKey;
    return packet;
}

void TRecordTable::CheckColumns(const std::vector<TFieldDef>& columns) const {
    const auto& d = *impl_;
    if (!d.Fixed)
        return;
    for (const auto& def : d.Defs) {
        const bool found = std::any_of(columns.begin(), columns.end(), [&](const TFieldDef& c) {
            return EqualsIgnoringCase(c.Name, def.Name);
        });
        if (!found)
            d.FailFieldNotFound(def.Name);
    }
}

void TRecordTable::OpenOnContent(TTableContent content) {
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
    d.Columns.clear();
    d.Rebind();
    CheckColumns(content.Columns);

    d.Columns = std::move(content.Columns);
    d.Rows = std::move(content.Rows);
    d.Rows.shrink_to_fit();
    d.Log = std::move(content.Log);
    d.Order.reserve(d.Rows.size());
    for (size_t r = 0; r < d.Rows.size(); ++r)
        if ((d.Rows[r].Status & (rsSuperseded | rsDeleted)) == 0)
            d.Order.push_back(static_cast<std::int32_t>(r));
    const bool keysValid =
        std::all_of(content.KeyColumns.begin(), content.KeyColumns.end(),
                    [&](int c) { return c >= 0 && static_cast<size_t>(c) < d.Columns.size(); });
    if (keysValid && !content.KeyColumns.empty()) {
        d.KeyColumns = std::move(content.KeyColumns);
        d.UniqueKey = content.UniqueKey;
        d.OrderRedefined = true;
        d.SortOrder();
    }
    d.HasStore = true;
    d.Rebind();
    d.OpenShowingFirst();
}

void TRecordTable::OpenFromPacket(TDataPacket packet) {
    TTableContent content;
    content.Rows.reserve(packet.Rows.size());
    for (auto& row : packet.Rows) {
        row.Values.resize(packet.Fields.size());
        content.Rows.push_back(EncodeRow(row.Values, row.Status));
        std::vector<TValue>().swap(row.Values); // keeps the peak low
    }
    content.Columns = std::move(packet.Fields);
    content.Log = std::move(packet.ChangeLog);
    content.KeyColumns = std::move(packet.KeyFields);
    content.UniqueKey = packet.UniqueKey;
    OpenOnContent(std::move(content));
}
