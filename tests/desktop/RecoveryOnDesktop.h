#pragma once
// Crash recovery with the real program on a desktop of its own: the program is typed into,
// killed with SIGKILL, and started again in this process (answering through ScriptedDialogs);
// the copies it leaves are read as the next start reads them.

#include "app/qt/MainWindow.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "desktop/XDesktop.h"
#include "platform/qt/PathNames.h"
#include "platform/qt/ScriptedDialogs.h"
#include "recovery/RecoveryFile.h"
#include "ui/support/StartedWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <memory>
#include <string>

namespace fs = std::filesystem;

inline constexpr int CopyTimeout = 30000;

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// About `size` bytes of numbered CR LF lines, so that any shift or loss shows.
inline std::string NumberedLines(std::size_t size) {
    std::string text;
    text.reserve(size + 64);
    for (int line = 0; text.size() < size; ++line)
        text += "line " + std::to_string(line) + " of a big document\r\n";
    return text;
}

class RecoveryOnDesktopTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        desktop = std::make_unique<XDesktop>();
        ASSERT_TRUE(desktop->Error().isEmpty()) << desktop->Error().toStdString();
        files = home.path().toStdString() + "/files/";
        fs::create_directories(files);
    }
    void TearDown() override {
        window.reset();
        EXPECT_EQ(dialogs.Unanswered(), 0) << "a question was asked that the test did not expect";
    }

    std::string RecoveryRoot() const {
        return home.path().toStdString() + "/.config/Tabrix_Pro/recovery/";
    }

    // Every recovery copy under the recovery folder, by the document's file name ("" untitled).
    std::map<std::string, RecoveredDocument> Copies() const {
        std::map<std::string, RecoveredDocument> copies;
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(RecoveryRoot(), error)) {
            if (entry.path().extension() != ".recovery")
                continue;
            RecoveryParse parsed = ParseRecoveryFile(ReadBytes(entry.path().string()));
            if (parsed.document)
                copies[parsed.document->header.fileName] = std::move(*parsed.document);
        }
        return copies;
    }

    // Waits until the copies hold exactly these texts by file name. A journal stands for the
    // text its file becomes under its edits, written here as the inserted texts after "edits:".
    bool CopiesBecome(const std::map<std::string, std::string>& texts) const {
        const QDeadlineTimer deadline(CopyTimeout);
        while (!deadline.hasExpired()) {
            std::map<std::string, std::string> found;
            for (auto& [name, copy] : Copies()) {
                found[name] = copy.text;
                if (copy.journal) {
                    found[name] = "edits:";
                    for (const TSynTextChange& change : copy.journal->changes)
                        found[name] += change.inserted;
                }
            }
            if (found == texts)
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    std::unique_ptr<ProgramOnDesktop> Start(const QStringList& arguments = {}) {
        auto program = std::make_unique<ProgramOnDesktop>(*desktop, home.path(), arguments);
        const QString id = program->MainWindow();
        EXPECT_FALSE(id.isEmpty()) << "the main window never showed";
        program->Activate(id);
        return program;
    }

    // Another start of the program, in this process, with the same home.
    void StartHere() {
        const QByteArray root = home.path().toLocal8Bit();
        setenv("HOME", root.constData(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/.config").constData(), 1);
        setenv("XDG_DATA_HOME", (root + "/.local/share").constData(), 1);
        window = std::make_unique<TForm1>(dialogs);
        ShowAndStart(*window);
        QApplication::processEvents();
    }

    int DocumentNamed(const std::string& path) {
        for (int i = 0; i < window->DocumentCount(); ++i) {
            if (LocalPath(window->DocumentAt(i).FileName) == path)
                return i;
        }
        return -1;
    }

    QStringList ShownTexts() const {
        QStringList texts;
        for (const auto& shown : dialogs.History())
            texts << shown.text;
        return texts;
    }

    QTemporaryDir home;
    std::unique_ptr<XDesktop> desktop;
    std::string files;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> window;
};
