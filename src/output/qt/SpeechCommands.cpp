#include "output/qt/SpeechCommands.h"

#include "codeedit/qt/Memo.h"
#include "platform/Speech.h"
#include "platform/SpeechSettings.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EncodingQt.h"
#include "platform/qt/Shell.h"
#include "textfuncs/Transliteration.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace {

// While speaking, the window goes on painting but takes no input; Escape asks to stop.
class EscapeWatcher : public QObject {
public:
    EscapeWatcher() { QCoreApplication::instance()->installEventFilter(this); }
    ~EscapeWatcher() override { QCoreApplication::instance()->removeEventFilter(this); }
    EscapeWatcher(const EscapeWatcher&) = delete;
    EscapeWatcher& operator=(const EscapeWatcher&) = delete;

    bool Pressed() const { return pressed; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            pressed = true;
        return IsInput(event->type());
    }

private:
    static bool IsInput(QEvent::Type type) {
        switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::InputMethod:
        case QEvent::Close:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }

    bool pressed = false;
};

} // namespace

void SpeakText(Dialogs& dialogs, Speech& speech, const TMemo& plainEditor) {
    std::string text = plainEditor.SelText();
    if (text.empty())
        text = plainEditor.Text();
    if (text.empty())
        return;
    const Encoding& encoding = plainEditor.Engine().TextEncoding();
    const QByteArray utf8 = ToQString(CyrillicToLatin(text, encoding), encoding).toUtf8();
    EscapeWatcher escape;
    const std::optional<std::string> error = speech.Speak(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), [&escape] {
            QCoreApplication::processEvents();
            return !escape.Pressed();
        });
    if (error)
        dialogs.ShowError("Tabrix Pro", QString::fromStdString(*error));
}

void OpenSpeechSettings(Dialogs& dialogs, Registry& registry) {
    const std::optional<std::string> command = SpeechSettingsCommandLine(registry);
    if (!command) {
        QStringList names;
        for (const std::string_view name : SoundSettingsProgramNames())
            names << QString::fromUtf8(name.data(), qsizetype(name.size()));
        dialogs.ShowError("Tabrix Pro", "This desktop has no program for the speech settings. "
                                        "Install one of these: " +
                                            names.join(", ") + ".");
        return;
    }
    const QString commandLine = QString::fromStdString(*command);
    if (!ShellStart(commandLine))
        dialogs.ShowError("Tabrix Pro", "Cannot start the speech settings: " + commandLine + ".");
}
