#include "report/qt/ReportStatusWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(ReportStatusWindow, CountsPagesUntilCancelled) {
    TReportStatusWindow window;
    EXPECT_EQ(window.windowTitle(), "Report Status");
    EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
    window.Start();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.PageStarted(1));
    EXPECT_EQ(window.Text()->text(), "Generating page 1");
    // A click waiting in the event queue gets through while page 2 starts.
    QTimer::singleShot(0, window.CancelButton(), &QPushButton::click);
    EXPECT_FALSE(window.PageStarted(2));
    EXPECT_EQ(window.Text()->text(), "Generating page 2");
    EXPECT_TRUE(window.Cancelled());
    window.Finish();
    EXPECT_FALSE(window.isVisible());
}

TEST(ReportStatusWindow, CloseRequestCancelsAndStartResets) {
    TReportStatusWindow window;
    window.Start();
    window.close();
    EXPECT_TRUE(window.Cancelled());
    EXPECT_TRUE(window.isVisible()); // closes itself only when generation ends
    window.Finish();
    window.Start();
    EXPECT_TRUE(window.PageStarted(1));
    window.Finish();
}

} // namespace
