#pragma once
// Creates the main window against ScriptedDialogs, so tests queue the answers to its questions
// and assert the exact messages it showed.

#include "app/qt/MainWindow.h"
#include "platform/qt/ScriptedDialogs.h"

#include <gtest/gtest.h>
#include <memory>

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TForm1>(dialogs);
        window->show();
    }
    void TearDown() override {
        window.reset();
        EXPECT_EQ(dialogs.Unanswered(), 0) << "a question was asked that the test did not expect";
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> window;
};
