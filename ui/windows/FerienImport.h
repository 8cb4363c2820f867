#pragma once
// "Ferien importieren …": the school holidays of an iCalendar file added to
// the holiday table after the user has seen them, and Ferien.xml saved.
#include <QString>

#include <functional>

class QWidget;
class TStore;

// Asks for the file (askFile returns an empty name when cancelled), reads
// its holidays with yearly rules expanded for year and the next, asks before
// adding those not yet in the table, saves. Returns how many were added;
// fails (TStaffelError) on a file that cannot be read or is refused.
int ImportFerien(TStore& store, int year, QWidget* parent,
                 const std::function<QString(QWidget*)>& askFile);
