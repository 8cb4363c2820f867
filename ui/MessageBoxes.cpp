#include "ui/MessageBoxes.h"

#include "report/qt/QtText.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

TQtMessageBoxes& DefaultBoxes() {
    static TQtMessageBoxes boxes;
    return boxes;
}

TMessageBoxes* installed = nullptr;

QWidget* BoxParent() {
    return QApplication::activeWindow();
}

void ShowPlain(QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, ApplicationTitle(), MessageToQString(text), QMessageBox::NoButton,
                    BoxParent());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

TMessageBoxes& MessageBoxes() {
    return installed ? *installed : DefaultBoxes();
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

void TQtMessageBoxes::Inform(const std::string& text) {
    ShowPlain(QMessageBox::NoIcon, text);
}

void TQtMessageBoxes::ShowError(const std::string& text) {
    ShowPlain(QMessageBox::Critical, text);
}
