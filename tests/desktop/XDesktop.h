#pragma once
// A private X desktop for tests of the window as a window manager treats it: Xvfb on a display
// number the server picks itself (parallel runs never collide), openbox on it, and the X tools
// (xdotool, xprop, xwininfo, import) run against it. The servers are stopped by their process
// ids when the desktop goes. Does not drive the program's widgets: only what a user could do.

#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

enum class WindowManager { Openbox, None };

class XDesktop {
public:
    explicit XDesktop(WindowManager manager = WindowManager::Openbox);
    ~XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    // Empty when the desktop is up; else what failed.
    const QString& Error() const { return error; }
    QProcessEnvironment Environment() const;
    // Runs an X tool on this desktop; its standard output, or nothing when it failed.
    QString Tool(const QString& program, const QStringList& arguments) const;
    bool HasWindowManager() const { return windowManager != nullptr; }
    // The screen less what the window manager keeps for itself.
    QRect WorkArea() const;
    bool Screenshot(const QString& path) const;

private:
    bool StartServer();
    bool TryServer(int firstDisplay);
    bool StartWindowManager();

    QTemporaryDir home;
    QString display;
    QString error;
    std::unique_ptr<QProcess> server;
    std::unique_ptr<QProcess> windowManager;
};

// xdotool typing in the background. When it goes, the tool is stopped and every key it names is
// released: a tool stopped between a key's press and its release would leave the key held in
// the X server, repeating into whatever window comes next and swallowing that key's next press.
class BackgroundKeys {
public:
    BackgroundKeys(const XDesktop& desktop, const QString& commands);
    ~BackgroundKeys();
    BackgroundKeys(const BackgroundKeys&) = delete;
    BackgroundKeys& operator=(const BackgroundKeys&) = delete;

private:
    const XDesktop& desktop;
    QProcess tool;
    QStringList keys;
};

// tabrix-pro on a desktop, with a home folder that outlives it so that restarts see the
// settings the last run wrote.
class ProgramOnDesktop {
public:
    ProgramOnDesktop(const XDesktop& desktop, const QString& home, const QStringList& files = {});
    ~ProgramOnDesktop();

    // The main window's X id once it is on screen; empty when it never showed.
    QString MainWindow();
    // The X id of the first window of the program whose caption matches the pattern, once one
    // is on screen; empty when none showed within the time.
    QString WindowNamed(const QString& pattern, int milliseconds) const;
    // The window's frame included, once it has stopped moving.
    QRect OuterBounds(const QString& window) const;
    QString Caption(const QString& window) const;
    // The window's _NET_WM_WINDOW_TYPE as xprop shows it.
    QString WindowTypes(const QString& window) const;
    // The captions of the program's windows on screen.
    QStringList Captions() const;
    // Waits until a window of the program shows exactly this caption.
    bool ShowsCaption(const QString& caption) const;
    // Makes a window the active one, as a click on it would, and waits until it is.
    void Activate(const QString& window) const;
    // Keys as xdotool names them ("alt+F4"), typed into the active window.
    void Keys(const QString& keys) const;
    // An xdotool command line (chained commands: "key --delay 50 a b sleep 2 key c") run in the
    // background, for a kill to land in the middle of it; it ends when the caller drops it.
    std::unique_ptr<BackgroundKeys> StartKeys(const QString& commands) const;
    // A click of a mouse button (1 left, 2 middle, 3 right) at a point of the window.
    void Click(const QString& window, QPoint point, int button) const;
    bool WaitForExit(int milliseconds);
    // Ends the process at once (SIGKILL): nothing of it runs any more, as in a crash.
    void Kill();
    bool Running() const { return process.state() != QProcess::NotRunning; }
    int ExitCode() const { return process.exitCode(); }

private:
    const XDesktop& desktop;
    QProcess process;
    QString window;
};

// The settings file the program keeps in a home folder.
QString SettingsFileIn(const QString& home);
