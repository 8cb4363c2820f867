#include "report/ReportBinding.h"

#include "data/StaffelError.h"

#include <cctype>

namespace {

std::string Lower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

TLayoutDataType DataTypeOf(TColumnType type) {
    switch (type) {
    case ctInteger:
        return dtInteger;
    case ctBoolean:
        return dtBoolean;
    case ctDate:
        return dtDate;
    case ctText:
        break;
    }
    return dtString;
}

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
        const TLayoutDataType found = DataTypeOf(field.Type());
        if (found != wanted.Type)
            throw TStaffelError(
                FieldTypeMismatchMessage(layout_.FieldListName, wanted.Name, wanted.Type, found));
        texts_[Lower(wanted.Name)] = hasRow ? ValueText(field.Value(), settings_) : std::string();
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
    return texts_.contains(Lower(fieldName));
}

std::string TReportBinding::Text(std::string_view fieldName) const {
    const auto found = texts_.find(Lower(fieldName));
    if (found == texts_.end())
        throw TStaffelError("Field '" + std::string(fieldName) + "' not found");
    return found->second;
}
