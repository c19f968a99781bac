#pragma once
// The questions of the font and colour commands and the font arithmetic of the quick font and
// font size commands. The window applies the answers to every editor; nothing here changes one.

#include "platform/Color.h"
#include "settings/qt/QuickFont.h"

#include <QFont>
#include <optional>

class Dialogs;
class QPalette;
class TSynEditWidget;

// The colour dialog started at `current`; nothing on Cancel.
std::optional<TColor> AskColor(Dialogs& dialogs, TColor current, const QPalette& palette);

struct EditorFont {
    QFont font;
    TColor color;
};

enum class FontPitch { Any, FixedOnly };

// The font dialog started at the model editor's font and colour; a colour the dialog leaves
// unset keeps the model's. Nothing on Cancel.
std::optional<EditorFont> AskFont(Dialogs& dialogs, const TSynEditWidget& model, FontPitch pitch,
                                  const QPalette& palette);

// font with the quick font's face and size; its style stays.
QFont WithFaceAndSize(QFont font, const QuickFont& choice);
QFont WithSizeChangedBy(QFont font, int points);
