#pragma once
// A store in a fresh working folder at a fixed time, its home folder a
// scratch folder too, for the store tests.
#include "data/Store.h"
#include "test_FileSupport.h"

#include <gtest/gtest.h>

inline TLocalTime At140509() {
    return {2026, 12, 9, 14, 5, 9};
}

class TStoreFolderTest : public ::testing::Test {
protected:
    TScratchFolder folder_;
    TWorkingDirectory cwd_{folder_.Path()};
    TScratchFolder home_;
    THomeFolder homeVariable_{home_.Path()};
    TStore store_{TRegionalSettings::German(), At140509};

    std::string File(const std::string& name) const { return folder_.File(name); }

    void AddDivision(const std::string& klasse, int jahr) {
        TRecordTable& t = store_.t_staffel();
        t.Append();
        t.Field("Klasse").SetAsText(klasse);
        t.Field("Jahr").SetAsInteger(jahr);
        t.Field("1A").SetAsText("TV S\xFC"
                                "d");
        t.Field("1dat").SetAsText("26.09.2009");
        t.Post();
    }
};
