#pragma once
// Helpers shared by the record table tests: a link that records the notices
// it receives, and a one-line picture of a table's state.
#include "data/table/RecordTable.h"
#include "data/StaffelError.h"
#include "test_ErrorOf.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class TRecordingLink : public TTableLink {
public:
    explicit TRecordingLink(TRecordTable* table = nullptr, std::string tag = {})
        : tag_(std::move(tag)) {
        SetTable(table);
    }
    void Notify(TTableNotice notice, TField* field) override {
        static const char* const names[] = {"State",     "Rows",  "EditStart", "Field",
                                            "WriteBack", "Leave", "Focus"};
        std::string entry = tag_ + names[notice];
        if (field != nullptr)
            entry += ":" + field->Name();
        Received.push_back(entry);
        if (OnNotify)
            OnNotify(notice, field);
    }
    // The notices since the last call, separated by blanks.
    std::string Take() {
        std::string out;
        for (const auto& entry : Received)
            out += (out.empty() ? "" : " ") + entry;
        Received.clear();
        return out;
    }
    std::vector<std::string> Received;
    std::function<void(TTableNotice, TField*)> OnNotify;

private:
    std::string tag_;
};

// "state cur bof eof mod | visible values of field | physical rows/status | log"
inline std::string Describe(TRecordTable& table, const std::string& field = "Name") {
    static const char* const states[] = {"inactive", "browse", "edit", "insert"};
    std::string out = states[table.State()];
    out += " cur=" + std::to_string(table.DisplayIndex());
    out += table.Bof() ? " bof" : "";
    out += table.Eof() ? " eof" : "";
    out += table.Modified() ? " mod" : "";
    const TField* f = table.FindField(field);
    const int index = f ? f->Index() : 0;
    out += " |";
    for (int i = 0; i < table.DisplayCount(); ++i)
        out += " " + table.DisplayText(i, index);
    out += " |";
    const auto packet = table.PacketForSave();
    int column = 0;
    for (size_t c = 0; c < packet.Fields.size(); ++c)
        if (packet.Fields[c].Name == field)
            column = static_cast<int>(c);
    for (const auto& row : table.PhysicalRows()) {
        const auto& value = row.Values.at(column);
        out += " " +
               (std::holds_alternative<std::string>(value) ? std::get<std::string>(value)
                                                           : std::string("-")) +
               "/" + std::to_string(row.Status);
    }
    out += " |";
    for (const auto& entry : table.ChangeLog())
        out += " " + std::to_string(entry.Row) + "," + std::to_string(entry.PreviousRow) + "," +
               std::to_string(entry.Kind);
    return out;
}

// A table with the fields Jahr (integer, required) and Name (text 10).
inline void CreateSimple(TRecordTable& table, bool keyed = false) {
    table.ClearDefinitions();
    table.DefineField("Jahr", ctInteger, 0, true);
    table.DefineField("Name", ctText, 10, false);
    table.CreateEmpty();
    if (keyed)
        table.DefineIndex("", "Name", true);
}

inline void AppendRow(TRecordTable& table, int jahr, const std::string& name) {
    table.Append();
    table.Field("Jahr").SetAsInteger(jahr);
    table.Field("Name").SetAsText(name);
    table.Post();
}
