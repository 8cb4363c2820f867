#pragma once
// TAboutBox: which program and build, who made it, how to reach the maker.
#include <QDialog>

#include <functional>

class QLabel;
class QTextEdit;
class QPushButton;

// Hands a link to the desktop with a working directory; the outcome is
// ignored by the caller.
using TOpenLink = std::function<void(const QString& link, const QString& workingDirectory)>;

// The desktop's handler for the link, started in the given folder.
void OpenLinkWithDesktop(const QString& link, const QString& workingDirectory);

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr, TOpenLink openLink = OpenLinkWithDesktop);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Label4 = nullptr;
    QTextEdit* Memo1 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* OKButton = nullptr;

    // Shows text in the Version label, right-aligned at its fixed right edge.
    void SetVersionLine(const QString& text);
    void Label5Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    TOpenLink openLink_;
};
