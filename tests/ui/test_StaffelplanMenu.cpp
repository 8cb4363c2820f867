// The menu bar: one action per command behind button, menu and context
// menu; when the entries act; the user guide at F1; what screen readers say.
#include "test_StaffelplanFixture.h"

#include "ui/exports/DivisionContextMenu.h"
#include "ui/windows/Auswahl_Spt.h"
#include "ui/windows/Saisonuebersicht.h"
#include "ui/windows/Spieltage.h"
#include "ui/windows/Vereine.h"
#include "ui/windows/StaffelplanCommands.h"

#include <QAbstractItemView>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <map>

namespace {

class StaffelplanMenuTest : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        spieltage = std::make_unique<TSpieltage>(window->Store, window->d_spieltage);
        auswahl = std::make_unique<TAuswahl_Spt>(window->d_spieltage);
        window->Spieltage = spieltage.get();
        window->Auswahl_Spt = auswahl.get();
        modalResult = QDialog::Rejected;
    }
    void TearDown() override {
        window.reset();
        auswahl.reset();
        spieltage.reset();
    }

    std::map<QAction*, int> MenuBarEntries() const {
        std::map<QAction*, int> entries;
        for (QAction* menu : window->MenuBar->actions())
            for (QAction* entry : menu->menu()->actions())
                if (!entry->isSeparator())
                    ++entries[entry];
        return entries;
    }

    void AddDivision() {
        TRecordTable& t = window->t_staffel();
        t.Append();
        t.Field("Jahr").SetAsInteger(2009);
        t.Field("Klasse").SetAsText("Bezirksliga");
        t.Post();
    }

    // Every trace a button's work leaves: a print run, a window, a copied row.
    size_t WorkDone() {
        return layouts.size() + shownModally.size() +
               static_cast<size_t>(window->t_staffel().DisplayCount());
    }

    std::unique_ptr<TSpieltage> spieltage;
    std::unique_ptr<TAuswahl_Spt> auswahl;
};

TEST_F(StaffelplanMenuTest, ButtonMenuAndContextMenuTriggerOneSharedAction) {
    AddDivision();
    const std::map<QAction*, int> entries = MenuBarEntries();
    for (const auto& [action, count] : entries)
        EXPECT_EQ(count, 1) << action->text().toStdString();
    for (QAction* action : window->DivisionMenu->Menu()->actions()) {
        if (!action->isSeparator())
            EXPECT_TRUE(entries.count(action)) << action->text().toStdString();
    }

    std::map<QAction*, QPushButton*> buttonOf;
    for (QPushButton* button :
         {window->Button1, window->Button3, window->Button5, window->Button6}) {
        QAction* action = window->Commands->ActionOf(button);
        ASSERT_NE(action, nullptr) << button->text().toStdString();
        EXPECT_TRUE(buttonOf.emplace(action, button).second) << button->text().toStdString();
        EXPECT_TRUE(entries.count(action)) << button->text().toStdString();
        const std::string name = button->text().toStdString();

        // Without the action the button does nothing: it has no handler of its own.
        size_t before = WorkDone();
        action->blockSignals(true);
        QTest::mouseClick(button, Qt::LeftButton);
        action->blockSignals(false);
        EXPECT_EQ(WorkDone(), before) << name;
        // Button and menu entry run the work once each.
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(WorkDone(), before + 1) << name;
        action->trigger();
        EXPECT_EQ(WorkDone(), before + 2) << name;
    }
    EXPECT_TRUE(boxes.Errors().empty());
}

TEST_F(StaffelplanMenuTest, EntriesActExactlyWhenTheirButtonOrEntryWould) {
    TStaffelplanCommands& c = *window->Commands;
    QAction* checkPlan = window->DivisionMenu->CheckPlanAction;
    EXPECT_FALSE(checkPlan->isEnabled()) << "no division";
    EXPECT_TRUE(c.Quit->isEnabled());
    AddDivision();
    EXPECT_TRUE(checkPlan->isEnabled());
    Press(nbEdit);
    EXPECT_FALSE(c.Quit->isEnabled()) << "an edit is pending: abbrechen would cancel it";
    Press(nbCancel);
    EXPECT_TRUE(c.Quit->isEnabled());
    c.Quit->trigger();
    EXPECT_EQ(terminated, 1);
    EXPECT_TRUE(c.Copy->isEnabled());
    EXPECT_TRUE(c.AssignCalendar->isEnabled());

    Open(true);
    TStaffelplanCommands& readOnly = *window->Commands;
    EXPECT_FALSE(readOnly.Copy->isEnabled());
    EXPECT_FALSE(window->Button3->isEnabled());
    EXPECT_FALSE(readOnly.AssignCalendar->isEnabled());
    EXPECT_FALSE(window->Button6->isEnabled());
    EXPECT_TRUE(readOnly.Print->isEnabled());
}

TEST_F(StaffelplanMenuTest, F1HandsTheUserGuideWithEverySectionToTheDesktop) {
    std::vector<QUrl> opened;
    bool desktopOpens = true;
    window->Commands->OpenUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return desktopOpens;
    };
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    ASSERT_TRUE(opened[0].isLocalFile());
    QFile html(opened[0].toLocalFile());
    ASSERT_TRUE(html.open(QIODevice::ReadOnly)) << opened[0].toString().toStdString();
    const QString page = QString::fromUtf8(html.readAll());
    EXPECT_TRUE(QFile::exists(QFileInfo(html).dir().filePath("screenshots/main-browse.png")));

    QFile guide(STAFFEL_SOURCE_DIR "/docs/Benutzerhandbuch.md");
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString markdown = QString::fromUtf8(guide.readAll());
    int sections = 0;
    for (const QString& line : markdown.split('\n')) {
        if (!line.startsWith("## "))
            continue;
        ++sections;
        const QString heading = line.mid(3).trimmed().toHtmlEscaped();
        EXPECT_TRUE(page.contains(QRegularExpression(
            "<h2 id=\"[^\"]+\">" + QRegularExpression::escape(heading) + "</h2>")))
            << heading.toStdString();
    }
    EXPECT_GT(sections, 10);
    // The table of contents' links land on their sections.
    const QRegularExpression link("\\]\\(#([^)]+)\\)");
    for (auto match = link.globalMatch(markdown); match.hasNext();) {
        const QString anchor = match.next().captured(1);
        EXPECT_TRUE(page.contains("id=\"" + anchor + "\"")) << anchor.toStdString();
    }

    // Nothing takes it: a box says where the file is.
    desktopOpens = false;
    window->Commands->Help->trigger();
    ASSERT_EQ(boxes.Notices().size(), 1u);
    EXPECT_NE(boxes.Notices()[0].find(opened[0].toLocalFile().toStdString()), std::string::npos);
}

TEST_F(StaffelplanMenuTest, OtherDataFolderStartsTheProgramThere) {
    std::vector<QString> started;
    QString chosen;
    window->Commands->AskDataFolder = [&](QWidget*, const QString&) { return chosen; };
    window->Commands->StartProgram = [&](const QString&, const QString& folder) {
        started.push_back(folder);
        return folder != "/kaputt";
    };
    QTemporaryDir other;
    for (const QString& folder :
         {QString(), QDir::currentPath(), other.path(), QString("/kaputt")}) {
        chosen = folder;
        window->Commands->OtherFolder->trigger();
    }
    EXPECT_EQ(started, (std::vector<QString>{other.path(), "/kaputt"}));
    EXPECT_EQ(boxes.Notices().size(), 1u) << "the folder already open";
    ASSERT_EQ(boxes.Errors().size(), 1u);
    EXPECT_NE(boxes.Errors()[0].find("/kaputt"), std::string::npos);
}

TEST_F(StaffelplanMenuTest, EveryControlTellsScreenReadersWhatItIs) {
    Guard([&] { window->OpenVereine(); });
    Guard([&] { window->OpenSaisonuebersicht(); });
    const std::vector<QWidget*> windows{window.get(), spieltage.get(), auswahl.get(),
                                        window->Vereine, window->Saisonuebersicht};
    for (QWidget* top : windows) {
        ASSERT_TRUE(top);
        for (QWidget* control : top->findChildren<QWidget*>()) {
            const bool reachable =
                (control->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractButton*>(control);
            // A grid's own parts (corner button, headers) speak through the grid.
            const bool gridPart = qobject_cast<QAbstractItemView*>(control->parentWidget());
            if (!reachable || gridPart || !control->isVisibleTo(top))
                continue;
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << top->windowTitle().toStdString() << ": " << control->metaObject()->className();
            EXPECT_FALSE(control->accessibleDescription().isEmpty())
                << top->windowTitle().toStdString() << ": "
                << control->accessibleName().toStdString();
        }
    }
}

} // namespace
