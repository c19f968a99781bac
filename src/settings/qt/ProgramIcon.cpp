#include "settings/qt/ProgramIcon.h"

// The icon lives in a static library, so the linker would drop its resource data unless
// something refers to it. Q_INIT_RESOURCE must be used outside any namespace.
static bool RegisterProgramIconResource() {
    Q_INIT_RESOURCE(programicon);
    return true;
}

QIcon TabrixProgramIcon() {
    [[maybe_unused]] static const bool registered = RegisterProgramIconResource();
    return QIcon(QStringLiteral(":/program/tabrix-pro.svg"));
}
