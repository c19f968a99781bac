#include "app/qt/ToolIcons.h"

// The icons live in a static library, so the linker would drop their resource data unless
// something refers to it. Q_INIT_RESOURCE must be used outside any namespace.
static bool RegisterIconResources() {
    Q_INIT_RESOURCE(icons);
    return true;
}

QIcon ToolIcon(const QString& themeName) {
    [[maybe_unused]] static const bool registered = RegisterIconResources();
    return QIcon::fromTheme(themeName, QIcon(QStringLiteral(":/icons/%1.svg").arg(themeName)));
}
