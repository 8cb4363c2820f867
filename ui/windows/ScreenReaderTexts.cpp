#include "ui/windows/ScreenReaderTexts.h"

#include "data/Records.h"
#include "report/qt/QtText.h"
#include "ui/controls/DBCheckBox.h"
#include "ui/controls/DBEdit.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/MYDBNav.h"
#include "ui/controls/StaffelplanWidgets.h"
#include "ui/windows/Auswahl_Spt.h"
#include "ui/windows/Spieltage.h"
#include "ui/windows/Staffelplan.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace {

void Say(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

} // namespace

void SetScreenReaderTexts(TStaffelplan& w) {
    Say(w.MenuBar, "Menüleiste", "Alle Befehle des Programms");
    Say(w.DBGrid1, "Staffelliste",
        "Alle Staffeln mit Jahr, Klasse, eigener Mannschaft und 10er Klasse; die "
        "Kontextmenü-Taste öffnet weitere Funktionen");
    Say(w.MYDBNav1, "Navigator", "Blättern und Bearbeiten der Staffeln");
    Say(w.DBEdit25, "Überschrift des Spielplans", "Steht oben auf dem Ausdruck");
    Say(w.DBEdit3, "Jahr", "Das Jahr, in dem die Saison beginnt");
    Say(w.DBEdit2, "Staffel", "Der Name der Staffel");
    Say(w.DBCheckBox1, "10er Klasse", "Angekreuzt: die Staffel hat 10 Mannschaften, sonst 8");
    Say(w.DBEdit4, "Mannschaft", "Der Name Ihrer eigenen Mannschaft");
    for (int i = 0; i < SlotCount; ++i) {
        const QString name = ToQString(SlotFieldName(static_cast<TSlotName>(i)));
        Say(w.SlotEdits[i], "Mannschaft auf Platz " + name,
            "Name der Mannschaft auf Platz " + name);
    }
    for (int i = 0; i < SpieltagCount; ++i) {
        const QString key = ToQString(SpieltagKeyName(static_cast<TSpieltagKey>(i)));
        Say(w.DateEdits[i], "Spieltag " + key,
            "Datum von Spieltag " + key + "; kommt aus einem Spieltage-Kalender");
    }
    Say(w.Button1, "Spielplan ausdrucken",
        "Druckt den Spielplan der ausgewählten Staffel oder zeigt ihn in der Vorschau (Strg+P)");
    Say(w.Button3, "Staffel kopieren", "Legt eine Kopie der ausgewählten Staffel an");
    Say(w.Button5, "Spieltage verwalten", "Öffnet das Fenster mit den Spieltage-Kalendern");
    Say(w.Button6, "Spieltage den Staffeln zuordnen",
        "Übernimmt die Daten eines Kalenders in die ausgewählte Staffel");
    Say(w.Panel6, "Informationen", "Ein Klick öffnet das Fenster „Informationen“");
    Say(w.StatusBar1, "Statuszeile", "Ein Klick öffnet das Fenster „Informationen“");
}

void SetScreenReaderTexts(TSpieltage& w) {
    Say(w.DBEdit3, "Jahr", "Das Jahr des Kalenders");
    for (int i = 0; i < SpieltagCount; ++i) {
        const QString key = ToQString(SpieltagKeyName(static_cast<TSpieltagKey>(i)));
        Say(w.DateEdits[i], "Spieltag " + key, "Datum von Spieltag " + key + " in diesem Kalender");
    }
    Say(w.DBGrid1, "Spieltage-Kalender", "Alle Kalender, einer je Jahr");
    Say(w.MYDBNav1, "Navigator", "Blättern und Bearbeiten der Kalender");
    Say(w.ButtonVorschlag, "Spieltage vorschlagen",
        "Schlägt Spieltage vor, die Ferien, Feiertage und Sperrtermine meiden");
    Say(w.ButtonFerien, "Ferien importieren", "Liest Schulferien aus einer iCalendar-Datei");
}

void SetScreenReaderTexts(TAuswahl_Spt& w) {
    Say(w.DBGrid1, "Spieltage-Kalender", "Der ausgewählte Kalender wird übernommen");
    Say(w.BitBtn1, "Spieltage übernehmen",
        "Übernimmt die Daten des ausgewählten Kalenders in die Staffel");
    Say(w.BitBtn2, "Abbrechen", "Schließt das Fenster, ohne etwas zu übernehmen");
}
