#pragma once
// The division and calendar records, the team slots and the match days.
#include "data/table/RecordTable.h"

#include <array>
#include <string_view>

// Team slots 1A..5B, in record order.
enum class TSlotName { s1A, s1B, s2A, s2B, s3A, s3B, s4A, s4B, s5A, s5B };
inline constexpr int SlotCount = 10;
std::string_view SlotFieldName(TSlotName slot); // "1A"

// Match days in record order: 1..8, 4A, 8A.
enum class TSpieltagKey { k1, k2, k3, k4, k5, k6, k7, k8, k4A, k8A };
inline constexpr int SpieltagCount = 10;
std::string_view SpieltagKeyName(TSpieltagKey key);  // "4A"
std::string SpieltagDateFieldName(TSpieltagKey key); // "4Adat"
// Time order 1, 2, 3, 4, 4A, 5, 6, 7, 8, 8A.
const std::array<TSpieltagKey, SpieltagCount>& SpieltageInTimeOrder();

struct TRecordFieldSpec {
    std::string_view Name;
    TColumnType Type;
    int Width;
    bool Required;
};

// TStaffelRecord and TSpieltageRecord field lists, and table_kopie's fixed list.
const std::vector<TRecordFieldSpec>& StaffelRecordFields();
const std::vector<TRecordFieldSpec>& SpieltageRecordFields();
const std::vector<TRecordFieldSpec>& KopieRecordFields();

// The club record of Vereine.xml: Verein (name, unique), Kapazitaet (home
// games at one date and game time, 1..9), Sperrtermine (dates the hall is
// not available, typed in the short date format, separated by ';' or blanks).
const std::vector<TRecordFieldSpec>& VereineRecordFields();

// The tie record of Begegnungen.xml, found by Jahr, Klasse, Heim and Gast.
// Datum and Uhrzeit ("HH:MM") are empty unless the tie was moved; Status is
// one of the tie states, or "zur\xFCckgezogen" / "Punktabzug" for a record of
// a team alone (Gast empty; the points taken off in PunkteHeim, the reason in
// Bemerkung).
const std::vector<TRecordFieldSpec>& BegegnungenRecordFields();

void DefineFields(TRecordTable& table, const std::vector<TRecordFieldSpec>& fields);

// New-row handler of t_staffel: heading "Badminton", 10Klasse false.
void t_staffelNewRecord(TRecordTable& table);
// New-row handler of the club table: Kapazitaet 1.
void t_vereineNewRecord(TRecordTable& table);
