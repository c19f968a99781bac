// The editor in Qt's Fusion style with a dark palette, as a dark desktop theme gives it, for the
// screenshot of the code view on a dark desktop in docs/screenshots. Usage: dark-theme-shot
// [FILE...]

#include "app/qt/MainWindow.h"
#include "platform/qt/Application.h"
#include "platform/qt/Dialogs.h"

#include <QPalette>
#include <QStyleFactory>
#include <utility>

namespace {

// Fusion's dark colours, role by role.
QPalette DarkPalette() {
    const QColor window(53, 53, 53), base(0x3D, 0x3D, 0x3D), text(Qt::white);
    QPalette palette;
    for (const auto& [role, color] :
         {std::pair{QPalette::Window, window}, std::pair{QPalette::WindowText, text},
          std::pair{QPalette::Base, base}, std::pair{QPalette::AlternateBase, window},
          std::pair{QPalette::Text, text}, std::pair{QPalette::Button, window},
          std::pair{QPalette::ButtonText, text}, std::pair{QPalette::ToolTipBase, window},
          std::pair{QPalette::ToolTipText, text},
          std::pair{QPalette::Highlight, QColor(42, 130, 218)},
          std::pair{QPalette::HighlightedText, QColor(Qt::black)}})
        palette.setColor(role, color);
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
    return palette;
}

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    QApplication::setApplicationName("Tabrix Pro");
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(DarkPalette());
    QtDialogs dialogs;
    QStringList files = QApplication::arguments();
    files.removeFirst();
    TForm1 window(dialogs, files);
    dialogs.SetParent(&window);
    window.show();
    return QApplication::exec();
}
