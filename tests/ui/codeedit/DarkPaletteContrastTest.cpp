// The highlighters' colours as the code editor shows them on a light and on dark desktop
// palettes: on a dark one every colour the program gives an attribute keeps a contrast of 4.5:1
// against its background and keeps its hue; on the light one every colour is the attribute's
// own. A colour set after the program's is shown as set.

#include "codeedit/ColorContrast.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/SynEdit.h"

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

struct PaletteCase {
    const char* name;
    QColor base, text; // a dark palette's editor background and text; none for the light one
};

QPalette PaletteOf(const PaletteCase& c) {
    QPalette palette = QApplication::palette();
    if (!c.base.isValid())
        return palette;
    palette.setColor(QPalette::Window, c.base.lighter(110));
    palette.setColor(QPalette::WindowText, c.text);
    palette.setColor(QPalette::Base, c.base);
    palette.setColor(QPalette::Text, c.text);
    palette.setColor(QPalette::Button, c.base.lighter(110));
    palette.setColor(QPalette::ButtonText, c.text);
    return palette;
}

// How far apart two hues are on the colour circle, in degrees; a grey (Qt's hue -1) is apart
// from every colour.
int HueDistance(TColor a, TColor b) {
    const int first = ToQColor(a).hslHue(), second = ToQColor(b).hslHue();
    if (first < 0 || second < 0)
        return first == second ? 0 : 360;
    const int apart = std::abs(first - second);
    return std::min(apart, 360 - apart);
}

TEST(DarkPaletteContrast, EveryAttributeOfEveryLanguageIsReadableOnDarkAndUnchangedOnLight) {
    const PaletteCase palettes[] = {
        {"light", {}, {}},
        {"Fusion dark", QColor(42, 42, 42), Qt::white},
        {"darker", QColor(0x3D, 0x3D, 0x3D), QColor(0xD3, 0xD3, 0xD3)},
        {"black", Qt::black, QColor(0xC0, 0xC0, 0xC0)},
    };
    for (const THighlighterClass& language : HighlighterClasses()) {
        const std::unique_ptr<TSynCustomHighlighter> highlighter = language.create();
        highlighter->ApplyFormDefaults();
        TSynEdit editor;
        editor.SetHighlighter(highlighter.get());
        for (const PaletteCase& c : palettes) {
            editor.setPalette(PaletteOf(c));
            const TSystemColors system = SystemColorsFromPalette(editor.palette());
            const TSynStyleResolver resolver = editor.StyleResolver(system);
            const bool dark = c.base.isValid();
            EXPECT_EQ(resolver.DarkTextArea(), dark) << c.name;
            for (int i = 0; i < highlighter->AttributeCount(); ++i) {
                const TSynHighlighterAttributes* attribute = highlighter->AttributeAt(i);
                const std::string where =
                    std::string(language.className) + " " + attribute->Name() + " on " + c.name;
                const TSynTokenStyle shown = resolver.TokenStyle(attribute);
                const TColor own =
                    ResolveColor(attribute->Foreground(), system, resolver.FontColor());
                if (!dark) {
                    EXPECT_EQ(shown.foreground, own) << where;
                    continue;
                }
                EXPECT_GE(ContrastRatio(shown.foreground, shown.background), kReadableContrast)
                    << where;
                if (attribute->Foreground() != clNone) {
                    EXPECT_LE(HueDistance(shown.foreground, own), 3) << where;
                }
            }
        }
    }
}

TEST(DarkPaletteContrast, AColourSetAfterTheProgramsIsShownAsSet) {
    const std::unique_ptr<TSynCustomHighlighter> html = CreateHighlighter(".html");
    TSynHighlighterAttributes* tag = html->DefaultAttribute(SYN_ATTR_KEYWORD);
    ASSERT_NE(tag, nullptr);
    const TColor chosen = RGB(60, 60, 90);
    tag->SetForeground(chosen);
    TSynEdit editor;
    editor.SetHighlighter(html.get());
    editor.setPalette(PaletteOf({"dark", QColor(0x3D, 0x3D, 0x3D), Qt::white}));
    const TSystemColors system = SystemColorsFromPalette(editor.palette());
    ASSERT_TRUE(editor.StyleResolver(system).DarkTextArea());
    EXPECT_EQ(editor.StyleResolver(system).TokenStyle(tag).foreground, chosen);
}

} // namespace
