// Files no editor expects, opened in the real window, edited, saved and closed: each gives a
// working tab or an error box, never an ended program, and no byte is lost. Small ones come from
// tests/data/bad/; big ones are made in the test's folder.

#include "SettingsFixture.h"
#include "richedit/qt/RichEdit.h"
#include "support/ByteStrings.h"

#include <QTest>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray BadInputFile(const QString& name) {
    QFile file(QStringLiteral(TABRIX_TEST_DATA "/bad/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

std::string Bytes(const QByteArray& bytes) {
    return bytes.toStdString();
}

enum class View { Plain, Code };

// The file saved after `first` was typed at the start of the text and `last` at its end. Every
// byte of the file stays: plain view's text ends after a final break, code view's last line
// before it.
std::string SavedAfterTyping(View view, const std::string& original, const std::string& first,
                             const std::string& last) {
    if (view == View::Plain)
        return first + original + last;
    const std::size_t finalBreak = original.ends_with("\r\n")                             ? 2
                                   : original.ends_with("\n") || original.ends_with("\r") ? 1
                                                                                          : 0;
    const std::size_t end = original.size() - finalBreak;
    return first + original.substr(0, end) + last + original.substr(end);
}

class BadInputTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->resize(640, 480);
        QApplication::setActiveWindow(window.get());
        window->activateWindow();
        QApplication::processEvents();
    }

    TSynEditWidget& Editor() { return *window->CurrentDocument().View().TextEditor(); }

    // Types at the start or the end of the active editor's text, as a user would.
    void TypeAt(Qt::Key place, const QString& text) {
        Editor().setFocus();
        QTest::keyClick(&Editor(), place, Qt::ControlModifier);
        QTest::keyClicks(&Editor(), text);
    }

    // Saves and closes the current tab as the File menu does; no question may come.
    void SaveAndClose() {
        window->Files().mniSaveClick();
        EXPECT_FALSE(window->CurrentDocument().Modified);
        window->Tabs().mniCloseClick();
    }

    void ExpectNoErrorBox() const {
        for (const ScriptedDialogs::Shown& shown : dialogs.History())
            EXPECT_NE(shown.messageKind, MessageKind::Error) << shown.text.toStdString();
    }

    // Writes `count` copies of `piece` without holding them in memory at once.
    QString WriteRepeated(const QString& name, const std::string& piece, std::size_t count) {
        const QString path = PathOf(name);
        std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
        EXPECT_NE(file, nullptr);
        std::string chunk;
        const std::size_t perChunk = std::max<std::size_t>(1, (1u << 20) / piece.size());
        for (std::size_t i = 0; i < perChunk; ++i)
            chunk += piece;
        for (std::size_t written = 0; written < count; written += perChunk) {
            const std::size_t pieces = std::min(perChunk, count - written);
            EXPECT_EQ(std::fwrite(chunk.data(), piece.size(), pieces, file), pieces);
        }
        std::fclose(file);
        return path;
    }
};

struct BadFile {
    const char* name;
    View view;
};

TEST_F(BadInputTest, SmallBadFilesOpenEditSaveAndKeepEveryByte) {
    const BadFile files[] = {
        {"binary.bin", View::Plain},       {"nul-bytes.txt", View::Plain},
        {"invalid-utf8.txt", View::Plain}, {"cr-only.txt", View::Plain},
        {"mixed-breaks.txt", View::Plain}, {"empty.txt", View::Plain},
        {"truncated.ini", View::Code},     {"truncated-section.ini", View::Code},
        {"random.ini", View::Code},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.name);
        const QByteArray original = BadInputFile(file.name);
        const QString path = WriteFile(file.name, original);
        window->Files().OpenFile(path);
        ExpectNoErrorBox();
        ASSERT_EQ(window->CurrentDocument().FileName, path);
        EXPECT_EQ(window->CurrentDocument().ViewMode, file.view == View::Code ? vmCode : vmPlain);
        TypeAt(Qt::Key_Home, "<");
        TypeAt(Qt::Key_End, ">");
        EXPECT_TRUE(window->CurrentDocument().Modified);
        SaveAndClose();
        EXPECT_EQ(Bytes(ReadFile(path)), SavedAfterTyping(file.view, Bytes(original), "<", ">"));
    }
    EXPECT_EQ(window->DocumentCount(), 1);
}

// A file with a UTF-16 mark is edited as its characters and written back as UTF-16 with the mark.
TEST_F(BadInputTest, Utf16FileIsEditedAsTextAndSavedAsUtf16) {
    const QString path = WriteFile("utf16-bom.txt", BadInputFile("utf16-bom.txt"));
    window->Files().OpenFile(path);
    ExpectNoErrorBox();
    TypeAt(Qt::Key_Home, "<");
    TypeAt(Qt::Key_End, ">");
    SaveAndClose();
    const QString expected = "<UTF-16 text\r\nwith two lines\r\n>";
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : expected)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    EXPECT_EQ(Bytes(ReadFile(path)), Bytes(bytes));
}

TEST_F(BadInputTest, DamagedRichFilesShowTheirTextOrAreRefusedUntouched) {
    const QString truncated = WriteFile("truncated.rtf", BadInputFile("truncated.rtf"));
    window->Files().OpenFile(truncated);
    ExpectNoErrorBox();
    EXPECT_EQ(window->CurrentDocument().ViewMode, vmRich);
    EXPECT_TRUE(window->CurrentDocument().RichEditor->Lines().join("\n").contains("bold text"));

    const QByteArray word = BadInputFile("word-binary.doc");
    const QString binary = WriteFile("word-binary.doc", word);
    window->Files().OpenFile(binary);
    ASSERT_FALSE(dialogs.History().empty());
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
    EXPECT_TRUE(window->CurrentDocument().FileName.isEmpty());
    EXPECT_EQ(ReadFile(binary), word);
}

TEST_F(BadInputTest, AwkwardFileNamesOpenSaveAndReopen) {
    const std::string names[] = {
        "with space.txt",
        "quote\"s and 'apostrophes'.txt",
        "back\\slash.txt",
        "new\nline.txt",
        "tab\there.txt",
        "-starts-with-dash.txt",
        "#hash %percent &amp; ;semicolon.txt",
        "star*question?.txt",
        "pipe|angle<>.txt",
        "\xc3\xbcmlaut \xe6\x97\xa5\xe6\x9c\xac.txt",
        ".hidden",
        "no-extension",
        "trailing.dot.",
        "two..dots..txt",
        std::string(250, 'n') + ".txt",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const QString path =
            folder.path() + "/" + QFile::decodeName(QByteArray::fromStdString(name));
        const std::string local = QFile::encodeName(folder.path()).toStdString() + "/" + name;
        {
            std::FILE* file = std::fopen(local.c_str(), "wb");
            ASSERT_NE(file, nullptr);
            std::fputs("text", file);
            std::fclose(file);
        }
        window->Files().OpenFile(path);
        ExpectNoErrorBox();
        ASSERT_FALSE(window->CurrentDocument().FileName.isEmpty()) << LastMessage().toStdString();
        TypeAt(Qt::Key_End, " edited");
        SaveAndClose();
        std::FILE* file = std::fopen(local.c_str(), "rb");
        ASSERT_NE(file, nullptr) << "saved under another name";
        char content[32] = {};
        const std::size_t read = std::fread(content, 1, sizeof content, file);
        std::fclose(file);
        EXPECT_EQ(std::string(content, read), "text edited");
    }
    // Nothing was saved beside the files under a mangled name.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()),
                            std::filesystem::directory_iterator()),
              std::ssize(names));
}

struct BigFile {
    const char* name;
    std::string piece;
    std::size_t count;
};

TEST_F(BadInputTest, BigFilesOpenEditAndSaveWhole) {
    const BigFile files[] = {
        // One line of 50 MB, in plain view and in code view with its highlighter.
        {"single-line.txt", "<p class=\"x\">words &amp; more</p> ", 50'000'000 / 34},
        {"single-line.html", "<p class=\"x\">words &amp; more</p> ", 50'000'000 / 34},
        // A million empty lines.
        {"empty-lines.txt", "\r\n", 1'000'000},
        {"empty-lines.ini", "\n", 1'000'000},
    };
    for (const BigFile& file : files) {
        SCOPED_TRACE(file.name);
        const QString path = WriteRepeated(file.name, file.piece, file.count);
        window->Files().OpenFile(path);
        ExpectNoErrorBox();
        ASSERT_EQ(window->CurrentDocument().FileName, path);
        const bool code = window->CurrentDocument().ViewMode == vmCode;
        TypeAt(Qt::Key_End, "!");
        TypeAt(Qt::Key_Home, "^");
        SaveAndClose();

        std::string original;
        original.reserve(file.piece.size() * file.count);
        for (std::size_t i = 0; i < file.count; ++i)
            original += file.piece;
        const std::string expected =
            SavedAfterTyping(code ? View::Code : View::Plain, original, "^", "!");
        const std::string saved = Bytes(ReadFile(path));
        EXPECT_EQ(saved.size(), expected.size());
        EXPECT_TRUE(saved == expected) << "the saved bytes differ";
    }
}

TEST_F(BadInputTest, FileOfMoreLineBreaksThanTheEditorCanNumberIsRefusedBeforeReading) {
    constexpr std::uintmax_t size = std::uintmax_t{1} << 31;
    MakeDocuments({"kept"});
    // A sparse file of NUL bytes, each of which ends a line as a line break does: the refusal
    // must come from the size alone, so nothing of it is ever read.
    const QString path = WriteFile("breaks.txt", "");
    std::filesystem::resize_file(QFile::encodeName(path).toStdString(), size);
    window->Files().OpenFile(path);
    EXPECT_EQ(LastMessage(), "Cannot open \"" + path + "\": The file is too large");
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
    EXPECT_TRUE(window->CurrentDocument().FileName.isEmpty());
    EXPECT_TRUE(CurrentText().isEmpty());
    window->SelectIndex(0);
    EXPECT_EQ(CurrentText(), "kept");
}

// Address space for the rest of one scope: allocations beyond it fail as on a full machine.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t bytes) {
        getrlimit(RLIMIT_AS, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        applied = setrlimit(RLIMIT_AS, &limited) == 0;
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved); }
    bool Applied() const { return applied; }

private:
    rlimit saved{};
    bool applied = false;
};

// The process's address space now, from /proc/self/statm.
rlim_t AddressSpaceInUse() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    unsigned long pages = 0;
    if (statm) {
        if (std::fscanf(statm, "%lu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    return rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
}

TEST_F(BadInputTest, TextTooBigForMemoryIsTheOpenCommandsErrorAndTheProgramGoesOn) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves address space of its own and aborts when short";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer reserves address space of its own and aborts when short";
#endif
#endif
    MakeDocuments({"kept"});
    // 64 MB of line breaks need some 2 GB of line records: far more than the limit below.
    const QString path = WriteRepeated("many-lines.txt", "\n", 64u << 20);
    {
        AddressSpaceLimit limit(AddressSpaceInUse() + (400u << 20));
        ASSERT_TRUE(limit.Applied());
        window->Files().OpenFile(path);
    }
    EXPECT_EQ(LastMessage(), "Cannot open \"" + path + "\": Out of memory");
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
    EXPECT_EQ(window->DocumentCount(), 2);
    EXPECT_TRUE(window->CurrentDocument().FileName.isEmpty());
    EXPECT_TRUE(CurrentText().isEmpty());
    window->SelectIndex(0);
    EXPECT_EQ(CurrentText(), "kept");
    // The program goes on: a file that fits opens.
    window->Files().OpenFile(WriteFile("small.txt", "small"));
    EXPECT_EQ(CurrentText(), "small");
}

TEST_F(SettingsTest, DamagedIniFilesAsTheSettingsFileStillStartAndExit) {
    for (const char* name :
         {"truncated.ini", "truncated-section.ini", "random.ini", "binary.bin"}) {
        SCOPED_TRACE(name);
        Write(MainSettingsPath(), BadInputFile(name));
        Start();
        EXPECT_EQ(window->DocumentCount(), 1);
        Restart();
        EXPECT_EQ(window->DocumentCount(), 1);
        Exit();
        EXPECT_TRUE(Read(MainSettingsPath()).contains("[Settings]"));
    }
    EXPECT_TRUE(dialogs.History().empty());
}

} // namespace
