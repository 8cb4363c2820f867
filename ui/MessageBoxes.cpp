#include "ui/MessageBoxes.h"

#include "report/qt/QtText.h"
#include "ui/StderrMessageBoxes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

TQtMessageBoxes& DefaultBoxes() {
    static TQtMessageBoxes boxes;
    return boxes;
}

TMessageBoxes* installed = nullptr;
bool nonInteractive = false;

QWidget* BoxParent() {
    return QApplication::activeWindow();
}

void ShowPlain(QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, ApplicationTitle(), MessageToQString(text), QMessageBox::NoButton,
                    BoxParent());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

TConfirmAnswer AskQuestion(const std::string& question, const QString& first,
                           const QString& second) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), MessageToQString(question),
                    QMessageBox::NoButton, BoxParent());
    QPushButton* accept = box.addButton(first, QMessageBox::YesRole);
    QPushButton* decline = box.addButton(second, QMessageBox::NoRole);
    box.setDefaultButton(accept);
    box.exec();
    if (box.clickedButton() == accept)
        return caAccept;
    if (box.clickedButton() == decline)
        return caDecline;
    return caClosed;
}

} // namespace

TMessageBoxes& MessageBoxes() {
    if (nonInteractive) {
        static TStderrMessageBoxes toStderr;
        return toStderr;
    }
    return installed ? *installed : DefaultBoxes();
}

void SetBoxesNonInteractive(bool on) {
    nonInteractive = on;
}

bool BoxesNonInteractive() {
    return nonInteractive;
}

TMessageBoxes* SetMessageBoxes(TMessageBoxes* boxes) {
    TMessageBoxes* former = installed;
    installed = boxes;
    return former;
}

TConfirmAnswer TQtMessageBoxes::Confirm(const std::string& question, TConfirmButtons buttons) {
    QString first, second;
    switch (buttons) {
    case cbYesNo:
        first = QStringLiteral("&Ja");
        second = QStringLiteral("&Nein");
        break;
    case cbYesCancel:
        first = QStringLiteral("&Ja");
        second = QStringLiteral("&Abbrechen");
        break;
    case cbOkCancel:
        first = QStringLiteral("OK");
        second = QStringLiteral("Abbrechen");
        break;
    }
    return AskQuestion(question, first, second);
}

TConfirmAnswer TQtMessageBoxes::Choose(const std::string& question, const std::string& first,
                                       const std::string& second) {
    return AskQuestion(question, MessageToQString(first), MessageToQString(second));
}

void TQtMessageBoxes::Inform(const std::string& text) {
    ShowPlain(QMessageBox::NoIcon, text);
}

void TQtMessageBoxes::ShowError(const std::string& text) {
    ShowPlain(QMessageBox::Critical, text);
}

QString ApplicationTitleFor(const QString& programFile) {
    QString name = QFileInfo(programFile).fileName();
    const qsizetype point = name.indexOf(QLatin1Char('.'));
    if (point >= 0)
        name.truncate(point);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString ApplicationTitle() {
    return ApplicationTitleFor(QCoreApplication::applicationFilePath());
}
