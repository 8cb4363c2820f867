#pragma once
// Who makes the program and how to reach them; the about box and the main
// window's status bar show the same texts.
inline constexpr const char* AboutProductName = "Staffelplan";
inline constexpr const char* AboutMakerNotice = "© 2009 Staffelplan-Projekt";
inline constexpr const char* AboutContactAddress = "staffelplan@example.org";
inline constexpr const char* AboutDeveloperTitle = "Dipl.-Inform.";
inline constexpr const char* AboutDeveloperName = "Jana Federball";
inline constexpr const char* AboutRightsCaption = "Rechte";
inline constexpr const char* AboutRightsHolder = "Staffelplan-Projekt";
inline constexpr const char* AboutDescription =
    "Staffelplan ist ein Programm zur Verwaltung der Spielpläne von "
    "Badmintonmannschaften innerhalb eines Landesverbandes.\n\n"
    "Für jede Staffel einer Saison hält es die Mannschaften, die eigene "
    "Mannschaft und die Spieltage fest und druckt daraus den Spielplan.\n\n"
    "Hinweis:\n"
    "Das Programm wird noch weiterentwickelt. Die Benutzung erfolgt auf "
    "eigene Gefahr. Für Fehler in den erstellten Spielplänen wird keine "
    "Haftung übernommen.";
