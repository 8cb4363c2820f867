#include "ui/windows/DivisionTieGuard.h"

#include "data/StaffelError.h"
#include "data/file/Cp1252.h"
#include "season/TieCarry.h"
#include "season/TieEntry.h"

#include <algorithm>
#include <utility>

TDivisionTieGuard::TDivisionTieGuard(TStore& store, std::function<bool(const std::string&)> ask)
    : store_(store), ask_(std::move(ask)) {
    SetTable(&store_.t_staffel());
    store_.t_staffel().BeforePost = [this](TRecordTable& table) { BeforePost(table); };
}

TDivisionTieGuard::~TDivisionTieGuard() {
    store_.t_staffel().BeforePost = nullptr;
}

void TDivisionTieGuard::Notify(TTableNotice notice, TField*) {
    // Anything after a refused post (cancel, a move) makes the next save a real one.
    declined_ = false;
    if (notice != tnEditStart)
        return;
    before_ = DivisionFromCurrentRow(*Table());
    posted_.reset();
}

std::string LostTiesQuestion(const std::vector<TTieRecord>& lost) {
    std::string text = lost.size() == 1
                           ? "Nach dieser \xC3\x84nderung hat ein Eintrag kein Spiel mehr:"
                           : "Nach dieser \xC3\x84nderung haben " + std::to_string(lost.size()) +
                                 " Eintr\xC3\xA4ge kein Spiel mehr:";
    for (const TTieRecord& record : lost)
        text += "\n" + Cp1252ToUtf8(TieRecordLine(record));
    return text + "\n\nSie bleiben unter \"Begegnungen ohne Spiel\" erhalten, wo sie einem Spiel "
                  "zugeordnet oder gel\xC3\xB6scht werden k\xC3\xB6nnen. Trotzdem \xC3\xA4ndern?";
}

void TDivisionTieGuard::BeforePost(TRecordTable& table) {
    posted_.reset();
    declined_ = false;
    if (table.State() != tsEdit || !before_)
        return;
    TDivisionValues after = DivisionFromCurrentRow(table);
    if (after == *before_)
        return;
    const std::vector<TTieRecord> lost =
        TiesLostByChange(*before_, after, TiesFromTable(store_.t_begegnungen()).Ties);
    if (!lost.empty() && !ask_(LostTiesQuestion(lost))) {
        declined_ = true;
        throw TStaffelError("Die Staffel wurde nicht ge\xC3\xA4ndert; die Begegnungen behalten "
                            "ihr Spiel.");
    }
    posted_.emplace(*before_, std::move(after));
}

void TDivisionTieGuard::Save() {
    const auto posted = std::move(posted_);
    posted_.reset();
    // The row the user chose to keep pending: saving would post and ask again.
    if (std::exchange(declined_, false))
        return;
    // Carried only when the post really put the changed row in place.
    const TTableState state = store_.t_staffel().State();
    if (posted && state != tsEdit && state != tsInsert) {
        const std::vector<TDivisionValues> rows = AllDivisions(store_.t_staffel());
        if (std::find(rows.begin(), rows.end(), posted->second) != rows.end()) {
            SaveDivisionWithTies(store_, posted->first, posted->second);
            return;
        }
    }
    store_.SaveStaffel();
}
