#include "app/DataFolderAccess.h"

#include "ui/MessageBoxes.h"

#include <QSysInfo>

namespace {

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace

std::string LockHeldQuestion(const TDataFolderLock& lock, const QString& ownHost) {
    const TLockHolder& holder = lock.Holder();
    const QString unknown = QStringLiteral("unbekannt");
    std::string text = "Die Daten im Ordner \"" + Utf8(lock.Folder()) +
                       "\" werden gerade von einem anderen laufenden Staffelplan bearbeitet.\n\n";
    text += "Benutzer: " + Utf8(holder.User.isEmpty() ? unknown : holder.User) + "\n";
    text += "Rechner: " + Utf8(holder.Host.isEmpty() ? unknown : holder.Host) + "\n";
    text += "Seit: " +
            Utf8(holder.Since.isValid()
                     ? holder.Since.toString(QStringLiteral("dd.MM.yyyy, hh:mm 'Uhr'"))
                     : unknown) +
            "\n\n";
    text += "Sie können die Daten schreibgeschützt öffnen (ansehen, drucken, exportieren; "
            "nichts wird gespeichert) oder das Programm beenden.";
    // A crashed copy on this computer is recognised; one elsewhere is not.
    if (!holder.Host.isEmpty() && holder.Host != ownHost)
        text += "\n\nLäuft auf dem Rechner \"" + Utf8(holder.Host) +
                "\" kein Staffelplan mehr, löschen Sie dort die Datei \"" +
                Utf8(lock.LockFileName()) + "\" und starten Sie das Programm neu.";
    return text;
}

std::string NotWritableNotice(const TDataFolderLock& lock) {
    return "In den Ordner \"" + Utf8(lock.Folder()) + "\" kann nicht geschrieben werden (" +
           Utf8(lock.Reason()) +
           "). Die Daten werden deshalb schreibgeschützt geöffnet: Sie können sie ansehen, "
           "drucken und exportieren, aber nicht ändern.";
}

std::string UnreadableFilesQuestion(const std::string& notice) {
    return notice + "\n\nSie können die Daten schreibgeschützt öffnen (ansehen, drucken, "
                    "exportieren; keine Datei wird geändert oder angelegt) oder das Programm "
                    "beenden.";
}

TFolderAccess AskAboutUnreadableFiles(const std::string& notice, TMessageBoxes& boxes) {
    return boxes.Choose(UnreadableFilesQuestion(notice), OpenReadOnlyAnswer, QuitAnswer) == caAccept
               ? faReadOnly
               : faQuit;
}

TFolderAccess OpenDataFolder(TDataFolderLock& lock, TMessageBoxes& boxes) {
    switch (lock.TryLock()) {
    case flLocked:
        return faWrite;
    case flNotWritable:
        boxes.Inform(NotWritableNotice(lock));
        return faReadOnly;
    case flHeldByOther:
        break;
    }
    const TConfirmAnswer answer = boxes.Choose(LockHeldQuestion(lock, QSysInfo::machineHostName()),
                                               OpenReadOnlyAnswer, QuitAnswer);
    return answer == caAccept ? faReadOnly : faQuit;
}
