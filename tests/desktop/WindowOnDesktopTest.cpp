// The main window under a real window manager: its outer bounds (frame included) as the user
// sees them and as the settings file keeps them, over restarts and mode round trips; its
// captions; the keypad zoom keys; the end of the process at exit. Each test has a desktop of
// its own.
// TABRIX_SCREENSHOTS=<folder> also saves what the screen showed at the end of the bounds tests.

#include "desktop/XDesktop.h"
#include "platform/qt/PathNames.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string_view>

// Bounds in failure messages as "x,y wxh".
void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
}

namespace {

constexpr int ExitTimeout = 5000;

// Whether a condition reaches the wanted value within a few seconds.
bool Becomes(const std::function<bool()>& condition, bool wanted) {
    const QDeadlineTimer deadline(3000);
    while (condition() != wanted) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

class WindowOnDesktopTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        desktop = std::make_unique<XDesktop>(Manager());
        ASSERT_TRUE(desktop->Error().isEmpty()) << desktop->Error().toStdString();
    }
    virtual WindowManager Manager() const { return WindowManager::Openbox; }

    // Starts the program and waits for its main window.
    std::unique_ptr<ProgramOnDesktop> Start(const QStringList& files = {}) {
        auto program = std::make_unique<ProgramOnDesktop>(*desktop, home.path(), files);
        window = program->MainWindow();
        EXPECT_FALSE(window.isEmpty()) << "the main window never showed";
        program->Activate(window);
        return program;
    }

    // Exit through the window's Alt+F4, as a user leaves; true when the process ended by it.
    bool Exit(ProgramOnDesktop& program) {
        program.Activate(window);
        program.Keys("alt+F4");
        return program.WaitForExit(ExitTimeout) && program.ExitCode() == 0;
    }

    // An integer key of the settings file; nothing when the file or the key is missing.
    std::optional<int> SavedValue(const char* key) const {
        QFile file(SettingsFileIn(home.path()));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QRegularExpression line(QString("\\n%1=(-?\\d+)").arg(key));
        const QRegularExpressionMatch match = line.match(QString::fromLatin1(file.readAll()));
        return match.hasMatch() ? std::optional<int>(match.captured(1).toInt()) : std::nullopt;
    }

    std::optional<QRect> SavedBounds() const {
        const auto left = SavedValue("Left"), top = SavedValue("Top");
        const auto width = SavedValue("Width"), height = SavedValue("Height");
        if (!left || !top || !width || !height)
            return std::nullopt;
        return QRect(*left, *top, *width, *height);
    }

    void WriteSettings(const QByteArray& text) const {
        QDir().mkpath(QFileInfo(SettingsFileIn(home.path())).path());
        QFile file(SettingsFileIn(home.path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    void SaveScreenshot(const char* name) const {
        const QByteArray folder = qgetenv("TABRIX_SCREENSHOTS");
        if (!folder.isEmpty()) {
            EXPECT_TRUE(desktop->Screenshot(QDir(QString::fromLocal8Bit(folder)).filePath(name)));
        }
    }

    QTemporaryDir home;
    std::unique_ptr<XDesktop> desktop;
    QString window;
};

// The same window on an X server without a window manager: no frame, nobody placing it.
class BareDesktopTest : public WindowOnDesktopTest {
protected:
    WindowManager Manager() const override { return WindowManager::None; }
};

TEST_F(WindowOnDesktopTest, FirstStartFillsTheWorkAreaGrownByFourAndStaysOverThreeRestarts) {
    const QRect expected = desktop->WorkArea().adjusted(-4, -4, 4, 4);
    auto program = Start();
    EXPECT_EQ(program->OuterBounds(window), expected);
    ASSERT_TRUE(Exit(*program));
    EXPECT_EQ(SavedBounds(), expected);

    for (int restart = 1; restart <= 3; ++restart) {
        program = Start();
        EXPECT_EQ(program->OuterBounds(window), expected) << "start " << restart;
        if (restart == 3)
            SaveScreenshot("window-after-three-restarts.png");
        ASSERT_TRUE(Exit(*program));
        EXPECT_EQ(SavedBounds(), expected) << "exit " << restart;
    }
}

TEST_F(WindowOnDesktopTest, BoundsSurviveFullScreenAndToolWindowRoundTrips) {
    const QRect saved(100, 80, 700, 500);
    WriteSettings("[Form]\r\nTop=80\r\nLeft=100\r\nWidth=700\r\nHeight=500\r\n");
    auto program = Start();
    ASSERT_EQ(program->OuterBounds(window), saved);

    const QRect screen(0, 0, 1280, 1024);
    struct RoundTrip {
        const char* name;
        const char* keys; // one switch of the mode
        std::function<bool()> switchedOn;
    };
    // View menu: Full Screen, Always on Top, Tool Window Mode.
    const RoundTrip trips[] = {
        {"full screen", "F11", [&] { return program->OuterBounds(window) == screen; }},
        {"tool window", "alt+v Down Down Return",
         [&] { return program->WindowTypes(window).contains("UTILITY"); }},
        {"full screen again", "F11", [&] { return program->OuterBounds(window) == screen; }}};
    for (const RoundTrip& trip : trips) {
        program->Keys(trip.keys);
        EXPECT_TRUE(Becomes(trip.switchedOn, true)) << trip.name << " did not switch on";
        program->Keys(trip.keys);
        EXPECT_TRUE(Becomes(trip.switchedOn, false)) << trip.name << " did not switch off";
        EXPECT_EQ(program->OuterBounds(window), saved) << "after " << trip.name << " on and off";
    }
    SaveScreenshot("window-after-full-screen.png");
    ASSERT_TRUE(Exit(*program));
    EXPECT_EQ(SavedBounds(), saved);
}

TEST_F(WindowOnDesktopTest, TheProcessEndsAtExitAfterToolWindowMode) {
    struct Case {
        const char* name;
        QByteArray settings;
        const char* keysBeforeExit;
    };
    const Case cases[] = {
        {"started in it", "[Settings]\r\nHideCaption=1\r\n", ""},
        {"switched on and off", "[Settings]\r\nHideCaption=0\r\n",
         "alt+v Down Down Return alt+v Down Down Return"},
        {"switched on", "[Settings]\r\nHideCaption=0\r\n", "alt+v Down Down Return"},
    };
    for (const Case& c : cases) {
        WriteSettings(c.settings);
        auto program = Start();
        if (*c.keysBeforeExit)
            program->Keys(c.keysBeforeExit);
        program->OuterBounds(window);
        EXPECT_TRUE(Exit(*program)) << c.name;
        EXPECT_FALSE(program->Running()) << c.name;
    }
}

TEST_F(BareDesktopTest, BoundsAreTheWindowsOwnOverARestartAndAFullScreenRoundTrip) {
    const QRect expected = desktop->WorkArea().adjusted(-4, -4, 4, 4);
    for (int start = 1; start <= 2; ++start) {
        auto program = Start();
        EXPECT_EQ(program->OuterBounds(window), expected) << "start " << start;
        program->Keys("F11");
        EXPECT_EQ(program->OuterBounds(window), QRect(0, 0, 1280, 1024)) << "start " << start;
        program->Keys("F11");
        EXPECT_EQ(program->OuterBounds(window), expected) << "start " << start;
        ASSERT_TRUE(Exit(*program));
        EXPECT_EQ(SavedBounds(), expected) << "start " << start;
    }
}

TEST_F(WindowOnDesktopTest, CtrlWithKeypadPlusAndMinusZoomWithNumLockOffAndOn) {
    int expected = 10;
    for (const char* numLock : {"", "Num_Lock"}) {
        auto program = Start();
        if (*numLock)
            program->Keys(numLock);
        program->Keys("ctrl+KP_Add ctrl+KP_Add ctrl+KP_Subtract");
        ASSERT_TRUE(Exit(*program));
        EXPECT_EQ(SavedValue("Size"), ++expected) << (*numLock ? "NumLock on" : "NumLock off");
    }
}

// How much of the screen inside the rectangle is black, as the screen is before anything is
// drawn on it: 0 to 1.
double BlackShare(const QImage& screen, const QRect& area) {
    int black = 0, all = 0;
    const QRect inside = area & screen.rect();
    for (int y = inside.top(); y <= inside.bottom(); y += 4) {
        for (int x = inside.left(); x <= inside.right(); x += 4) {
            ++all;
            black += (screen.pixel(x, y) & 0xFFFFFF) == 0;
        }
    }
    return all ? double(black) / all : 1.0;
}

TEST_F(WindowOnDesktopTest, MessagesOfTheStartShowOverTheWindowDrawnFirst) {
    const QString docx = QDir(home.path()).filePath("letter.docx");
    QFile refused(docx);
    ASSERT_TRUE(refused.open(QIODevice::WriteOnly));
    refused.write(QByteArray("PK\x03\x04\0\0binary", 12));
    refused.close();
    const struct {
        const char* name;
        QByteArray defaultProject;
        QStringList files;
    } cases[] = {
        {"entries of the last session not found", "gone.txt\r\nlost.txt\r\n", {}},
        {"a refused .docx", "", {docx}},
    };
    for (const auto& c : cases) {
        const QString folder = QDir(home.path()).filePath(".config/Tabrix_Pro");
        QDir().mkpath(folder);
        QFile project(folder + "/default.txp");
        ASSERT_TRUE(project.open(QIODevice::WriteOnly));
        project.write(c.defaultProject);
        project.close();
        ProgramOnDesktop program(*desktop, home.path(), c.files);
        // The box's caption is the program's name; the window's ends in a blank.
        ASSERT_TRUE(program.ShowsCaption("Tabrix Pro")) << c.name;
        const QString shown =
            desktop->Tool("xdotool", {"search", "--onlyvisible", "--name", "^Tabrix Pro $"});
        ASSERT_FALSE(shown.trimmed().isEmpty()) << c.name << ": the box came before the window";
        const QRect bounds = program.OuterBounds(shown.split('\n').first());
        const QString screenshot = QDir(home.path()).filePath("start.png");
        ASSERT_TRUE(desktop->Screenshot(screenshot));
        // The left side of the window, beside the box centred over it.
        const QRect side(bounds.left(), bounds.top(), bounds.width() / 5, bounds.height());
        EXPECT_LT(BlackShare(QImage(screenshot), side), 0.05) << c.name << ": not drawn";
        if (std::string_view(c.name) == "a refused .docx")
            SaveScreenshot("start-up-message-over-the-window.png");
        program.Keys("Return");
        window = program.MainWindow();
        EXPECT_TRUE(Exit(program)) << c.name;
    }
}

// A file name of bytes that are not UTF-8, given on the command line, opens that very file: the
// caption shows its odd bytes, and the tabs kept at exit name it byte for byte.
TEST_F(WindowOnDesktopTest, AFileNamedInBytesThatAreNotUtf8OpensFromTheCommandLine) {
    const std::string file = LocalPath(QDir(home.path()).filePath("a")) + "\xff\x80.txt";
    std::ofstream(file) << "text";
    auto program = Start({DisplayPath(file)});
    // The X tools show a backslash of the caption doubled.
    EXPECT_TRUE(program->ShowsCaption("Tabrix Pro [" + ShownText(file).replace("\\", "\\\\") + "]"))
        << program->Captions().join(" | ").toStdString();
    EXPECT_TRUE(ShownText(file).endsWith("a\\xFF\\x80.txt"));
    ASSERT_TRUE(Exit(*program));
    std::ifstream kept(LocalPath(home.path()) + "/.config/Tabrix_Pro/default.txp");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), file + "\r\n");
}

TEST_F(WindowOnDesktopTest, CaptionsAreExactlyTheProgramsOwn) {
    const QString file = QDir(home.path()).filePath("notes.txt");
    QFile(file).open(QIODevice::WriteOnly);
    auto program = Start();
    EXPECT_EQ(program->Caption(window).toStdString(), "Tabrix Pro ");
    ASSERT_TRUE(Exit(*program));

    program = Start({file});
    EXPECT_TRUE(program->ShowsCaption("Tabrix Pro [" + file + "]"))
        << program->Captions().join(" | ").toStdString();
    struct Dialog {
        const char* keys;
        const char* caption;
    };
    for (const Dialog& dialog :
         {Dialog{"ctrl+g", "Go to line number"}, Dialog{"alt+h a", "About"}}) {
        program->Keys(dialog.keys);
        EXPECT_TRUE(program->ShowsCaption(dialog.caption))
            << program->Captions().join(" | ").toStdString();
        program->Keys("Escape");
    }
    ASSERT_TRUE(Exit(*program));
}

} // namespace
