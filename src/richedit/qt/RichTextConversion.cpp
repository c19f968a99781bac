#include "richedit/qt/RichTextConversion.h"

#include <QBrush>
#include <QColor>
#include <QElapsedTimer>
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

RichParagraph ReadParagraph(const QTextBlock& block, const QFont& defaultFont) {
    RichParagraph paragraph;
    paragraph.alignment = ToAlignment(block.blockFormat().alignment());
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextFragment part = fragment.fragment();
        AppendRun(paragraph, FragmentText(part.text()),
                  ToRichFormat(part.charFormat(), defaultFont));
    }
    return paragraph;
}

} // namespace

void ToTextDocument(const RichDocument& document, QTextDocument& target,
                    const ProgressHook& progress) {
    std::uint64_t total = 0;
    for (const RichParagraph& paragraph : document.paragraphs) {
        for (const RichRun& run : paragraph.runs)
            total += run.text.size() + 1;
    }
    ProgressReporter reporter(progress, total);
    std::uint64_t done = 0;
    const bool history = target.isUndoRedoEnabled();
    target.setUndoRedoEnabled(false);
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
            done += run.text.size() + 1;
        }
        // The text is laid out and may be painted only outside an edit block.
        if (reporter.Due(done)) {
            cursor.endEditBlock();
            reporter.Advance(done);
            cursor.beginEditBlock();
        }
    }
    cursor.endEditBlock();
    target.setUndoRedoEnabled(history);
}

RichDocument FromTextDocument(const QTextDocument& source, const ProgressHook& progress) {
    RichDocument document;
    const QFont defaultFont = source.defaultFont();
    ProgressReporter reporter(progress, std::uint64_t(source.characterCount()));
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        reporter.Advance(std::uint64_t(block.position()));
        document.paragraphs.push_back(ReadParagraph(block, defaultFont));
    }
    return document;
}

RichTextReader::RichTextReader(const QTextDocument& source)
    : source(source),
      watch(QObject::connect(&source, &QTextDocument::contentsChanged, [this] { edited = true; })) {
    StartOver();
}

RichTextReader::~RichTextReader() {
    QObject::disconnect(watch);
}

void RichTextReader::StartOver() {
    edited = false;
    defaultFont = source.defaultFont();
    next = source.begin();
    document = RichDocument();
}

bool RichTextReader::ReadFor(std::chrono::milliseconds budget) {
    // The block to read next may be gone.
    if (edited)
        StartOver();
    QElapsedTimer clock;
    clock.start();
    // The clock is asked every few paragraphs: asking costs more than a short paragraph.
    for (int read = 0; next.isValid(); ++read) {
        if (read % 64 == 63 && clock.elapsed() >= budget.count())
            return false;
        document.paragraphs.push_back(ReadParagraph(next, defaultFont));
        next = next.next();
    }
    return true;
}
