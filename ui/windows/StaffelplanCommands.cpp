#include "ui/windows/StaffelplanCommands.h"

#include "data/StaffelError.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/windows/Spieltage.h"
#include "ui/windows/Staffelplan.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

TStaffelplanCommands::TStaffelplanCommands(TStaffelplan& window)
    : QObject(&window), window_(window), menu_(window.DivisionMenu),
      link_([this](TTableNotice notice, TField*) {
          if (notice == tnStateChange || notice == tnRowsChange)
              Update();
      }) {
    ProgramFolder = QCoreApplication::applicationDirPath();
    TStaffelplan* w = &window;
    Print = Make(QStringLiteral("Spielplan &drucken …"), [w] { w->Button1Click(); });
    Copy = Make(QStringLiteral("Staffel &kopieren"), [w] { w->Button3Click(); });
    ManageCalendars = Make(QStringLiteral("Spieltage &verwalten …"), [w] { w->Button4Click(); });
    AssignCalendar =
        Make(QStringLiteral("Spieltage den Staffeln &zuordnen …"), [w] { w->Button6Click(); });
    ProposeCalendar = Make(QStringLiteral("Spieltage &vorschlagen …"),
                           [this] { OpenCalendarWith(&TSpieltage::SpieltageVorschlagen); });
    ImportHolidays = Make(QStringLiteral("&Ferien importieren …"),
                          [this] { OpenCalendarWith(&TSpieltage::FerienImportieren); });
    OtherFolder = Make(QStringLiteral("Anderer Daten&ordner …"), [this] { OpenOtherFolder(); });
    Quit = Make(QStringLiteral("&Beenden"), [w] { w->Terminate(); });
    Help = Make(QStringLiteral("&Benutzerhandbuch"), [this] { ShowHelp(); });
    About = Make(QStringLiteral("Ü&ber Staffelplan …"), [w] { w->StatusBar1Click(); });
    Print->setShortcut(QKeySequence::Print);
    Quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Help->setShortcut(QKeySequence::HelpContents);
    // Shortcuts reach the window even while no menu was ever opened.
    window.addActions({Print, Quit, Help});

    Bind(window.Button1, Print);
    Bind(window.Button3, Copy);
    Bind(window.Button5, ManageCalendars);
    Bind(window.Button6, AssignCalendar);
    link_.SetDataSource(window.d_staffel);
    Update();
}

QAction* TStaffelplanCommands::Make(const QString& text, std::function<void()> work) {
    auto* action = new QAction(text, this);
    connect(action, &QAction::triggered, this, Guarded([work = std::move(work)](bool) { work(); }));
    return action;
}

// The button has no handler of its own: it triggers the action and follows its state.
void TStaffelplanCommands::Bind(QPushButton* button, QAction* action) {
    connect(button, &QPushButton::clicked, action, [action] { action->trigger(); });
    connect(action, &QAction::changed, button,
            [button, action] { button->setEnabled(action->isEnabled()); });
    button->setEnabled(action->isEnabled());
    buttons_.emplace_back(button, action);
}

// As if the button had been pressed in the calendar window: the window comes
// up and the dialog over it once its loop runs.
void TStaffelplanCommands::OpenCalendarWith(void (TSpieltage::*dialog)()) {
    TSpieltage* calendar = window_.Spieltage;
    if (!calendar)
        return;
    QTimer::singleShot(0, calendar, Guarded([calendar, dialog] { (calendar->*dialog)(); }));
    window_.Button4Click();
}

QAction* TStaffelplanCommands::ActionOf(const QPushButton* button) const {
    for (const auto& [bound, action] : buttons_)
        if (bound == button)
            return action;
    return nullptr;
}

void TStaffelplanCommands::Update() {
    const TTableState state = window_.Store.t_staffel().State();
    const bool pending = state == tsEdit || state == tsInsert;
    Copy->setEnabled(!window_.ReadOnly());
    AssignCalendar->setEnabled(!window_.ReadOnly());
    ProposeCalendar->setEnabled(!window_.ReadOnly());
    ImportHolidays->setEnabled(!window_.ReadOnly());
    // "abbrechen" ends the program only with nothing pending; with an edit it cancels.
    Quit->setEnabled(!pending);
    if (menu_)
        menu_->UpdateActions();
}

void TStaffelplanCommands::OpenOtherFolder() {
    const QString current = QDir::currentPath();
    const QString folder = AskDataFolder
                               ? AskDataFolder(&window_, current)
                               : QFileDialog::getExistingDirectory(
                                     &window_, QStringLiteral("Anderer Datenordner"), current);
    if (folder.isEmpty())
        return;
    if (QFileInfo(folder).canonicalFilePath() == QFileInfo(current).canonicalFilePath()) {
        MessageBoxes().Inform("Staffelplan arbeitet bereits im Ordner „" +
                              QDir::toNativeSeparators(folder).toStdString() + "“.");
        return;
    }
    const QString program = QCoreApplication::applicationFilePath();
    const bool started =
        StartProgram ? StartProgram(program, folder) : QProcess::startDetached(program, {}, folder);
    if (!started)
        throw TStaffelError("Staffelplan konnte im Ordner „" +
                            QDir::toNativeSeparators(folder).toStdString() +
                            "“ nicht gestartet werden.");
}

void TStaffelplanCommands::ShowHelp() {
    ShowUserGuide(ProgramFolder, OpenUrl);
}
