#pragma once
// The main window as a start of the program shows it: its start-up work (the last session's
// tabs, the command line's files, the questions of the start) runs once the window is on
// screen, so tests wait for it.

#include "app/qt/MainWindow.h"

#include <QTest>
#include <gtest/gtest.h>

inline void ShowAndStart(TForm1& window) {
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.StartupDone(); }))
        << "the window's start-up work never ran";
}
