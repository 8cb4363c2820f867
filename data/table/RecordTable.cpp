// Definitions, lifetime, links and the packet exchange of the record table.
#include "data/AsciiCase.h"
#include "data/table/RecordTableImpl.h"

#include <algorithm>

namespace {

const char* const NoDataMessage = "Fehlender Daten-Provider oder Datenpaket";

} // namespace

// ---- links ----------------------------------------------------------------

TTableLink::~TTableLink() {
    SetTable(nullptr);
}

void TTableLink::SetTable(TRecordTable* table) {
    if (table_ != nullptr) {
        auto& links = table_->impl_->Links;
        std::erase_if(links, [this](const auto& entry) { return entry.first == this; });
    }
    table_ = table;
    if (table_ != nullptr) {
        attachId_ = table_->impl_->NextAttachId++;
        table_->impl_->Links.emplace_back(this, attachId_);
    }
}

void TRecordTable::TImpl::Notify(TTableNotice notice, TField* field, bool activeChange) {
    if (SuspendCount > 0 && !activeChange)
        return;
    // Links may attach, detach or die while being notified: walk a copy and
    // call only those still attached under the same id.
    const auto snapshot = Links;
    for (const auto& notified : snapshot) {
        // No structured binding here: clang 14 cannot capture one in a lambda.
        const bool attached = std::any_of(Links.begin(), Links.end(), [&](const auto& entry) {
            return entry == notified;
        });
        if (attached)
            notified.first->Notify(notice, field);
    }
}

void TRecordTable::TImpl::SetState(TTableState state) {
    const bool activeChange = (State == tsInactive) != (state == tsInactive);
    State = state;
    Notify(tnStateChange, nullptr, activeChange);
}

void TRecordTable::SuspendLinks() {
    if (impl_->SuspendCount++ == 0)
        impl_->StateAtSuspend = impl_->State;
}

void TRecordTable::ResumeLinks() {
    if (impl_->SuspendCount == 0 || --impl_->SuspendCount > 0)
        return;
    if (impl_->State != impl_->StateAtSuspend)
        impl_->Notify(tnStateChange);
    if (impl_->State != tsInactive && impl_->StateAtSuspend != tsInactive)
        impl_->Notify(tnRowsChange);
}

// ---- construction -----------------------------------------------------------

TRecordTable::TRecordTable(std::string name, TRegionalSettings settings)
    : impl_(std::make_unique<TImpl>()) {
    impl_->Self = this;
    impl_->Name = std::move(name);
    impl_->Settings = std::move(settings);
}

TRecordTable::~TRecordTable() {
    for (auto& [link, id] : impl_->Links)
        link->table_ = nullptr;
    impl_->Links.clear();
}

const std::string& TRecordTable::Name() const {
    return impl_->Name;
}
const TRegionalSettings& TRecordTable::Settings() const {
    return impl_->Settings;
}
void TRecordTable::SetSettings(TRegionalSettings settings) {
    impl_->Settings = std::move(settings);
}

std::string TRecordTable::NamedMessage(const std::string& text) const {
    return impl_->Name + ": " + text;
}

void TRecordTable::TImpl::FailNamed(const std::string& text) const {
    throw TStaffelError(Self->NamedMessage(text));
}

void TRecordTable::TImpl::FailFieldNotFound(std::string_view name) const {
    FailNamed("Das Feld '" + std::string(name) + "' wurde nicht gefunden");
}

// ---- definitions and binding --------------------------------------------------

int TRecordTable::TImpl::FieldCount() const {
    return static_cast<int>(Fixed || !HasStore ? Defs.size() : Columns.size());
}

const TFieldDef& TRecordTable::TImpl::FieldDef(int index) const {
    return Fixed || !HasStore ? Defs[index] : Columns[index];
}

int TRecordTable::TImpl::ColumnOf(std::string_view name) const {
    for (size_t c = 0; c < Columns.size(); ++c)
        if (EqualsIgnoringCase(Columns[c].Name, name))
            return static_cast<int>(c);
    return -1;
}

void TRecordTable::TImpl::Rebind() {
    const int count = FieldCount();
    Binding.assign(count, -1);
    if (HasStore)
        for (int i = 0; i < count; ++i)
            Binding[i] = Fixed ? ColumnOf(FieldDef(i).Name) : i;
    EnsureFieldObjects();
}

void TRecordTable::TImpl::EnsureFieldObjects() {
    // Field objects are never destroyed before the table, so a field held by
    // a control stays valid whatever the definitions do.
    while (static_cast<int>(FieldObjects.size()) < FieldCount())
        FieldObjects.emplace_back(new TField(Self, static_cast<int>(FieldObjects.size())));
}

void TRecordTable::ClearDefinitions() {
    Close();
    impl_->Defs.clear();
    impl_->HasStore = false;
    impl_->ForgetDecodedRows();
    impl_->Columns.clear();
    impl_->Rows.clear();
    impl_->Log.clear();
    impl_->Order.clear();
    impl_->KeyColumns.clear();
    impl_->UniqueKey = false;
    impl_->OrderRedefined = false;
    impl_->Rebind();
}

void TRecordTable::DefineField(std::string name, TColumnType type, int width, bool required) {
    TFieldDef def;
    def.Name = std::move(name);
    def.Type = type;
    def.Width = type == ctText ? std::max(width, 0) : 0;
    def.Required = required;
    impl_->Defs.push_back(std::move(def));
    impl_->Rebind();
}

void TRecordTable::SetFixedFieldList(bool fixed) {
    impl_->Fixed = fixed;
    impl_->Rebind();
}

bool TRecordTable::FixedFieldList() const {
    return impl_->Fixed;
}

void TRecordTable::CreateEmpty() {
    if (impl_->Defs.empty())
        throw TStaffelError(
            "Es wurden keine Felder definiert.  Datenmenge kann nicht erzeugt werden");
    TDataPacket packet;
    packet.Fields = impl_->Defs;
    OpenFromPacket(std::move(packet));
}

void TRecordTable::DefineIndex(const std::string& name, const std::string& fieldList, bool unique) {
    FinishEdit();
    std::vector<std::string> names;
    size_t start = 0;
    while (names.size() < 16 && start <= fieldList.size()) {
        const size_t end = std::min(fieldList.find(';', start), fieldList.size());
        if (end > start)
            names.push_back(fieldList.substr(start, end - start));
        start = end + 1;
    }
    if (!name.empty())
        return; // named indexes order nothing here
    auto& d = *impl_;
    if (d.HasKey() || d.OrderRedefined)
        throw TStaffelError("Index is being used to order table.");
    if (!d.HasStore)
        d.FailNamed(NoDataMessage);
    std::vector<int> columns;
    for (const auto& fieldName : names) {
        const int c = d.ColumnOf(fieldName);
        if (c < 0)
            d.FailFieldNotFound(fieldName);
        columns.push_back(c);
    }
    if (columns.empty())
        return;
    const int currentRow = d.Cur >= 0 ? d.Order[d.Cur] : -1;
    const auto formerOrder = d.Order;
    d.KeyColumns = columns;
    d.UniqueKey = unique;
    d.SortOrder();
    if (unique) {
        for (size_t i = 1; i < d.Order.size(); ++i) {
            if (d.CompareKeys(d.KeyValues(d.Order[i - 1]), d.KeyValues(d.Order[i])) == 0) {
                d.KeyColumns.clear();
                d.UniqueKey = false;
                d.Order = formerOrder;
                throw TStaffelError("Key violation.");
            }
        }
    }
    d.OrderRedefined = true;
    if (currentRow >= 0)
        d.Cur = d.PositionOfRow(currentRow);
    if (d.State != tsInactive)
        d.Notify(tnRowsChange);
}

// ---- lifetime -----------------------------------------------------------------

void TRecordTable::TImpl::OpenShowingFirst() {
    Cur = Order.empty() ? -1 : 0;
    BofFlag = true;
    EofFlag = Order.empty();
    ModifiedFlag = false;
    SetState(tsBrowse);
    Notify(tnRowsChange);
}

void TRecordTable::Open() {
    if (impl_->State != tsInactive)
        return;
    if (!impl_->HasStore)
        impl_->FailNamed(NoDataMessage);
    impl_->OpenShowingFirst();
}

void TRecordTable::Close() {
    if (impl_->State == tsInactive)
        return;
    impl_->DropPending();
    impl_->SetState(tsInactive);
}

std::vector<TPhysicalRow> TRecordTable::PhysicalRows() const {
    std::vector<TPhysicalRow> rows;
    for (const auto& row : impl_->Rows)
        rows.push_back({DecodeRow(row, impl_->Columns.size()), row.Status});
    return rows;
}
const std::vector<TChangeEntry>& TRecordTable::ChangeLog() const {
    return impl_->Log;
}

// ---- queries --------------------------------------------------------------------

TTableState TRecordTable::State() const {
    return impl_->State;
}
bool TRecordTable::Bof() const {
    return impl_->BofFlag;
}
bool TRecordTable::Eof() const {
    return impl_->EofFlag;
}
bool TRecordTable::IsEmpty() const {
    return impl_->Order.empty() || impl_->State == tsInactive;
}
bool TRecordTable::Modified() const {
    return impl_->ModifiedFlag;
}
std::uint64_t TRecordTable::ChangeCount() const {
    return impl_->Changes;
}

int TRecordTable::NetChangeCount() const {
    return impl_->NetChangeCount();
}
int TRecordTable::FieldCount() const {
    return impl_->FieldCount();
}

TField* TRecordTable::FindField(std::string_view name) {
    const int count = impl_->FieldCount();
    for (int i = 0; i < count; ++i)
        if (EqualsIgnoringCase(impl_->FieldDef(i).Name, name))
            return impl_->FieldObjects[i].get();
    return nullptr;
}

TField& TRecordTable::Field(std::string_view name) {
    if (TField* field = FindField(name))
        return *field;
    impl_->FailFieldNotFound(name);
}

TField& TRecordTable::FieldAt(int index) {
    if (index < 0 || index >= impl_->FieldCount())
        impl_->FailNamed("Feldindex außerhalb des gültigen Bereichs");
    return *impl_->FieldObjects[index];
}

void TRecordTable::Refresh() {
    FinishEdit();
    if (impl_->NetChangeCount() > 0)
        impl_->FailNamed(
            "Die Änderungen müssen vor der Aktualisierung der Daten übernommen werden");
    impl_->FailNamed(NoDataMessage);
}
