#pragma once
// Keeps tie records with their division in the main window: before a changed
// division row is posted it asks when records would lose their tie, naming
// them; the save after the post carries the records of renamed teams and a
// renamed class along (both files saved together).
#include "data/Store.h"
#include "report/DivisionValues.h"
#include "report/TieValues.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TDivisionTieGuard : public TTableLink {
public:
    // ask: the question (UTF-8), true to go ahead. Sets t_staffel's BeforePost.
    TDivisionTieGuard(TStore& store, std::function<bool(const std::string&)> ask);
    ~TDivisionTieGuard() override;

    // The main window's save after a post (and after a deletion).
    void Save();

    void Notify(TTableNotice notice, TField* field) override;

private:
    void BeforePost(TRecordTable& table);

    TStore& store_;
    std::function<bool(const std::string&)> ask_;
    std::optional<TDivisionValues> before_; // the row as the edit found it
    std::optional<std::pair<TDivisionValues, TDivisionValues>> posted_;
    bool declined_ = false; // the last post was refused by the user
};

// The question naming the records a change would leave without their tie.
std::string LostTiesQuestion(const std::vector<TTieRecord>& lost);
