#pragma once
// Creates the main window against ScriptedDialogs, so tests queue the answers to its questions
// and assert the exact messages it showed; files live in a temporary folder.

#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/ViewOptions.h"
#include "app/qt/WindowTabs.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/ScriptedDialogs.h"
#include "ui/support/QtPrinters.h"
#include "ui/support/StartedWindow.h"
#include "ui/support/WindowPart.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        window = std::make_unique<TForm1>(dialogs);
        ShowAndStart(*window);
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        EXPECT_EQ(dialogs.Unanswered(), 0) << "a question was asked that the test did not expect";
    }

    QString PathOf(const QString& name) const { return folder.filePath(name); }
    QString WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return PathOf(name);
    }
    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    QStringList TabCaptions() const {
        QStringList captions;
        const QTabBar& tabs = Part<QTabBar>(*window, "TabControl");
        for (int i = 0; i < tabs.count(); ++i)
            captions << tabs.tabText(i);
        return captions;
    }
    // Opens untitled documents until there are `count`, each holding its own text.
    void MakeDocuments(const QStringList& texts) {
        for (int i = 0; i < texts.size(); ++i) {
            if (i > 0)
                window->mniNewClick();
            window->CurrentPlainEditor()->SetText(texts[i].toStdString());
        }
    }
    QString CurrentText() { return QString::fromStdString(window->CurrentPlainEditor()->Text()); }
    QString LastMessage() const {
        return dialogs.History().empty() ? QString() : dialogs.History().back().text;
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> window;
};
