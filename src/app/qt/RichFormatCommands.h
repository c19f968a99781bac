#pragma once
// The Format menu: the look of the rich editor's selection. Its commands act in rich view only,
// where the menu shows; elsewhere they do nothing.

#include "app/qt/Document.h"
#include "richedit/qt/RichFormatting.h"

#include <functional>
#include <optional>

class Dialogs;
class TRxRichEdit;

class TRichFormatCommands {
public:
    // lookChanged: a paragraph's look changed, which moves no caret; the menu's checks follow.
    TRichFormatCommands(Dialogs& dialogs, CurrentDocumentSource current,
                        std::function<void()> lookChanged);

    void mniBoldClick(bool on);
    void mniItalicClick(bool on);
    void mniUnderlineClick(bool on);
    void mniStrikeOutClick(bool on);
    void mniFormatFontClick();
    void mniTextColourClick();
    void mniHighlightColourClick();
    void mniAlignClick(int alignment);
    void mniBulletsClick();
    void mniNumberingClick();
    void mniIndentClick(int steps);

    // The look the menu's checks show; none outside rich view.
    std::optional<RichSelectionLook> SelectionLook();

private:
    // The current rich editor when the current document is in rich view, else none.
    TRxRichEdit* Target();

    Dialogs& dialogs;
    CurrentDocumentSource current;
    std::function<void()> lookChanged;
};
