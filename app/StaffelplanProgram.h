#pragma once
// The program's windows in their start-up order: the main window first (its
// FormCreate loads or creates both tables), then the calendar window, the
// chooser and the about box, hidden. Destroying the program destroys them in
// reverse, the main window last, whose FormDestroy saves both tables.
#include "data/RegionalSettings.h"
#include "data/Store.h"

#include <functional>
#include <memory>

class TAboutBox;
class TAuswahl_Spt;
class TSpieltage;
class TStaffelplan;

class TStaffelplanProgram {
public:
    // readOnly: the data is shown and printed, never changed or written.
    explicit TStaffelplanProgram(TRegionalSettings settings = TRegionalSettings::German(),
                                 std::function<TLocalTime()> clock = LocalNow,
                                 bool readOnly = false);
    ~TStaffelplanProgram();
    TStaffelplanProgram(const TStaffelplanProgram&) = delete;
    TStaffelplanProgram& operator=(const TStaffelplanProgram&) = delete;

    // Shows the main window centred; once it is up, the store's notice about
    // kept files, if any.
    void Show();
    // The session asks for the data before it may end the process: both
    // tables saved (a pending row posted where it can be), no box waiting,
    // a rescue reported on standard error. The program may go on after it.
    void CommitSessionData();

    TStaffelplan& Staffelplan() const { return *staffelplan_; }
    TSpieltage& Spieltage() const { return *spieltage_; }
    TAuswahl_Spt& Auswahl_Spt() const { return *auswahl_; }
    TAboutBox& AboutBox() const { return *about_; }

private:
    std::unique_ptr<TStaffelplan> staffelplan_;
    std::unique_ptr<TSpieltage> spieltage_;
    std::unique_ptr<TAuswahl_Spt> auswahl_;
    std::unique_ptr<TAboutBox> about_;
};
