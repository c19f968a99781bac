#include "richedit/qt/RichTextConversion.h"

#include <QBrush>
#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <cmath>

namespace {

QColor ToQColor(TColor color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor ToColor(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush) {
        return clNone;
    }
    const QColor color = brush.color().toRgb();
    return RGB(unsigned(color.red()), unsigned(color.green()), unsigned(color.blue()));
}

Qt::Alignment ToQtAlignment(RichAlignment alignment) {
    switch (alignment) {
    case RichAlignment::Center:
        return Qt::AlignHCenter;
    case RichAlignment::Right:
        return Qt::AlignRight;
    case RichAlignment::Justify:
        return Qt::AlignJustify;
    case RichAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

RichAlignment ToAlignment(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) {
        return RichAlignment::Center;
    }
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) {
        return RichAlignment::Right;
    }
    if (alignment & Qt::AlignJustify) {
        return RichAlignment::Justify;
    }
    return RichAlignment::Left;
}

QTextCharFormat ToCharFormat(const RichCharFormat& format) {
    QTextCharFormat result;
    if (!format.fontName.empty()) {
        result.setFontFamilies({QString::fromStdString(format.fontName)});
    }
    result.setFontPointSize(format.halfPoints / 2.0);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strikeOut);
    if (format.color != clNone) {
        result.setForeground(ToQColor(format.color));
    }
    if (format.highlight != clNone) {
        result.setBackground(ToQColor(format.highlight));
    }
    return result;
}

RichCharFormat ToRichFormat(const QTextCharFormat& format, const QFont& defaultFont) {
    const QFont font = format.font().resolve(defaultFont);
    RichCharFormat result;
    result.fontName = font.family().toStdString();
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : defaultFont.pointSizeF();
    result.halfPoints = std::max(1, int(std::lround(points * 2)));
    result.bold = font.weight() >= QFont::DemiBold;
    result.italic = font.italic();
    result.underline = font.underline();
    result.strikeOut = font.strikeOut();
    result.color = ToColor(format.foreground());
    result.highlight = ToColor(format.background());
    return result;
}

// Object replacement characters stand for images we do not keep.
std::string FragmentText(const QString& text) {
    QString kept = text;
    kept.remove(QChar::ObjectReplacementCharacter);
    return kept.toStdString();
}

} // namespace

void ToTextDocument(const RichDocument& document, QTextDocument& target) {
    target.clear();
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    bool first = true;
    for (const RichParagraph& paragraph : document.paragraphs) {
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(ToQtAlignment(paragraph.alignment));
        if (first) {
            cursor.setBlockFormat(blockFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, QTextCharFormat());
        }
        for (const RichRun& run : paragraph.runs) {
            cursor.insertText(QString::fromStdString(run.text), ToCharFormat(run.format));
        }
    }
    cursor.endEditBlock();
}

RichDocument FromTextDocument(const QTextDocument& source) {
    RichDocument document;
    const QFont defaultFont = source.defaultFont();
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        RichParagraph paragraph;
        paragraph.alignment = ToAlignment(block.blockFormat().alignment());
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            AppendRun(paragraph, FragmentText(part.text()),
                      ToRichFormat(part.charFormat(), defaultFont));
        }
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}
