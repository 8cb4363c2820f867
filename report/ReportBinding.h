#pragma once
// The binding of a report run to the current row of the division table:
// begun at the first data text, ended when the run is over (also after a
// failure). Between the two the table's links are suspended.
#include "data/RegionalSettings.h"
#include "data/table/RecordTable.h"
#include "report/FixtureLayout.h"

#include <map>
#include <optional>
#include <string>

class TReportBinding {
public:
    TReportBinding(TRecordTable& table, const TFixtureLayout& layout, TRegionalSettings settings);
    TReportBinding(const TReportBinding&) = delete;
    TReportBinding& operator=(const TReportBinding&) = delete;
    // Resumes the links if End never ran; never throws.
    ~TReportBinding();

    // Remembers the current row, suspends the links and reads every field of
    // the layout's field list once. Fails on a type mismatch; the binding
    // counts as begun from the suspension on, so End must still run.
    void Begin();
    bool Begun() const { return begun_; }
    // Resumes the links, posts (if modified) or cancels a pending edit,
    // moves to the first row, then back to the remembered row. Does nothing
    // unless begun. A failing post propagates and leaves the table in edit.
    void End();

    // The value of a field as printed text (Windows-1252); empty when the
    // field has no value or the table is empty. Begin first.
    std::string Text(std::string_view fieldName) const;
    // Whether the layout's field list reads that field.
    bool Reads(std::string_view fieldName) const;

private:
    TRecordTable& table_;
    const TFixtureLayout& layout_;
    TRegionalSettings settings_;
    bool begun_ = false;
    bool ended_ = false;
    std::optional<TRowMark> mark_;
    std::map<std::string, std::string> texts_; // by lower-case field name
};

// "Field %0:s:%1:s.  Datatype expected: %2:s  Datatype found: %3:s", filled.
std::string FieldTypeMismatchMessage(const std::string& fieldList, const std::string& field,
                                     TLayoutDataType expected, TLayoutDataType found);
const char* DataTypeName(TLayoutDataType type); // "dtString"
