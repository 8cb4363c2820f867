// The division and calendar records, the team slots and the match days.
#include "data/Records.h"

namespace {

constexpr std::string_view SlotNames[SlotCount] = {"1A", "1B", "2A", "2B", "3A",
                                                   "3B", "4A", "4B", "5A", "5B"};
constexpr std::string_view KeyNames[SpieltagCount] = {"1", "2", "3", "4",  "5",
                                                      "6", "7", "8", "4A", "8A"};

void AddTeams(std::vector<TRecordFieldSpec>& fields) {
    for (auto slot : SlotNames)
        fields.push_back({slot, ctText, 20, false});
}

void AddDates(std::vector<TRecordFieldSpec>& fields) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (int k = 0; k < SpieltagCount; ++k)
            result.push_back(SpieltagDateFieldName(static_cast<TSpieltagKey>(k)));
        return result;
    }();
    for (const auto& name : names)
        fields.push_back({name, ctDate, 0, false});
}

} // namespace

std::string_view SlotFieldName(TSlotName slot) {
    return SlotNames[static_cast<int>(slot)];
}

std::string_view SpieltagKeyName(TSpieltagKey key) {
    return KeyNames[static_cast<int>(key)];
}

std::string SpieltagDateFieldName(TSpieltagKey key) {
    return std::string(SpieltagKeyName(key)) + "dat";
}

const std::array<TSpieltagKey, SpieltagCount>& SpieltageInTimeOrder() {
    using enum TSpieltagKey;
    static constexpr std::array<TSpieltagKey, SpieltagCount> order = {k1, k2, k3, k4, k4A,
                                                                      k5, k6, k7, k8, k8A};
    return order;
}

const std::vector<TRecordFieldSpec>& StaffelRecordFields() {
    static const std::vector<TRecordFieldSpec> fields = [] {
        std::vector<TRecordFieldSpec> result = {
            {"id", ctInteger, 0, false},      {"Ueberschrift", ctText, 30, false},
            {"Klasse", ctText, 30, true},     {"Jahr", ctInteger, 0, true},
            {"10Klasse", ctBoolean, 0, true}, {"Mannschaft", ctText, 20, false}};
        AddTeams(result);
        AddDates(result);
        return result;
    }();
    return fields;
}

const std::vector<TRecordFieldSpec>& SpieltageRecordFields() {
    static const std::vector<TRecordFieldSpec> fields = [] {
        std::vector<TRecordFieldSpec> result = {{"Jahr", ctInteger, 0, true}};
        AddDates(result);
        return result;
    }();
    return fields;
}

const std::vector<TRecordFieldSpec>& KopieRecordFields() {
    static const std::vector<TRecordFieldSpec> fields = [] {
        std::vector<TRecordFieldSpec> result = {{"id", ctInteger, 0, true},
                                                {"Klasse", ctText, 30, true},
                                                {"Jahr", ctInteger, 0, true},
                                                {"10Klasse", ctBoolean, 0, true},
                                                {"Mannschaft", ctText, 20, false}};
        AddTeams(result);
        AddDates(result);
        result.push_back({"Ueberschrift", ctText, 30, true});
        return result;
    }();
    return fields;
}

const std::vector<TRecordFieldSpec>& VereineRecordFields() {
    // A club name longer than a team name could never be a team's club.
    static const std::vector<TRecordFieldSpec> fields = {{"Verein", ctText, 20, true},
                                                         {"Kapazitaet", ctInteger, 0, false},
                                                         {"Sperrtermine", ctText, 250, false}};
    return fields;
}

const std::vector<TRecordFieldSpec>& BegegnungenRecordFields() {
    static const std::vector<TRecordFieldSpec> fields = {
        {"Jahr", ctInteger, 0, true},        {"Klasse", ctText, 30, true},
        {"Spieltag", ctText, 2, false},      {"Heim", ctText, 20, true},
        {"Gast", ctText, 20, false},         {"Datum", ctDate, 0, false},
        {"Uhrzeit", ctText, 5, false},       {"Status", ctText, 15, false},
        {"SpieleHeim", ctInteger, 0, false}, {"SpieleGast", ctInteger, 0, false},
        {"SaetzeHeim", ctInteger, 0, false}, {"SaetzeGast", ctInteger, 0, false},
        {"PunkteHeim", ctInteger, 0, false}, {"PunkteGast", ctInteger, 0, false},
        {"Bemerkung", ctText, 100, false}};
    return fields;
}

void DefineFields(TRecordTable& table, const std::vector<TRecordFieldSpec>& fields) {
    for (const auto& field : fields)
        table.DefineField(std::string(field.Name), field.Type, field.Width, field.Required);
}

void t_staffelNewRecord(TRecordTable& table) {
    table.Field("Ueberschrift").SetAsText("Badminton");
    table.Field("10Klasse").SetAsBoolean(false);
}

void t_vereineNewRecord(TRecordTable& table) {
    table.Field("Kapazitaet").SetAsInteger(1);
}
