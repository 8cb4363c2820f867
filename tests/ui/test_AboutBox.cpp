#include "ui/windows/AboutBox.h"

#include "ui/windows/AboutVersion.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

struct TOpened {
    QString Link;
    QString Folder;
};

TEST(AboutBox, VersionLineIsRightAlignedAtItsEdge) {
    TAboutBox box(nullptr, [](const QString&, const QString&) {});
    EXPECT_EQ(box.Version->text().toStdString(), VersionText());
    for (const char* line : {"Version: 0.8.0    Build: 106", "Version: 2.10.0    Build: 7", ""}) {
        box.SetVersionLine(line);
        EXPECT_EQ(box.Version->geometry().right() + 1, 377) << line;
        EXPECT_EQ(box.Version->y(), 82) << line;
        EXPECT_EQ(box.Version->text(), line);
    }
}

TEST(AboutBox, MailLinkGoesToTheDesktopFromTheTempDirectory) {
    std::vector<TOpened> opened;
    TAboutBox box(nullptr, [&](const QString& link, const QString& folder) {
        opened.push_back({link, folder});
    });
    box.show();
    QTest::mouseClick(box.Memo1->viewport(), Qt::LeftButton);
    QTest::mouseClick(box.ProgramIcon, Qt::LeftButton);
    EXPECT_TRUE(opened.empty());
    QTest::mouseClick(box.Label5, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].Link, "mailto:" + box.Label5->text());
    EXPECT_EQ(opened[0].Folder.toStdString(), TempDirectory());
    EXPECT_TRUE(box.isVisible());
}

TEST(AboutBox, OkButtonTakesEnterAndClosesWithOk) {
    TAboutBox box(nullptr, [](const QString&, const QString&) {});
    box.show();
    QApplication::setActiveWindow(&box);
    EXPECT_TRUE(box.OKButton->hasFocus());
    EXPECT_TRUE(box.OKButton->isDefault());
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutBox, DesktopLinkKeepsTheDataFolder) {
    const QString before = QDir::currentPath();
    OpenLinkWithDesktop("mailto:nobody@example.org", QString::fromStdString(TempDirectory()));
    EXPECT_EQ(QDir::currentPath(), before);
}

} // namespace
