#pragma once
// The navigator's link to its table: keeps the buttons' enabled states in
// step with the table's state and cursor.
#include "ui/controls/DataSource.h"

class TMYDBNav;

class TMNavDataLink : public TDataLink {
public:
    explicit TMNavDataLink(TMYDBNav* navigator) : navigator_(navigator) {}
    ~TMNavDataLink() override;

    void Notify(TTableNotice notice, TField* field) override;
    // Open: data source set and table open. Editing: in tsEdit or tsInsert.
    bool Editing() const;
    // Takes over the table's current flags without reacting to them.
    void ResetFlags();

private:
    TMYDBNav* navigator_;
    bool active_ = false;
    bool editing_ = false;
};
