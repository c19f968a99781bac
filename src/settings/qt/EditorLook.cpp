#include "settings/qt/EditorLook.h"

#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/SynEditWidget.h"
#include "platform/qt/Dialogs.h"

namespace {

TColor FromQColor(const QColor& color) {
    return RGB(unsigned(color.red()), unsigned(color.green()), unsigned(color.blue()));
}

} // namespace

std::optional<TColor> AskColor(Dialogs& dialogs, TColor current, const QPalette& palette) {
    if (const std::optional<QColor> chosen = dialogs.ChooseColor(ToQColor(current, palette)))
        return FromQColor(*chosen);
    return std::nullopt;
}

std::optional<EditorFont> AskFont(Dialogs& dialogs, const TSynEditWidget& model, FontPitch pitch,
                                  const QPalette& palette) {
    const FontChoice start{model.Font(), ToQColor(model.FontColor(), palette)};
    const std::optional<FontChoice> chosen =
        dialogs.ChooseFont(start, pitch == FontPitch::FixedOnly);
    if (!chosen)
        return std::nullopt;
    return EditorFont{chosen->font,
                      chosen->color.isValid() ? FromQColor(chosen->color) : model.FontColor()};
}

QFont WithFaceAndSize(QFont font, const QuickFont& choice) {
    font.setFamily(choice.face);
    font.setPointSize(choice.size);
    return font;
}

QFont WithSizeChangedBy(QFont font, int points) {
    font.setPointSize(font.pointSize() + points);
    return font;
}
