#pragma once
// The main window's commands as one action each. A button, an entry of the
// menu bar and an entry of the division list's context menu that do the
// same thing trigger the same QAction; its enabled state is the button's.
#include "ui/controls/DataSource.h"
#include "ui/windows/HelpViewer.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QAction;
class QKeySequence;
class QPushButton;
class TDivisionContextMenu;
class TSpieltage;
class TStaffelplan;

class TStaffelplanCommands : public QObject {
public:
    // After the window's controls and context menu exist; binds the buttons.
    explicit TStaffelplanCommands(TStaffelplan& window);

    QAction* Print = nullptr;           // Button1
    QAction* Copy = nullptr;            // Button3
    QAction* ManageCalendars = nullptr; // Button5
    QAction* AssignCalendar = nullptr;  // Button6
    // The calendar window's own dialogs, opened over that window.
    QAction* ProposeCalendar = nullptr;
    QAction* ImportHolidays = nullptr;
    QAction* OtherFolder = nullptr;
    QAction* Quit = nullptr;
    QAction* Help = nullptr;
    QAction* About = nullptr;

    // The action a button triggers, nullptr for none.
    QAction* ActionOf(const QPushButton* button) const;
    // Enables each action exactly when its work would act.
    void Update();

    // Seams; empty ones take the platform's.
    // The folder chosen, empty when cancelled.
    std::function<QString(QWidget* parent, const QString& start)> AskDataFolder;
    // Starts the program detached in that working folder; false on failure.
    std::function<bool(const QString& program, const QString& folder)> StartProgram;
    TOpenUrl OpenUrl = OpenUrlWithDesktop;
    // The folder the program file stands in, where the guide is looked for.
    QString ProgramFolder;

    void OpenOtherFolder();
    void ShowHelp();

private:
    QAction* Make(const QString& text, std::function<void()> work);
    void Bind(QPushButton* button, QAction* action);
    void OpenCalendarWith(void (TSpieltage::*dialog)());

    TStaffelplan& window_;
    QPointer<TDivisionContextMenu> menu_;
    std::vector<std::pair<const QPushButton*, QAction*>> buttons_;
    TDataLink link_;
};
