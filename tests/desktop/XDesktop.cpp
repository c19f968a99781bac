#include "desktop/XDesktop.h"

#include "platform/qt/PathNames.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

namespace {

constexpr int StartTimeout = 10000;
constexpr int ToolTimeout = 10000;
constexpr int PollInterval = 50;

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

// The numbers of an X property or xwininfo line, in order.
QList<int> NumbersIn(const QString& text) {
    QList<int> numbers;
    static const QRegularExpression number(R"(-?\d+)");
    for (auto it = number.globalMatch(text); it.hasNext();)
        numbers << it.next().captured().toInt();
    return numbers;
}

int XwininfoValue(const QString& report, const QString& label) {
    const QRegularExpression line(QRegularExpression::escape(label) + R"(:\s*(-?\d+))");
    const QRegularExpressionMatch match = line.match(report);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

XDesktop::XDesktop(WindowManager manager) {
    if (!home.isValid())
        error = "no temporary folder";
    else if (StartServer() && manager == WindowManager::Openbox)
        StartWindowManager();
}

XDesktop::~XDesktop() {
    if (windowManager)
        Stop(*windowManager);
    if (server)
        Stop(*server);
}

bool XDesktop::StartServer() {
    // Servers of other sandboxes may share the abstract socket names without seeing each
    // other's lock files: start at a random high display number and make sure it is ours.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (TryServer(QRandomGenerator::global()->bounded(100, 30000)))
            return true;
        Stop(*server);
    }
    return false;
}

bool XDesktop::TryServer(int firstDisplay) {
    server = std::make_unique<QProcess>();
    server->setStandardErrorFile(QProcess::nullDevice());
    // -displayfd: the server writes the number of the display it took once it is ready;
    // -noreset: without a window manager it would reset whenever the program exits.
    server->start("Xvfb", {":" + QString::number(firstDisplay), "-displayfd", "1", "-screen", "0",
                           "1280x1024x24", "-nolisten", "tcp", "-noreset"});
    if (!server->waitForStarted(StartTimeout)) {
        error = "Xvfb did not start (scripts/install-deps.sh installs it)";
        return false;
    }
    QByteArray number;
    const QDeadlineTimer deadline(StartTimeout);
    while (!number.contains('\n') && !deadline.hasExpired() &&
           server->state() == QProcess::Running) {
        server->waitForReadyRead(PollInterval);
        number += server->readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        error = "Xvfb did not report its display";
        return false;
    }
    display = ":" + QString::fromLatin1(number.trimmed());
    // A new server has no window manager yet; one that has is somebody else's.
    if (Tool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id")) {
        error = "display " + display + " answers for another server";
        return false;
    }
    error.clear();
    return true;
}

bool XDesktop::StartWindowManager() {
    // Now and then openbox starts without ever taking the display: start it again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        windowManager = std::make_unique<QProcess>();
        windowManager->setProcessEnvironment(Environment());
        windowManager->setStandardOutputFile(QProcess::nullDevice());
        windowManager->setStandardErrorFile(home.filePath("openbox.log"));
        windowManager->start("openbox", {"--sm-disable"});
        if (!windowManager->waitForStarted(StartTimeout)) {
            error = "openbox did not start (scripts/install-deps.sh installs it)";
            return false;
        }
        // Ready once it has announced itself on the root window and set the work area.
        const QDeadlineTimer deadline(StartTimeout / 2);
        while (!deadline.hasExpired()) {
            if (Tool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id") &&
                !WorkArea().isEmpty())
                return true;
            QThread::msleep(PollInterval);
        }
        Stop(*windowManager);
    }
    QFile log(home.filePath("openbox.log"));
    log.open(QIODevice::ReadOnly);
    error = "openbox did not take the display " + display + ": " +
            QString::fromLocal8Bit(log.readAll());
    return false;
}

QProcessEnvironment XDesktop::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    environment.insert("XDG_CACHE_HOME", home.filePath(".cache"));
    environment.remove("XAUTHORITY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    return environment;
}

QString XDesktop::Tool(const QString& program, const QStringList& arguments) const {
    QProcess tool;
    tool.setProcessEnvironment(Environment());
    tool.start(program, arguments);
    if (!tool.waitForFinished(ToolTimeout) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        Stop(tool);
        return {};
    }
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

QRect XDesktop::WorkArea() const {
    const QList<int> area = NumbersIn(Tool("xprop", {"-root", "_NET_WORKAREA"}).section('=', 1));
    if (area.size() < 4)
        return HasWindowManager() ? QRect() : QRect(0, 0, 1280, 1024);
    return QRect(area[0], area[1], area[2], area[3]);
}

bool XDesktop::Screenshot(const QString& path) const {
    QProcess import;
    import.setProcessEnvironment(Environment());
    import.start("import", {"-window", "root", path});
    return import.waitForFinished(ToolTimeout) && import.exitCode() == 0;
}

namespace {

// QProcess hands arguments over in UTF-8, which has no form for a name's bytes that are not
// UTF-8: the shell makes each argument from octal escapes and starts the program with them.
QStringList ProgramByteArguments(const QStringList& files) {
    QStringList arguments = {"-c",
                             "program=$0; for escaped; do set -- \"$@\" \"$(printf '%b' "
                             "\"$escaped\")\"; shift; done; exec \"$program\" \"$@\"",
                             TABRIX_BINARY_DIR "/bin/tabrix-pro"};
    for (const QString& file : files) {
        QString escaped;
        for (const char byte : LocalPath(file))
            escaped += QString("\\0%1").arg(static_cast<unsigned char>(byte), 3, 8, QChar('0'));
        arguments << escaped;
    }
    return arguments;
}

} // namespace

ProgramOnDesktop::ProgramOnDesktop(const XDesktop& desktop, const QString& home,
                                   const QStringList& files)
    : desktop(desktop) {
    QProcessEnvironment environment = desktop.Environment();
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/.config");
    environment.insert("XDG_DATA_HOME", home + "/.local/share");
    environment.insert("XDG_CACHE_HOME", home + "/.cache");
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start("/bin/sh", ProgramByteArguments(files));
    process.waitForStarted(StartTimeout);
}

ProgramOnDesktop::~ProgramOnDesktop() {
    Stop(process);
}

QString ProgramOnDesktop::MainWindow() {
    if (window.isEmpty())
        // Its caption has a space after the name even without a file; a question has none.
        window = WindowNamed("^Tabrix Pro ", StartTimeout);
    return window;
}

QString ProgramOnDesktop::WindowNamed(const QString& pattern, int milliseconds) const {
    const QString pid = QString::number(process.processId());
    const QDeadlineTimer deadline(milliseconds);
    do {
        // The first mapped window of the process with such a caption.
        const QStringList found =
            desktop.Tool("xdotool", {"search", "--onlyvisible", "--pid", pid, "--name", pattern})
                .split('\n', Qt::SkipEmptyParts);
        if (!found.isEmpty())
            return found.first();
        QThread::msleep(PollInterval);
    } while (!deadline.hasExpired() && Running());
    return {};
}

QRect ProgramOnDesktop::OuterBounds(const QString& id) const {
    const auto measure = [&] {
        const QString report = desktop.Tool("xwininfo", {"-id", id});
        QList<int> frame =
            NumbersIn(desktop.Tool("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}).section('=', 1));
        if (frame.size() < 4)
            frame = {0, 0, 0, 0};
        // _NET_FRAME_EXTENTS: left, right, top, bottom.
        return QRect(XwininfoValue(report, "Absolute upper-left X") - frame[0],
                     XwininfoValue(report, "Absolute upper-left Y") - frame[2],
                     XwininfoValue(report, "Width") + frame[0] + frame[1],
                     XwininfoValue(report, "Height") + frame[2] + frame[3]);
    };
    // Stopped moving: the same bounds over a few readings in a row.
    QRect last = measure();
    int same = 0;
    const QDeadlineTimer deadline(StartTimeout);
    while (same < 6 && !deadline.hasExpired()) {
        QThread::msleep(PollInterval * 2);
        const QRect now = measure();
        same = now == last ? same + 1 : 0;
        last = now;
    }
    return last;
}

QString ProgramOnDesktop::Caption(const QString& id) const {
    const QString property = desktop.Tool("xprop", {"-id", id, "_NET_WM_NAME"});
    const qsizetype open = property.indexOf('"');
    const qsizetype close = property.lastIndexOf('"');
    return open >= 0 && close > open ? property.mid(open + 1, close - open - 1) : QString();
}

QString ProgramOnDesktop::WindowTypes(const QString& id) const {
    return desktop.Tool("xprop", {"-id", id, "_NET_WM_WINDOW_TYPE"});
}

QStringList ProgramOnDesktop::Captions() const {
    QStringList captions;
    const QStringList windows =
        desktop
            .Tool("xdotool", {"search", "--onlyvisible", "--pid",
                              QString::number(process.processId()), "--name", ""})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : windows) {
        if (const QString caption = Caption(id); !caption.isEmpty())
            captions << caption;
    }
    return captions;
}

bool ProgramOnDesktop::ShowsCaption(const QString& caption) const {
    const QDeadlineTimer deadline(StartTimeout);
    while (!deadline.hasExpired()) {
        if (Captions().contains(caption))
            return true;
        QThread::msleep(PollInterval);
    }
    return false;
}

void ProgramOnDesktop::Activate(const QString& id) const {
    // Without a window manager nobody answers activation requests: focus it directly.
    desktop.Tool("xdotool",
                 {desktop.HasWindowManager() ? "windowactivate" : "windowfocus", "--sync", id});
}

void ProgramOnDesktop::Keys(const QString& keys) const {
    desktop.Tool("xdotool", QStringList{"key", "--delay", "60"} + keys.split(' '));
}

BackgroundKeys::BackgroundKeys(const XDesktop& desktop, const QString& commands)
    : desktop(desktop) {
    const QStringList words = commands.split(' ');
    // The key names: what is neither a command, an option, nor an option's or sleep's number.
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == "sleep" || words[i].startsWith("--"))
            ++i;
        else if (words[i] != "key")
            keys << words[i];
    }
    tool.setProcessEnvironment(desktop.Environment());
    tool.start("xdotool", words);
    tool.waitForStarted(StartTimeout);
}

BackgroundKeys::~BackgroundKeys() {
    Stop(tool);
    if (!keys.isEmpty())
        desktop.Tool("xdotool", QStringList{"keyup"} + keys);
}

std::unique_ptr<BackgroundKeys> ProgramOnDesktop::StartKeys(const QString& commands) const {
    return std::make_unique<BackgroundKeys>(desktop, commands);
}

void ProgramOnDesktop::Click(const QString& id, QPoint point, int button) const {
    // Not "mousemove --sync": it waits for a motion that never comes when the pointer is
    // already there.
    desktop.Tool("xdotool",
                 {"mousemove", "--window", id, QString::number(point.x()),
                  QString::number(point.y()), "sleep", "0.2", "click", QString::number(button)});
}

bool ProgramOnDesktop::WaitForExit(int milliseconds) {
    return process.state() == QProcess::NotRunning || process.waitForFinished(milliseconds);
}

void ProgramOnDesktop::Kill() {
    process.kill();
    process.waitForFinished(StartTimeout);
}

QString SettingsFileIn(const QString& home) {
    return QDir(home).filePath(".config/Tabrix_Pro/tabrix_pro.ini");
}
