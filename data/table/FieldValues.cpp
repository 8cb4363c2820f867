// Reading and writing a field's value through its four kinds: text, integer,
// boolean and date-time.
#include "data/file/Cp1252.h"
#include "data/table/RecordTableImpl.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// The range of days a date-time may name: 01.01.0001 to 31.12.9999.
constexpr double FirstDay = -693593.0;
constexpr double LastDay = 2958465.0;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::optional<bool> ParseBoolean(std::string_view text) {
    text = Trimmed(text);
    if (EqualsIgnoringCase(text, "Wahr") || EqualsIgnoringCase(text, "True"))
        return true;
    if (EqualsIgnoringCase(text, "Falsch") || EqualsIgnoringCase(text, "False"))
        return false;
    return std::nullopt;
}

[[noreturn]] void FailInteger(std::string_view text, const std::string& field) {
    throw TStaffelError("'" + Cp1252ToUtf8(text) + "' ist kein gültiger Integerwert für Feld '" +
                        field + "'");
}

[[noreturn]] void FailDate(std::string_view text) {
    throw TStaffelError("'" + Cp1252ToUtf8(text) + "' ist kein gültiges Datum");
}

[[noreturn]] void FailBoolean(std::string_view text, const std::string& field) {
    throw TStaffelError("'" + Cp1252ToUtf8(text) +
                        "' ist kein gültiger Boolescher Wert für Feld '" + field + "'");
}

std::string CutToWidth(std::string_view text, int width) {
    if (width > 0 && text.size() > static_cast<size_t>(width))
        text = text.substr(0, width);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

TDaySerial DayOfDateTime(double value) {
    if (!std::isfinite(value) || value < FirstDay || value >= LastDay + 1.0) {
        char text[64];
        std::snprintf(text, sizeof text, "%g", value);
        FailDate(text);
    }
    return static_cast<TDaySerial>(std::trunc(value));
}

} // namespace

std::string ValueText(const TValue& value, const TRegionalSettings& settings) {
    switch (value.index()) {
    case 1:
        return std::to_string(std::get<std::int32_t>(value));
    case 2:
        return std::get<std::string>(value);
    case 3:
        return std::get<bool>(value) ? "Wahr" : "Falsch";
    case 4:
        return settings.FormatDate(std::get<TDateValue>(value).Day);
    default:
        return {};
    }
}

// ---- definition -------------------------------------------------------------

namespace {
const TFieldDef& NoField() {
    static const TFieldDef none;
    return none;
}
} // namespace

const std::string& TField::Name() const {
    const auto& d = *table_->impl_;
    return index_ < d.FieldCount() ? d.FieldDef(index_).Name : NoField().Name;
}
TColumnType TField::Type() const {
    const auto& d = *table_->impl_;
    return index_ < d.FieldCount() ? d.FieldDef(index_).Type : ctText;
}
int TField::Width() const {
    const auto& d = *table_->impl_;
    return index_ < d.FieldCount() ? d.FieldDef(index_).Width : 0;
}
bool TField::Required() const {
    const auto& d = *table_->impl_;
    return index_ < d.FieldCount() && d.FieldDef(index_).Required;
}

// ---- reading ----------------------------------------------------------------

const TValue& TField::Value() const {
    static const TValue empty;
    const auto& d = *table_->impl_;
    if (index_ >= d.FieldCount() || index_ >= static_cast<int>(d.Binding.size()))
        return empty;
    const int c = d.Binding[index_];
    const auto* values = d.CurrentValues();
    if (c < 0 || values == nullptr || static_cast<size_t>(c) >= values->size())
        return empty;
    return (*values)[c];
}

bool TField::IsNull() const {
    return std::holds_alternative<std::monostate>(Value());
}

std::string TField::AsText() const {
    return ValueText(Value(), table_->impl_->Settings);
}

std::int32_t TField::AsInteger() const {
    const TValue& value = Value();
    switch (value.index()) {
    case 1:
        return std::get<std::int32_t>(value);
    case 2: {
        const auto& text = std::get<std::string>(value);
        if (auto number = ParseInteger(text))
            return *number;
        FailInteger(text, Name());
    }
    case 3:
        return std::get<bool>(value) ? 1 : 0;
    case 4:
        return std::get<TDateValue>(value).Day;
    default:
        return 0;
    }
}

bool TField::AsBoolean() const {
    const TValue& value = Value();
    switch (value.index()) {
    case 1:
        return std::get<std::int32_t>(value) != 0;
    case 2: {
        const auto& text = std::get<std::string>(value);
        if (auto flag = ParseBoolean(text))
            return *flag;
        FailBoolean(text, Name());
    }
    case 3:
        return std::get<bool>(value);
    case 4:
        return std::get<TDateValue>(value).Day != 0;
    default:
        return false;
    }
}

double TField::AsDateTime() const {
    const TValue& value = Value();
    switch (value.index()) {
    case 1:
        return std::get<std::int32_t>(value);
    case 2: {
        const auto& text = std::get<std::string>(value);
        if (auto day = table_->impl_->Settings.ParseDate(text))
            return *day;
        FailDate(text);
    }
    case 3:
        return std::get<bool>(value) ? 1.0 : 0.0;
    case 4:
        return std::get<TDateValue>(value).Day;
    default:
        return 0.0;
    }
}

// ---- writing ----------------------------------------------------------------

void TField::Write(TValue value) {
    auto& d = *table_->impl_;
    d.Pending[d.Binding[index_]] = std::move(value);
    d.ModifiedFlag = true;
    d.Notify(tnFieldChange, this);
}

const TFieldDef& TField::WritableColumn() const {
    auto& d = *table_->impl_;
    if (!d.IsEditing())
        d.FailNamed("Datenmenge weder im Editier- noch im Einfügemodus");
    if (index_ >= d.FieldCount() || d.Binding[index_] < 0)
        d.FailFieldNotFound(Name());
    return d.Columns[d.Binding[index_]];
}

void TField::SetAsText(std::string_view text) {
    auto& d = *table_->impl_;
    const TFieldDef& column = WritableColumn();
    switch (column.Type) {
    case ctText:
        return Write(CutToWidth(text, column.Width));
    case ctInteger: {
        if (Trimmed(text).empty())
            return Write(std::monostate{});
        const auto number = ParseInteger(text);
        if (!number)
            FailInteger(text, Name());
        return Write(*number);
    }
    case ctDate: {
        if (Trimmed(text).empty())
            return Write(std::monostate{});
        const auto day = d.Settings.ParseDate(text);
        if (!day)
            FailDate(text);
        return Write(TDateValue{*day});
    }
    case ctBoolean: {
        if (Trimmed(text).empty())
            return Write(std::monostate{});
        const auto flag = ParseBoolean(text);
        if (!flag)
            FailBoolean(text, Name());
        return Write(*flag);
    }
    }
}

void TField::SetAsInteger(std::int32_t value) {
    const TFieldDef& column = WritableColumn();
    switch (column.Type) {
    case ctText:
        return Write(CutToWidth(std::to_string(value), column.Width));
    case ctInteger:
        return Write(value);
    case ctDate:
        return Write(TDateValue{DayOfDateTime(value)});
    case ctBoolean:
        return Write(value != 0);
    }
}

void TField::SetAsBoolean(bool value) {
    const TFieldDef& column = WritableColumn();
    switch (column.Type) {
    case ctText:
        return Write(CutToWidth(value ? "Wahr" : "Falsch", column.Width));
    case ctInteger:
        return Write(std::int32_t{value ? 1 : 0});
    case ctDate:
        return Write(TDateValue{value ? 1 : 0});
    case ctBoolean:
        return Write(value);
    }
}

void TField::SetAsDateTime(double value) {
    auto& d = *table_->impl_;
    const TFieldDef& column = WritableColumn();
    const TDaySerial day = DayOfDateTime(value);
    switch (column.Type) {
    case ctText:
        return Write(CutToWidth(d.Settings.FormatDate(day), column.Width));
    case ctInteger:
        return Write(std::int32_t{day});
    case ctDate:
        return Write(TDateValue{day});
    case ctBoolean:
        return Write(value != 0.0);
    }
}

void TField::Clear() {
    WritableColumn();
    Write(std::monostate{});
}
