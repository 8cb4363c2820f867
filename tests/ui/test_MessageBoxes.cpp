#include "FakeMessageBoxes.h"
#include "data/StaffelError.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ApplicationTitleTest, NameUpToTheFirstPointWithLowerCaseTail) {
    struct {
        const char* File;
        const char* Want;
    } cases[] = {{"/usr/bin/Staffelplan", "Staffelplan"},
                 {"/opt/STAFFELPLAN.EXE", "Staffelplan"},
                 {"C:/Programme/staffelPlan.v2.exe", "staffelplan"},
                 {"/tmp/x", "x"},
                 {"/tmp/.hidden", ""},
                 {"/tmp/ÄRGER.bin", "Ärger"}};
    for (const auto& c : cases)
        EXPECT_EQ(ApplicationTitleFor(QString::fromUtf8(c.File)).toStdString(), c.Want) << c.File;
}

TEST(MessageBoxesTest, FakeIsInstalledForItsLifetime) {
    TMessageBoxes* before = &MessageBoxes();
    {
        TFakeMessageBoxes boxes;
        EXPECT_EQ(&MessageBoxes(), &boxes);
        {
            TFakeMessageBoxes inner;
            EXPECT_EQ(&MessageBoxes(), &inner);
        }
        EXPECT_EQ(&MessageBoxes(), &boxes);
    }
    EXPECT_EQ(&MessageBoxes(), before);
    EXPECT_NE(dynamic_cast<TQtMessageBoxes*>(before), nullptr);
}

TEST(ErrorGuardTest, FailureEndsTheHandlerAndIsShown) {
    TFakeMessageBoxes boxes;
    struct {
        std::function<void()> Handler;
        bool WantOk;
        const char* WantError;
    } cases[] = {
        {[] {}, true, nullptr},
        {[] { throw TStaffelError("Feld 'Jahr' muss einen Wert haben"); }, false,
         "Feld 'Jahr' muss einen Wert haben"},
        {[] { throw std::runtime_error("Key violation."); }, false, "Key violation."},
        {[] { throw 42; }, false, "Unbekannter Fehler"},
    };
    for (const auto& c : cases) {
        boxes.Clear();
        bool after = false;
        const bool ok = Guard([&] {
            c.Handler();
            after = true;
        });
        EXPECT_EQ(ok, c.WantOk);
        EXPECT_EQ(after, c.WantOk);
        if (c.WantError)
            EXPECT_EQ(boxes.Errors(), std::vector<std::string>{c.WantError});
        else
            EXPECT_TRUE(boxes.Shown.empty());
    }
}

TEST(ErrorGuardTest, GuardedSlotKeepsTheExceptionFromQt) {
    TFakeMessageBoxes boxes;
    QTimer timer;
    int calls = 0;
    QObject::connect(&timer, &QTimer::timeout, Guarded([&] {
        ++calls;
        throw TStaffelError("im Zeitgeber");
    }));
    timer.setSingleShot(true);
    timer.start(0);
    for (int i = 0; i < 100 && calls == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(boxes.Errors(), std::vector<std::string>{"im Zeitgeber"});
}

TEST(ErrorGuardTest, FailingBoxDoesNotThrow) {
    struct TBrokenBoxes : TFakeMessageBoxes {
        void ShowError(const std::string&) override { throw std::runtime_error("kaputt"); }
    } broken;
    EXPECT_FALSE(Guard([] { throw TStaffelError("x"); }));
}

} // namespace
