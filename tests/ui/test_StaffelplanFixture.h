#pragma once
// The main window in a fresh scratch folder as the working directory, with
// scripted message boxes and its seams recording what they were asked.
#include "data/Store.h"
#include "tests/ui/FakeMessageBoxes.h"
#include "ui/controls/DBEdit.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/MYDBNav.h"
#include "ui/windows/Staffelplan.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class TScratchFolder {
public:
    TScratchFolder() : saved_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~TScratchFolder() { QDir::setCurrent(saved_); }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    static bool Exists(const std::string& name) {
        return QFile::exists(QString::fromStdString(name));
    }

private:
    QTemporaryDir dir_;
    QString saved_;
};

inline TLocalTime FixedClock() {
    return {2009, 4, 28, 14, 5, 9};
}

class StaffelplanTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }

    void Open(bool readOnly = false) {
        window = std::make_unique<TStaffelplan>(TRegionalSettings::German(), FixedClock, readOnly);
        window->Terminate = [this] { ++terminated; };
        window->ExecuteLayout = [this](const std::string& name) { layouts.push_back(name); };
        window->ShowModal = [this](QDialog& dialog) {
            shownModally.push_back(&dialog);
            return modalResult;
        };
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    // As the application's top-level guard runs a navigator click.
    void Press(TMNavigateBtn button) {
        Guard([&] { window->MYDBNav1->ClickButton(button); });
    }

    bool EditorsLocked() {
        for (TDBEdit* edit : window->AllEditors())
            if (edit->isEnabled())
                return false;
        return true;
    }

    TFakeMessageBoxes boxes;
    TScratchFolder folder;
    std::unique_ptr<TStaffelplan> window;
    int terminated = 0;
    std::vector<std::string> layouts;
    std::vector<QDialog*> shownModally;
    int modalResult = QDialog::Accepted;
};
