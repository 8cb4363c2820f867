#pragma once
// The in-memory record table: typed fields, a cursor, edit states, checks at
// post, a default order that may carry a unique key, a change log, a
// snapshot kept across Close/Open, and the links that observe it.
#include "data/Dates.h"
#include "data/RegionalSettings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class TRecordTable;
class TField;
struct TStoredRow;
struct TTableContent;

enum TColumnType { ctInteger, ctText, ctBoolean, ctDate };
enum TTableState { tsInactive, tsBrowse, tsEdit, tsInsert };
enum TTableNotice {
    tnStateChange,
    tnRowsChange,
    tnEditStart,
    tnFieldChange,
    tnWriteBack,
    tnLeaveEdit,
    tnFocusField
};
enum TRowStatus : std::uint8_t { rsSuperseded = 1, rsDeleted = 2, rsInserted = 4, rsModified = 8 };

struct TDateValue {
    TDaySerial Day = 0;
    friend auto operator<=>(const TDateValue&, const TDateValue&) = default;
};

// monostate is the empty (null) value. Texts are Windows-1252 bytes.
using TValue = std::variant<std::monostate, std::int32_t, std::string, bool, TDateValue>;

struct TFieldDef {
    std::string Name;
    TColumnType Type = ctText;
    int Width = 0; // ctText only
    bool Required = false;
    bool ReadOnly = false;
    bool Hidden = false;
    bool LinkField = false;
    // Type name in the data file for a column whose type the program does not
    // use; such a column is held as ctText with the file's value text verbatim
    // and written back under this name. Empty for the four own types.
    std::string FileType;
};

struct TChangeEntry {
    std::int32_t Row = 0;
    std::int32_t PreviousRow = 0;
    std::int32_t Kind = 0; // 4 insert, 8 edit, 2 delete
    friend bool operator==(const TChangeEntry&, const TChangeEntry&) = default;
};

struct TPhysicalRow {
    std::vector<TValue> Values; // one per store field
    std::uint8_t Status = 0;    // TRowStatus bits
};

// What a data file holds, and what the table hands to the writer: the
// store's fields, the rows to write and the change log.
struct TDataPacket {
    std::vector<TFieldDef> Fields;
    std::vector<TPhysicalRow> Rows;
    std::vector<TChangeEntry> ChangeLog;
    std::vector<int> KeyFields; // 0-based field indices; empty: no key
    bool UniqueKey = false;
};

// A mark of a row (its physical row number, 1-based).
struct TRowMark {
    std::int32_t Row = 0;
    friend bool operator==(const TRowMark&, const TRowMark&) = default;
};

// A pending edit or insert held outside its table, so that the rest can be
// saved without it and the user can go on typing afterwards.
struct TPendingRow {
    TTableState State = tsEdit;
    std::optional<TRowMark> Mark; // the edited row, or where the insert began
    bool Appending = false;
    std::vector<TValue> Values; // one per store field
};

// Observer of a table. Notified synchronously, in attach order.
class TTableLink {
public:
    TTableLink() = default;
    TTableLink(const TTableLink&) = delete;
    TTableLink& operator=(const TTableLink&) = delete;
    virtual ~TTableLink(); // detaches itself

    // Detaches from the former table and attaches at the end of the new one's list.
    void SetTable(TRecordTable* table);
    TRecordTable* Table() const { return table_; }

    // field is set for tnFieldChange and tnFocusField, else nullptr.
    virtual void Notify(TTableNotice notice, TField* field) = 0;

private:
    friend class TRecordTable;
    TRecordTable* table_ = nullptr;
    std::uint64_t attachId_ = 0; // tells a re-attached link from its former self
};

// A field of the table, reading and writing the current row (the pending
// row in edit and insert state).
class TField {
public:
    const std::string& Name() const;
    TColumnType Type() const;
    int Width() const;
    bool Required() const; // the table check's flag
    int Index() const { return index_; }
    TRecordTable& Table() const { return *table_; }

    bool IsNull() const;
    const TValue& Value() const;

    std::string AsText() const; // Windows-1252
    void SetAsText(std::string_view text);
    std::int32_t AsInteger() const;
    void SetAsInteger(std::int32_t value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    double AsDateTime() const;
    void SetAsDateTime(double value);
    void Clear();

private:
    friend class TRecordTable;
    TField(TRecordTable* table, int index) : table_(table), index_(index) {}
    const TFieldDef& WritableColumn() const; // fails unless the table is editing
    void Write(TValue value);
    TRecordTable* table_;
    int index_;
};

class TRecordTable {
public:
    explicit TRecordTable(std::string name,
                          TRegionalSettings settings = TRegionalSettings::German());
    ~TRecordTable();
    TRecordTable(const TRecordTable&) = delete;
    TRecordTable& operator=(const TRecordTable&) = delete;

    const std::string& Name() const;
    const TRegionalSettings& Settings() const;
    void SetSettings(TRegionalSettings settings);

    // Definitions.
    void ClearDefinitions();
    void DefineField(std::string name, TColumnType type, int width, bool required);
    // A table with a fixed field list keeps its defined fields across Load and
    // binds them by name to the file's columns (the copy table).
    void SetFixedFieldList(bool fixed);
    bool FixedFieldList() const;
    void CreateEmpty();
    void DefineIndex(const std::string& name, const std::string& fieldList, bool unique);

    // Lifetime.
    void Open();
    void Close();
    bool Active() const { return State() != tsInactive; }
    void Load(const std::string& fileName);
    void Save(const std::string& fileName);

    // Cursor and editing.
    void First();
    void Prior();
    void Next();
    void Last();
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    void FinishEdit();
    // Cancels a pending edit or insert and returns it; nothing when none.
    std::optional<TPendingRow> TakePending();
    // Starts the edit or insert again with the values it had.
    void RestorePending(const TPendingRow& row);
    std::optional<TRowMark> RowMark() const;
    void GoToMark(const std::optional<TRowMark>& mark);
    void SuspendLinks();
    void ResumeLinks();

    // Queries.
    TTableState State() const;
    bool Bof() const;
    bool Eof() const;
    bool IsEmpty() const;
    bool Modified() const;
    int NetChangeCount() const;
    // Rows stored or deleted since the table was made; never goes back, so
    // whoever last wrote the table can tell whether it changed since.
    std::uint64_t ChangeCount() const;
    TField& Field(std::string_view name); // fails (named) when unknown
    TField* FindField(std::string_view name);
    int FieldCount() const;
    TField& FieldAt(int index);

    // Rows as a grid shows them: the visible rows in the default order, with
    // the pending row of an insert at its place.
    int DisplayCount() const;
    int DisplayIndex() const; // of the current row, -1 when none
    const TValue& DisplayValue(int displayIndex, int fieldIndex) const;
    std::string DisplayText(int displayIndex, int fieldIndex) const;
    // A movement of the cursor to that row (ends a pending edit first).
    void MoveTo(int displayIndex);
    void MoveBy(int distance);

    // Runs during Insert and Append after the new row was started.
    std::function<void(TRecordTable&)> OnNewRecord;
    // Runs during Post after the required fields were checked, on the
    // pending values; a failure keeps the row pending.
    std::function<void(TRecordTable&)> BeforePost;
    // Runs at the end of every successful Post, however it was triggered
    // (the navigator, a cursor move, an ended edit).
    std::function<void(TRecordTable&)> AfterPost;

    // For the data-file reader and writer (TableContent.h).
    // Fails as a load does when a fixed field list finds no column of its own
    // among these: the reader asks before it reads the rows.
    void CheckColumns(const std::vector<TFieldDef>& columns) const;
    // Closes the table, replaces its content and opens it on the first row.
    // A failure leaves the table closed and without content.
    void OpenOnContent(TTableContent content);
    // What a save followed by a load gives: the rows the file gets (every
    // physical row when the change log has entries, else the visible rows in
    // the default order), the change log, no key.
    TTableContent ContentAsSaved() const;
    // The rows of ContentAsSaved in file order, as the table holds them.
    void VisitRowsToSave(const std::function<void(const TStoredRow&)>& visit) const;
    // Rows first..last-1 of them: safe on several threads at once while the
    // table is left alone.
    std::size_t RowsToSaveCount() const;
    void VisitRowsToSave(std::size_t first, std::size_t last,
                         const std::function<void(const TStoredRow&)>& visit) const;
    // The store's own fields as the file gets them.
    const std::vector<TFieldDef>& StoreFields() const;
    // The same in the wide value form, for tests and the creation of a table.
    TDataPacket PacketForSave() const;
    void OpenFromPacket(TDataPacket packet);
    // "name: text", for the messages the table reports under its own name.
    std::string NamedMessage(const std::string& text) const;

    // The store as it stands, for tests and diagnostics: every physical row
    // (row number = index + 1) and the change log.
    std::vector<TPhysicalRow> PhysicalRows() const;
    const std::vector<TChangeEntry>& ChangeLog() const;

private:
    friend class TField;
    friend class TTableLink;
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};
