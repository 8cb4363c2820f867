#pragma once
// What a screen reader says for the controls of the main window, the
// calendar window and the chooser: a German name and description each.
// The navigators' buttons name themselves (ui/controls/MYDBNav).
class TAuswahl_Spt;
class TSpieltage;
class TStaffelplan;

void SetScreenReaderTexts(TStaffelplan& window);
void SetScreenReaderTexts(TSpieltage& window);
void SetScreenReaderTexts(TAuswahl_Spt& window);
