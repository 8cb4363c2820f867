// The structure rules of a data file: DATAPACKET holding METADATA (FIELDS,
// then PARAMS) and ROWDATA with its ROW elements.
#include "data/file/XmlReader.h"

#include "data/file/Cp1252.h"
#include "data/file/XmlTokens.h"
#include "data/file/XmlValues.h"

#include <array>
#include <unordered_map>

namespace {

constexpr std::size_t MaxKeyFields = 16;

struct TTypeName {
    std::string_view Name;
    TColumnType Type;
};
constexpr std::array<TTypeName, 4> OwnTypes = {
    {{"i4", ctInteger}, {"string", ctText}, {"boolean", ctBoolean}, {"date", ctDate}}};
// Types the program does not use: held as text, written back under their name.
constexpr std::array<std::string_view, 17> ForeignTypes = {
    "i1",   "i2",         "i8",      "ui1",      "ui2",      "ui4",
    "r8",   "r10",        "fixed",   "fixedFMT", "dateTime", "SQLdateTime",
    "time", "string.uni", "bin.hex", "IntArray", "UIntArray"};

// A field's name must come back from its ROW attribute, which the writer
// escapes but cannot protect against blanks, "=" or "/".
bool UsableAsAttributeName(std::string_view name) {
    if (name.empty())
        return false;
    for (char c : name)
        if (IsXmlBlank(c) || c == '=' || c == '/')
            return false;
    return true;
}

class TDataFileReader {
public:
    TDataFileReader(std::string_view text, const TColumnsCheck& checkColumns)
        : t_(text), checkColumns_(checkColumns) {}

    TTableContent Read() {
        const TXmlTag root = t_.NextTag();
        if (root.End || root.Name != "DATAPACKET")
            t_.FailAt(root.Offset, MismatchInDatapacket);
        if (root.Empty)
            t_.FailAt(root.Offset, NoMetaData);
        TXmlTag tag = t_.NextTag();
        if (tag.End) {
            t_.ExpectEnd(tag, "DATAPACKET");
            t_.FailAt(tag.Offset, NoMetaData);
        }
        if (tag.Name == "ROWDATA")
            t_.FailAt(tag.Offset, NoMetaData);
        if (tag.Name != "METADATA" || tag.Empty)
            t_.FailAt(tag.Offset, MismatchInDatapacket);
        ReadMetadata();
        if (checkColumns_)
            checkColumns_(content_.Columns);
        tag = t_.NextTag();
        if (!tag.End) {
            if (tag.Name != "ROWDATA")
                t_.FailAt(tag.Offset, MismatchInDatapacket);
            if (!tag.Empty)
                ReadRows();
            tag = t_.NextTag();
        }
        t_.ExpectEnd(tag, "DATAPACKET");
        t_.SkipMisc();
        if (!t_.AtEnd())
            t_.Fail();
        CheckChangeLog();
        content_.Rows.shrink_to_fit();
        return std::move(content_);
    }

private:
    void ReadMetadata() {
        TXmlTag tag = t_.NextTag();
        if (tag.End || tag.Name != "FIELDS")
            t_.FailAt(tag.Offset, MismatchInDatapacket);
        if (!tag.Empty) {
            for (;;) {
                tag = t_.NextTag();
                if (tag.End) {
                    t_.ExpectEnd(tag, "FIELDS");
                    break;
                }
                if (tag.Name != "FIELD")
                    t_.FailAt(tag.Offset, MismatchInDatapacket);
                ReadField(tag);
                if (!tag.Empty)
                    t_.SkipContent(tag.Name);
            }
        }
        tag = t_.NextTag();
        if (!tag.End && tag.Name == "PARAMS") {
            ReadParams();
            if (!tag.Empty)
                t_.SkipContent(tag.Name);
            tag = t_.NextTag();
        }
        t_.ExpectEnd(tag, "METADATA");
        PrepareFieldLookup();
    }

    void ReadField(const TXmlTag& tag) {
        const TXmlAttribute* attrName = t_.Find("attrname");
        const TXmlAttribute* tagName = t_.Find("tagname");
        if (attrName == nullptr && tagName == nullptr)
            t_.FailAt(tag.Offset, MismatchInDatapacket);
        const TXmlAttribute* fieldName = t_.Find("fieldname");
        const TXmlAttribute* named = fieldName ? fieldName : attrName ? attrName : tagName;
        TFieldDef field;
        field.Name = Decoded(named->Raw);
        if (!UsableAsAttributeName(field.Name))
            t_.FailAt(t_.OffsetOf(named->Raw), MismatchInDatapacket);

        const TXmlAttribute* typeAttribute = t_.Find("fieldtype");
        if (typeAttribute == nullptr)
            t_.FailAt(tag.Offset, InvalidFieldType);
        const std::string typeName = Decoded(typeAttribute->Raw);
        bool known = false;
        for (const TTypeName& own : OwnTypes) {
            if (EqualsNoCase(typeName, own.Name)) {
                field.Type = own.Type;
                known = true;
            }
        }
        for (std::string_view foreign : ForeignTypes) {
            if (!known && EqualsNoCase(typeName, foreign)) {
                field.Type = ctText;
                field.FileType = typeName;
                known = true;
            }
        }
        if (!known)
            t_.FailAt(t_.OffsetOf(typeAttribute->Raw), InvalidFieldType);
        if (const TXmlAttribute* width = t_.Find("WIDTH");
            width != nullptr && field.Type == ctText) {
            std::int32_t number = 0;
            LenientInteger(Decoded(width->Raw), number);
            field.Width = std::max(0, number);
        }
        auto flag = [this](std::string_view name) {
            const TXmlAttribute* attribute = t_.Find(name);
            return attribute != nullptr && EqualsNoCase(Decoded(attribute->Raw), "true");
        };
        field.ReadOnly = flag("readonly");
        field.Required = flag("required");
        field.Hidden = flag("hidden");
        field.LinkField = flag("linkfield");
        content_.Columns.push_back(std::move(field));
        fieldOffsets_.push_back(tag.Offset);
    }

    // The numbers of a PARAMS attribute; a fault is shown at the number
    // where it lies (at the value when references had to be replaced).
    std::vector<std::int32_t> Numbers(const TXmlAttribute& attribute, bool listSeparators) {
        const std::string decoded = attribute.HasReference ? Decoded(attribute.Raw) : std::string();
        const std::string_view text = attribute.HasReference ? decoded : attribute.Raw;
        std::size_t fault = 0;
        auto numbers = NumberList(text, listSeparators, fault);
        if (!numbers)
            t_.FailAt(t_.OffsetOf(attribute.Raw) + (attribute.HasReference ? 0 : fault),
                      MismatchInDatapacket);
        return std::move(*numbers);
    }

    void ReadParams() {
        if (const TXmlAttribute* log = t_.Find("CHANGE_LOG")) {
            const std::vector<std::int32_t> numbers = Numbers(*log, false);
            changeLogOffset_ = t_.OffsetOf(log->Name);
            if (numbers.size() % 3 != 0)
                t_.FailAt(changeLogOffset_, MismatchInDatapacket);
            content_.Log.reserve(numbers.size() / 3);
            for (std::size_t i = 0; i < numbers.size(); i += 3)
                content_.Log.push_back({numbers[i], numbers[i + 1], numbers[i + 2]});
        }
        const std::pair<std::string_view, bool> keys[] = {
            {"PRIMARY_KEY", true}, {"UNIQUE_KEY", true}, {"DEFAULT_ORDER", false}};
        for (const auto& [name, unique] : keys) {
            const TXmlAttribute* attribute = t_.Find(name);
            if (attribute == nullptr)
                continue;
            std::vector<std::int32_t> numbers = Numbers(*attribute, true);
            if (numbers.size() > MaxKeyFields)
                numbers.resize(MaxKeyFields);
            for (std::int32_t number : numbers) {
                if (number < 1 || number > static_cast<std::int64_t>(content_.Columns.size()))
                    t_.FailAt(t_.OffsetOf(attribute->Name), MismatchInDatapacket);
                content_.KeyColumns.push_back(number - 1);
            }
            if (!numbers.empty()) {
                content_.UniqueKey = unique;
                break;
            }
        }
    }

    void PrepareFieldLookup() {
        const std::size_t count = content_.Columns.size();
        names_.assign(count, std::string_view());
        seen_.assign(count, false);
        slots_.assign(count, TSlot());
        for (std::size_t i = 0; i < count; ++i) {
            names_[i] = content_.Columns[i].Name;
            // Two fields of one name would share their row attribute.
            if (!byName_.try_emplace(content_.Columns[i].Name, static_cast<int>(i)).second)
                t_.FailAt(fieldOffsets_[i], MismatchInDatapacket);
        }
    }

    // The field with that name, or -1; the one after the last match first.
    int FieldIndex(std::string_view name, int guess) const {
        if (guess >= 0 && guess < static_cast<int>(names_.size()) && names_[guess] == name)
            return guess;
        const auto it = byName_.find(name);
        return it == byName_.end() ? -1 : it->second;
    }

    void ReadRows() {
        for (;;) {
            t_.SkipMisc();
            // The common case, "<ROW" and its attributes, is read in one pass.
            if (t_.AtName("<ROW")) {
                const std::size_t start = t_.Offset();
                t_.Advance(4);
                if (!ReadRow()) {
                    t_.Enter(start);
                    t_.SkipContent("ROW");
                }
                continue;
            }
            const TXmlTag tag = t_.NextTag();
            if (!tag.End)
                t_.FailAt(tag.Offset, MismatchInDatapacket);
            t_.ExpectEnd(tag, "ROWDATA");
            return;
        }
    }

    // After "<ROW": its attributes, up to "/>" (true) or ">" (false). Each
    // field's attribute text is noted, then the row is converted in column
    // order.
    bool ReadRow() {
        std::uint8_t status = 0;
        std::fill(seen_.begin(), seen_.end(), false);
        int predicted = 0;
        bool empty = false;
        for (;;) {
            t_.SkipBlanks();
            if (t_.TagCloses(empty))
                break;
            int field = t_.At("RowState") ? -1 : t_.NameAmong(names_, predicted);
            const std::string_view name = field >= 0 ? t_.Take(names_[field].size()) : t_.Name();
            bool hasReference = false;
            const std::string_view raw = t_.AttributeValue(hasReference);
            if (field < 0 && name == "RowState") {
                std::int32_t number = 0;
                LenientInteger(hasReference ? std::string_view(Decoded(raw)) : raw, number);
                status = static_cast<std::uint8_t>(number & 0x0F);
                continue;
            }
            if (field < 0)
                field = FieldIndex(name, predicted);
            if (field < 0 && name.find('&') != std::string_view::npos)
                field = FieldIndex(Decoded(name), predicted);
            if (field < 0)
                continue; // names no field
            predicted = field + 1;
            seen_[field] = true;
            slots_[field] = {raw, hasReference};
        }
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            if (!seen_[i]) {
                writer_.Null();
                continue;
            }
            std::string_view text = slots_[i].Raw;
            if (slots_[i].HasReference) {
                scratch_.clear();
                AppendDecoded(scratch_, text);
                text = scratch_;
            }
            WriteLenientValue(content_.Columns[i].Type, text, writer_);
        }
        content_.Rows.push_back(writer_.Finish(status));
        return empty;
    }

    // Every entry must name rows the file has.
    void CheckChangeLog() const {
        const auto rows = static_cast<std::int64_t>(content_.Rows.size());
        for (const TChangeEntry& entry : content_.Log) {
            const bool rowOk = entry.Row >= 1 && entry.Row <= rows;
            bool previousOk = false;
            if (entry.Kind == 8)
                previousOk = entry.PreviousRow >= 1 && entry.PreviousRow <= rows;
            else if (entry.Kind == 4 || entry.Kind == 2)
                previousOk = entry.PreviousRow >= 0 && entry.PreviousRow <= rows;
            if (!rowOk || !previousOk)
                t_.FailAt(changeLogOffset_, MismatchInDatapacket);
        }
    }

    TXmlTokenizer t_;
    const TColumnsCheck& checkColumns_;
    TTableContent content_;
    std::vector<std::size_t> fieldOffsets_; // of each FIELD tag
    std::size_t changeLogOffset_ = 0;
    // Per field: its name as rows use it, and in the row being read whether
    // it has an attribute and that attribute's text.
    struct TSlot {
        std::string_view Raw;
        bool HasReference = false;
    };
    std::vector<std::string_view> names_;
    std::unordered_map<std::string_view, int> byName_;
    std::vector<char> seen_;
    std::vector<TSlot> slots_;
    TRowWriter writer_;
    std::string scratch_;
};

} // namespace

TTableContent ReadDataFile(std::string_view bytes, const TColumnsCheck& checkColumns) {
    std::string converted;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        converted = Utf8ToCp1252(bytes.substr(3));
        bytes = converted;
    } else if (DeclaresUtf8(bytes) && IsValidUtf8(bytes)) {
        converted = Utf8ToCp1252(bytes);
        bytes = converted;
    }
    return TDataFileReader(bytes, checkColumns).Read();
}

TDataPacket ReadDataPacket(std::string_view bytes) {
    TTableContent content = ReadDataFile(bytes);
    TDataPacket packet;
    packet.Rows.reserve(content.Rows.size());
    for (const TStoredRow& row : content.Rows)
        packet.Rows.push_back({DecodeRow(row, content.Columns.size()), row.Status});
    packet.Fields = std::move(content.Columns);
    packet.ChangeLog = std::move(content.Log);
    packet.KeyFields = std::move(content.KeyColumns);
    packet.UniqueKey = content.UniqueKey;
    return packet;
}
