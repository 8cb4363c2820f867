#include "report/ReportBinding.h"

#include "data/AsciiCase.h"
#include "data/StaffelError.h"
#include "report/DivisionValues.h"

namespace {

std::string ValueText(const TValue& value, const TRegionalSettings& settings) {
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return std::to_string(*number);
    if (const auto* date = std::get_if<TDateValue>(&value))
        return settings.FormatDate(date->Day);
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? "True" : "False";
    return {};
}

// A bye prints as "spielfrei" however it was typed.
bool IsSlotField(std::string_view name) {
    for (int s = 0; s < SlotCount; ++s)
        if (EqualsIgnoringCase(name, SlotFieldName(static_cast<TSlotName>(s))))
            return true;
    return false;
}

} // namespace

const char* DataTypeName(TLayoutDataType type) {
    switch (type) {
    case dtInteger:
        return "dtInteger";
    case dtBoolean:
        return "dtBoolean";
    case dtDate:
        return "dtDate";
    case dtString:
        break;
    }
    return "dtString";
}

std::string FieldTypeMismatchMessage(const std::string& fieldList, const std::string& field,
                                     TLayoutDataType expected, TLayoutDataType found) {
    return "Field " + fieldList + ":" + field + ".  Datatype expected: " + DataTypeName(expected) +
           "  Datatype found: " + DataTypeName(found);
}

TReportBinding::TReportBinding(TRecordTable& table, const TFixtureLayout& layout,
                               TRegionalSettings settings)
    : table_(table), layout_(layout), settings_(std::move(settings)) {}

TReportBinding::~TReportBinding() {
    if (begun_ && !ended_)
        table_.ResumeLinks();
}

void TReportBinding::Begin() {
    if (begun_)
        return;
    mark_ = table_.RowMark();
    table_.SuspendLinks();
    begun_ = true;
    // An open edit or insert shows its pending values; a browsing table
    // without rows reads as empty.
    const bool hasRow = table_.State() == tsEdit || table_.State() == tsInsert ||
                        (table_.Active() && !table_.IsEmpty());
    for (const TLayoutField& wanted : layout_.Fields) {
        TField& field = table_.Field(wanted.Name);
        const TLayoutDataType found = LayoutDataTypeOf(field.Type());
        if (found != wanted.Type)
            throw TStaffelError(
                FieldTypeMismatchMessage(layout_.FieldListName, wanted.Name, wanted.Type, found));
        std::string text = hasRow ? ValueText(field.Value(), settings_) : std::string();
        if (IsSlotField(wanted.Name) && IsBye(text))
            text = "spielfrei";
        texts_[AsciiLowered(wanted.Name)] = std::move(text);
    }
}

void TReportBinding::End() {
    if (!begun_ || ended_)
        return;
    ended_ = true;
    table_.ResumeLinks();
    if (!table_.Active())
        return;
    // Posting an edit stores the division as a new row version, so the mark
    // taken before would name the superseded version: mark the posted row.
    const bool editing = table_.State() == tsEdit;
    table_.FinishEdit();
    if (editing)
        mark_ = table_.RowMark();
    table_.First();
    table_.GoToMark(mark_);
}

bool TReportBinding::Reads(std::string_view fieldName) const {
    return texts_.contains(AsciiLowered(fieldName));
}

std::string TReportBinding::Text(std::string_view fieldName) const {
    const auto found = texts_.find(AsciiLowered(fieldName));
    if (found == texts_.end())
        throw TStaffelError("Field '" + std::string(fieldName) + "' not found");
    return found->second;
}
