#pragma once
// The table's inner state, shared by the RecordTable*.cpp files.
#include "data/StaffelError.h"
#include "data/table/RecordTable.h"
#include "data/table/RowCodec.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct TRecordTable::TImpl {
    TRecordTable* Self = nullptr;
    std::string Name;
    TRegionalSettings Settings;

    // Declared fields; for a fixed field list they stay the table's fields.
    std::vector<TFieldDef> Defs;
    bool Fixed = false;

    // The store: its own columns, physical rows, change log, default order.
    bool HasStore = false;
    std::vector<TFieldDef> Columns;
    std::vector<TStoredRow> Rows;
    // Decoded rows: the cursor's row, and a few rows a grid asks for.
    struct TCachedRow {
        std::int32_t Row = -1;
        std::vector<TValue> Values;
    };
    mutable TCachedRow CurrentCache;
    mutable std::vector<TCachedRow> DisplayCache;
    std::vector<TChangeEntry> Log;
    std::vector<std::int32_t> Order; // visible rows (0-based physical) in default order
    std::vector<int> KeyColumns;
    bool UniqueKey = false;
    bool OrderRedefined = false;

    // Field i of the table reads column Binding[i] (-1: no such column).
    std::vector<int> Binding;
    std::vector<std::unique_ptr<TField>> FieldObjects;

    // Cursor and edit state. Cur is a position in Order (-1: none); in
    // insert state PendingPos is where the pending row shows in Order.
    TTableState State = tsInactive;
    int Cur = -1;
    bool BofFlag = true;
    bool EofFlag = true;
    std::vector<TValue> Pending; // one per store column
    int PendingPos = -1;
    int CurBeforeInsert = -1;
    bool Appending = false;
    bool ModifiedFlag = false;
    std::uint64_t Changes = 0;

    // Links in attach order, each with the id it was attached under.
    std::vector<std::pair<TTableLink*, std::uint64_t>> Links;
    std::uint64_t NextAttachId = 1;
    int SuspendCount = 0;
    TTableState StateAtSuspend = tsInactive;

    // Definitions and binding (RecordTable.cpp).
    int FieldCount() const;
    const TFieldDef& FieldDef(int index) const;
    void Rebind();
    void EnsureFieldObjects();
    int ColumnOf(std::string_view name) const;
    [[noreturn]] void FailNamed(const std::string& text) const;
    [[noreturn]] void FailFieldNotFound(std::string_view name) const;

    // Notices (RecordTable.cpp).
    void Notify(TTableNotice notice, TField* field = nullptr, bool activeChange = false);
    void SetState(TTableState state);

    // Order and keys (TableOrder.cpp).
    // Values of a stored row; the reference lasts until content is replaced
    // or (display) until many other rows were read.
    const std::vector<TValue>& CurrentRowValues(std::int32_t physical) const;
    const std::vector<TValue>& DisplayRowValues(std::int32_t physical) const;
    void ForgetDecodedRows();
    int CompareKeys(const std::vector<TValue>& a, const std::vector<TValue>& b) const;
    std::vector<TValue> KeyValues(std::int32_t physical) const; // full width, keys filled
    bool HasKey() const { return !KeyColumns.empty(); }
    // Position in Order at which a row with these values stands (after equal keys).
    int SortedPosition(const std::vector<TValue>& values) const;
    // Whether a visible row other than `except` has the same key values.
    bool KeyClash(const std::vector<TValue>& values, std::int32_t except) const;
    void SortOrder();
    int NetChangeCount() const;
    int PositionOfRow(std::int32_t physical) const;

    // Rows (RecordTableEdit.cpp).
    bool IsEditing() const { return State == tsEdit || State == tsInsert; }
    const std::vector<TValue>* CurrentValues() const;
    void FinishEdit();
    void StoreCheck() const;
    void StorePending();
    void DropPending();
    void StartNew(bool append);
    void MoveBy(int distance);
    void OpenShowingFirst();
};

// Value conversions shared by fields and the grid text (FieldValues.cpp).
std::string ValueText(const TValue& value, const TRegionalSettings& settings);
