// Renders the navigator over a small table, in browse and in edit state,
// into the folder named by STAFFEL_SCREENSHOT_DIR (skipped without it):
//   STAFFEL_SCREENSHOT_DIR=docs/screenshots xvfb-run ./test_ui --gtest_filter='NavScreenshot*'
#include "test_DBTables.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/MYDBNav.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(NavScreenshot, BrowseAndEdit) {
    const QByteArray dir = qgetenv("STAFFEL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "STAFFEL_SCREENSHOT_DIR not set";
    TTestTable t({2007, 2008, 2009, 2010});
    QWidget window;
    window.setFont(QFont("Tahoma", 8));
    window.resize(759, 146);
    auto* grid = new TDBGrid(&window);
    grid->setGeometry(4, 4, 751, 111);
    grid->SetColumns({{"Jahr", 45, std::nullopt},
                      {"Klasse", 163, std::nullopt},
                      {"1dat", 90, std::nullopt},
                      {"10Klasse", 86, std::nullopt}});
    grid->SetDataSource(&t.Source);
    auto* nav = new TMYDBNav(&window);
    nav->SetVisibleButtons(TMButtonSet::All().Exclude(nbRefresh));
    QFont bold("Tahoma", 8);
    bold.setBold(true);
    nav->setFont(bold);
    nav->SetBounds(4, 118, 751, 25);
    nav->SetDataSource(&t.Source);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    t.Table.Next();
    QTest::qWait(50);
    ASSERT_TRUE(window.grab().save(QDir(dir).filePath("navigator-browse.png")));

    t.Table.Edit();
    nav->SetFontColor(Qt::red);
    QTest::qWait(50);
    ASSERT_TRUE(window.grab().save(QDir(dir).filePath("navigator-edit.png")));
    t.Table.Cancel();
}

} // namespace
