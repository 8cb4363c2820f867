// Cursor movement and the editing cycle of the record table.
#include "data/table/RecordTableImpl.h"

namespace {

const char* const NotEditingMessage = "Datenmenge weder im Editier- noch im Einfügemodus";
const char* const ClosedMessage = "Operation bei geschlossener Datenmenge nicht ausführbar";

// Both checks at post: the first required field, in field order, without a
// value (-1: none). Field i is described by def(i) and holds *value(i), or
// has no column (nullptr); the store's check also counts empty text as none.
template <class TDefOf, class TValueOf>
int FirstRequiredWithoutValue(int count, TDefOf def, TValueOf value, bool emptyTextIsNone) {
    for (int i = 0; i < count; ++i) {
        const TFieldDef& field = def(i);
        if (!field.Required)
            continue;
        const TValue* held = value(i);
        if (held == nullptr || std::holds_alternative<std::monostate>(*held))
            return i;
        const auto* text = std::get_if<std::string>(held);
        if (emptyTextIsNone && field.Type == ctText && text != nullptr && text->empty())
            return i;
    }
    return -1;
}

} // namespace

const std::vector<TValue>* TRecordTable::TImpl::CurrentValues() const {
    if (IsEditing())
        return &Pending;
    if (State == tsBrowse && Cur >= 0)
        return &CurrentRowValues(Order[Cur]);
    return nullptr;
}

// ---- navigation -------------------------------------------------------------

void TRecordTable::TImpl::FinishEdit() {
    if (State == tsInactive)
        return;
    Notify(tnLeaveEdit);
    if (!IsEditing())
        return;
    Notify(tnWriteBack);
    if (ModifiedFlag)
        Self->Post();
    else
        Self->Cancel();
}

void TRecordTable::FinishEdit() {
    impl_->FinishEdit();
}

void TRecordTable::First() {
    auto& d = *impl_;
    if (d.State == tsInactive)
        return;
    d.FinishEdit();
    d.Cur = d.Order.empty() ? -1 : 0;
    d.BofFlag = true;
    d.EofFlag = d.Order.empty();
    d.Notify(tnRowsChange);
}

void TRecordTable::Last() {
    auto& d = *impl_;
    if (d.State == tsInactive)
        return;
    d.FinishEdit();
    d.Cur = static_cast<int>(d.Order.size()) - 1;
    d.EofFlag = true;
    d.BofFlag = d.Order.empty();
    d.Notify(tnRowsChange);
}

void TRecordTable::TImpl::MoveBy(int distance) {
    if (State == tsInactive)
        return;
    FinishEdit();
    if (distance == 0 || (distance > 0 && EofFlag) || (distance < 0 && BofFlag))
        return;
    const long long last = static_cast<long long>(Order.size()) - 1;
    long long target = static_cast<long long>(Cur) + distance;
    if (distance > 0) {
        BofFlag = false;
        if (target > last) {
            target = last;
            EofFlag = true;
        }
    } else {
        EofFlag = false;
        if (target < 0) {
            target = Order.empty() ? -1 : 0;
            BofFlag = true;
        }
    }
    Cur = static_cast<int>(target);
    Notify(tnRowsChange);
}

void TRecordTable::Next() {
    impl_->MoveBy(1);
}
void TRecordTable::Prior() {
    impl_->MoveBy(-1);
}
void TRecordTable::MoveBy(int distance) {
    impl_->MoveBy(distance);
}

void TRecordTable::MoveTo(int displayIndex) {
    auto& d = *impl_;
    if (d.State == tsInactive || displayIndex < 0 || displayIndex >= DisplayCount())
        return;
    // Resolve the target before FinishEdit: a cancelled insert shifts the
    // display, a posted edit replaces the row.
    int orderIndex = displayIndex;
    if (d.State == tsInsert) {
        if (displayIndex == d.PendingPos) {
            d.FinishEdit();
            return;
        }
        if (displayIndex > d.PendingPos)
            --orderIndex;
    }
    if (d.State == tsEdit && orderIndex == d.Cur) {
        d.FinishEdit();
        return;
    }
    const std::int32_t targetRow = d.Order[orderIndex];
    d.FinishEdit();
    const int pos = d.PositionOfRow(targetRow);
    if (pos < 0 || pos == d.Cur)
        return;
    d.Cur = pos;
    d.BofFlag = false;
    d.EofFlag = false;
    d.Notify(tnRowsChange);
}

std::optional<TRowMark> TRecordTable::RowMark() const {
    const auto& d = *impl_;
    if (d.State == tsInactive || d.State == tsInsert || d.Cur < 0)
        return std::nullopt;
    return TRowMark{d.Order[d.Cur] + 1};
}

void TRecordTable::GoToMark(const std::optional<TRowMark>& mark) {
    auto& d = *impl_;
    if (!mark || d.State == tsInactive)
        return;
    d.FinishEdit();
    const int pos = d.PositionOfRow(mark->Row - 1);
    if (pos < 0)
        d.FailNamed("Datensatz nicht gefunden");
    d.Cur = pos;
    d.BofFlag = false;
    d.EofFlag = false;
    d.Notify(tnRowsChange);
}

// ---- starting and ending an edit -------------------------------------------------

void TRecordTable::TImpl::StartNew(bool append) {
    if (State == tsInactive)
        FailNamed(ClosedMessage);
    FinishEdit();
    const bool formerBof = BofFlag, formerEof = EofFlag;
    CurBeforeInsert = Cur;
    Appending = append;
    PendingPos = append || Cur < 0 ? static_cast<int>(Order.size()) : Cur;
    Pending.assign(Columns.size(), TValue{});
    BofFlag = false;
    EofFlag = false;
    SetState(tsInsert);
    try {
        if (Self->OnNewRecord)
            Self->OnNewRecord(*Self);
    } catch (...) {
        DropPending();
        Cur = CurBeforeInsert;
        BofFlag = formerBof;
        EofFlag = formerEof;
        SetState(tsBrowse);
        throw;
    }
    ModifiedFlag = false;
    Notify(tnRowsChange);
}

void TRecordTable::Insert() {
    impl_->StartNew(false);
}
void TRecordTable::Append() {
    impl_->StartNew(true);
}

void TRecordTable::Edit() {
    auto& d = *impl_;
    if (d.State == tsInactive)
        d.FailNamed(ClosedMessage);
    if (d.IsEditing())
        return;
    if (d.Order.empty()) {
        d.StartNew(false);
        return;
    }
    if (d.Cur < 0)
        d.Cur = 0;
    d.Pending = DecodeRow(d.Rows[d.Order[d.Cur]], d.Columns.size());
    d.ModifiedFlag = false;
    d.SetState(tsEdit);
    d.Notify(tnEditStart);
}

void TRecordTable::TImpl::DropPending() {
    if (State == tsInsert)
        Cur = Appending ? static_cast<int>(Order.size()) - 1 : CurBeforeInsert;
    Pending.clear();
    Pending.shrink_to_fit();
    PendingPos = -1;
    ModifiedFlag = false;
}

void TRecordTable::Cancel() {
    auto& d = *impl_;
    if (!d.IsEditing())
        return;
    d.Notify(tnLeaveEdit);
    if (d.State == tsInsert) {
        const bool appending = d.Appending;
        d.DropPending();
        d.BofFlag = d.Order.empty();
        d.EofFlag = d.Order.empty() || appending;
    } else {
        d.DropPending();
    }
    d.SetState(tsBrowse);
    d.Notify(tnRowsChange);
}

std::optional<TPendingRow> TRecordTable::TakePending() {
    auto& d = *impl_;
    if (!d.IsEditing())
        return std::nullopt;
    TPendingRow row{d.State, std::nullopt, d.Appending, d.Pending};
    if (d.State == tsEdit)
        row.Mark = RowMark();
    Cancel();
    if (row.State == tsInsert)
        row.Mark = RowMark();
    return row;
}

void TRecordTable::RestorePending(const TPendingRow& row) {
    auto& d = *impl_;
    GoToMark(row.Mark);
    if (row.State == tsEdit)
        Edit();
    else if (row.Appending)
        Append();
    else
        Insert();
    if (row.Values.size() != d.Pending.size())
        return; // the table was loaded anew with other fields
    d.Pending = row.Values;
    d.ModifiedFlag = true;
    for (int i = 0; i < d.FieldCount(); ++i)
        d.Notify(tnFieldChange, d.FieldObjects[i].get());
}

void TRecordTable::Delete() {
    auto& d = *impl_;
    if (d.State == tsInsert) {
        Cancel();
        return;
    }
    if (d.Order.empty() || d.State == tsInactive)
        d.FailNamed("Operation bei leerer Datenmenge nicht ausführbar");
    if (d.Cur < 0)
        d.Cur = 0;
    d.Notify(tnLeaveEdit);
    const bool wasEditing = d.State == tsEdit;
    d.DropPending();
    const std::int32_t row = d.Order[d.Cur];
    d.Rows[row].Status |= rsDeleted;
    d.Order.erase(d.Order.begin() + d.Cur);
    d.Log.push_back({row + 1, 0, rsDeleted});
    ++d.Changes;
    if (d.Cur >= static_cast<int>(d.Order.size()))
        d.Cur = static_cast<int>(d.Order.size()) - 1;
    d.BofFlag = d.Order.empty();
    d.EofFlag = d.Order.empty();
    if (wasEditing)
        d.SetState(tsBrowse);
    d.Notify(tnRowsChange);
}

// ---- post -----------------------------------------------------------------------

void TRecordTable::TImpl::StoreCheck() const {
    const int missing = FirstRequiredWithoutValue(
        static_cast<int>(Columns.size()), [&](int c) -> const TFieldDef& { return Columns[c]; },
        [&](int c) { return &Pending[c]; }, true);
    if (missing >= 0)
        throw TStaffelError("Field value required.");
}

void TRecordTable::TImpl::StorePending() {
    const auto newRow = static_cast<std::int32_t>(Rows.size());
    if (State == tsEdit) {
        const std::int32_t old = Order[Cur];
        if (Pending == CurrentRowValues(old))
            return;
        StoreCheck();
        if (UniqueKey && HasKey() && KeyClash(Pending, old))
            throw TStaffelError("Key violation.");
        const auto status = static_cast<std::uint8_t>(rsModified | (Rows[old].Status & rsInserted));
        Rows.push_back(EncodeRow(Pending, status));
        Rows[old].Status |= rsSuperseded;
        if (HasKey()) {
            Order.erase(Order.begin() + Cur);
            Cur = SortedPosition(Pending);
            Order.insert(Order.begin() + Cur, newRow);
        } else {
            Order[Cur] = newRow;
        }
        Log.push_back({newRow + 1, old + 1, rsModified});
        ++Changes;
        return;
    }
    StoreCheck();
    int pos = PendingPos;
    if (HasKey()) {
        if (UniqueKey && KeyClash(Pending, -1))
            throw TStaffelError("Key violation.");
        pos = SortedPosition(Pending);
    }
    Rows.push_back(EncodeRow(Pending, rsInserted));
    Order.insert(Order.begin() + pos, newRow);
    Log.push_back({newRow + 1, 0, rsInserted});
    ++Changes;
    Cur = pos;
}

void TRecordTable::Post() {
    auto& d = *impl_;
    if (!d.IsEditing())
        d.FailNamed(NotEditingMessage);
    d.Notify(tnWriteBack);
    d.Notify(tnLeaveEdit);
    const int missing = FirstRequiredWithoutValue(
        d.FieldCount(), [&](int i) -> const TFieldDef& { return d.FieldDef(i); },
        [&](int i) { return d.Binding[i] < 0 ? nullptr : &d.Pending[d.Binding[i]]; }, false);
    if (missing >= 0) {
        d.Notify(tnFocusField, d.FieldObjects[missing].get());
        throw TStaffelError("Feld '" + d.FieldDef(missing).Name + "' muss einen Wert haben");
    }
    if (BeforePost)
        BeforePost(*this);
    d.StorePending();
    d.Pending.clear();
    d.Pending.shrink_to_fit();
    d.PendingPos = -1;
    d.ModifiedFlag = false;
    d.BofFlag = false;
    d.EofFlag = false;
    d.SetState(tsBrowse);
    d.Notify(tnRowsChange);
    if (AfterPost)
        AfterPost(*this);
}

// ---- grid view ------------------------------------------------------------------

int TRecordTable::DisplayCount() const {
    const auto& d = *impl_;
    if (d.State == tsInactive)
        return 0;
    return static_cast<int>(d.Order.size()) + (d.State == tsInsert ? 1 : 0);
}

int TRecordTable::DisplayIndex() const {
    const auto& d = *impl_;
    if (d.State == tsInactive)
        return -1;
    return d.State == tsInsert ? d.PendingPos : d.Cur;
}

const TValue& TRecordTable::DisplayValue(int displayIndex, int fieldIndex) const {
    static const TValue empty;
    const auto& d = *impl_;
    if (d.State == tsInactive || fieldIndex < 0 || fieldIndex >= d.FieldCount() ||
        displayIndex < 0 || displayIndex >= DisplayCount())
        return empty;
    const int c = d.Binding[fieldIndex];
    if (c < 0)
        return empty;
    int orderIndex = displayIndex;
    if (d.State == tsInsert) {
        if (displayIndex == d.PendingPos)
            return d.Pending[c];
        if (displayIndex > d.PendingPos)
            --orderIndex;
    }
    if (d.State == tsEdit && orderIndex == d.Cur)
        return d.Pending[c];
    return d.DisplayRowValues(d.Order[orderIndex])[c];
}

std::string TRecordTable::DisplayText(int displayIndex, int fieldIndex) const {
    return ValueText(DisplayValue(displayIndex, fieldIndex), impl_->Settings);
}
