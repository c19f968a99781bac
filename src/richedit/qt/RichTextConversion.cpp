#include "richedit/qt/RichTextConversion.h"

#include <QBrush>
#include <QBuffer>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <atomic>
#include <cmath>
#include <map>
#include <unordered_map>
#include <utility>

namespace {

// What QTextFormat has no property of its own for, kept beside the format's own properties.
enum Property {
    FontCharset = QTextFormat::UserProperty + 1,
    FontFamilyWord,
    PictureKind,
    PictureData,
    PicturePixels,
    ListNumber,
    // A cell border's width in twips, top, left, bottom, right: thin ones are drawn wider.
    BorderTwips,
};

// Lengths: twips in our documents, pixels at 96 per inch in QTextDocument.
constexpr double kTwipsPerPixel = 15;

double ToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

int ToTwips(double pixels) {
    return int(std::lround(pixels * kTwipsPerPixel));
}

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
    if (!format.fontFamily.empty()) {
        static const std::map<std::string, QFont::StyleHint> kHints = {
            {"roman", QFont::Serif},
            {"swiss", QFont::SansSerif},
            {"modern", QFont::TypeWriter},
            {"script", QFont::Cursive},
            {"decor", QFont::Decorative}};
        const auto hint = kHints.find(format.fontFamily);
        if (hint != kHints.end()) {
            result.setFontStyleHint(hint->second);
        }
        result.setProperty(FontFamilyWord, QString::fromStdString(format.fontFamily));
    }
    if (format.fontCharset >= 0) {
        result.setProperty(FontCharset, format.fontCharset);
    }
    if (!format.link.empty()) {
        result.setAnchor(true);
        result.setAnchorHref(QString::fromStdString(format.link));
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
    result.fontFamily = format.stringProperty(FontFamilyWord).toStdString();
    result.fontCharset = format.hasProperty(FontCharset) ? format.intProperty(FontCharset) : -1;
    if (format.isAnchor()) {
        result.link = format.anchorHref().toStdString();
    }
    return result;
}

// A picture the editor cannot draw: a framed box, stretched to the picture's size.
QImage Placeholder() {
    QImage box(32, 32, QImage::Format_RGB32);
    box.fill(QColor(230, 230, 230));
    QPainter painter(&box);
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(0, 0, 31, 31);
    painter.drawLine(0, 0, 31, 31);
    painter.drawLine(0, 31, 31, 0);
    return box;
}

QTextImageFormat ToImageFormat(const RichPicture& picture, const RichCharFormat& format,
                               QTextDocument& target) {
    static std::atomic<unsigned> serial = 0;
    const QString name = QStringLiteral("tabrix-picture:%1").arg(++serial);
    QImage image;
    if (picture.kind != RichPicture::Kind::Other) {
        image.loadFromData(reinterpret_cast<const uchar*>(picture.data.data()),
                           int(picture.data.size()));
    }
    if (image.isNull()) {
        image = Placeholder();
    }
    target.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat result;
    result.merge(ToCharFormat(format));
    result.setName(name);
    result.setWidth(picture.width > 0 ? ToPixels(picture.width) : image.width());
    result.setHeight(picture.height > 0 ? ToPixels(picture.height) : image.height());
    result.setProperty(PictureKind, int(picture.kind));
    result.setProperty(PictureData,
                       QByteArray(picture.data.data(), qsizetype(picture.data.size())));
    result.setProperty(PicturePixels, QSize(picture.pixelWidth, picture.pixelHeight));
    return result;
}

RichPicture ToPicture(const QTextImageFormat& format, const QTextDocument& source) {
    RichPicture picture;
    const QImage image =
        source.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    if (format.hasProperty(PictureData)) {
        picture.kind = RichPicture::Kind(format.intProperty(PictureKind));
        const QByteArray data = format.property(PictureData).toByteArray();
        picture.data.assign(data.constData(), std::size_t(data.size()));
        const QSize pixels = format.property(PicturePixels).toSize();
        picture.pixelWidth = pixels.width();
        picture.pixelHeight = pixels.height();
    } else {
        // Pasted: kept as PNG.
        picture.kind = RichPicture::Kind::Png;
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        picture.data.assign(data.constData(), std::size_t(data.size()));
        picture.pixelWidth = image.width();
        picture.pixelHeight = image.height();
    }
    picture.width = ToTwips(format.width() > 0 ? format.width() : image.width());
    picture.height = ToTwips(format.height() > 0 ? format.height() : image.height());
    return picture;
}

// Our list and border styles beside Qt's; the first row is what either side falls back to.
constexpr std::pair<RichListStyle, QTextListFormat::Style> kListStyles[] = {
    {RichListStyle::Bullet, QTextListFormat::ListDisc},
    {RichListStyle::Decimal, QTextListFormat::ListDecimal},
    {RichListStyle::LowerAlpha, QTextListFormat::ListLowerAlpha},
    {RichListStyle::UpperAlpha, QTextListFormat::ListUpperAlpha},
    {RichListStyle::LowerRoman, QTextListFormat::ListLowerRoman},
    {RichListStyle::UpperRoman, QTextListFormat::ListUpperRoman},
};
constexpr std::pair<RichBorderStyle, QTextFrameFormat::BorderStyle> kBorderStyles[] = {
    {RichBorderStyle::Single, QTextFrameFormat::BorderStyle_Solid},
    {RichBorderStyle::None, QTextFrameFormat::BorderStyle_None},
    {RichBorderStyle::Double, QTextFrameFormat::BorderStyle_Double},
    {RichBorderStyle::Dotted, QTextFrameFormat::BorderStyle_Dotted},
    {RichBorderStyle::Dashed, QTextFrameFormat::BorderStyle_Dashed},
};

template <class Ours, class Qts, std::size_t N>
Qts QtStyleOf(const std::pair<Ours, Qts> (&rows)[N], Ours ours) {
    for (const auto& [mine, theirs] : rows) {
        if (mine == ours)
            return theirs;
    }
    return rows[0].second;
}

template <class Ours, class Qts, std::size_t N>
Ours StyleOf(const std::pair<Ours, Qts> (&rows)[N], Qts qts) {
    for (const auto& [mine, theirs] : rows) {
        if (theirs == qts)
            return mine;
    }
    return rows[0].first;
}

QTextListFormat::Style ToQtListStyle(RichListStyle style) {
    return QtStyleOf(kListStyles, style);
}

RichListStyle ToListStyle(QTextListFormat::Style style) {
    return StyleOf(kListStyles, style);
}

QTextBlockFormat ToBlockFormat(const RichParagraph& paragraph) {
    QTextBlockFormat format;
    format.setAlignment(ToQtAlignment(paragraph.alignment));
    format.setTopMargin(ToPixels(paragraph.spaceBefore));
    format.setBottomMargin(ToPixels(paragraph.spaceAfter));
    format.setTextIndent(ToPixels(paragraph.firstLineIndent));
    format.setLeftMargin(ToPixels(paragraph.leftIndent));
    format.setRightMargin(ToPixels(paragraph.rightIndent));
    if (paragraph.lineMultiple && paragraph.lineSpacing != 0) {
        format.setLineHeight(std::abs(paragraph.lineSpacing) * 100.0 / 240,
                             QTextBlockFormat::ProportionalHeight);
    } else if (paragraph.lineSpacing > 0) {
        format.setLineHeight(ToPixels(paragraph.lineSpacing), QTextBlockFormat::MinimumHeight);
    } else if (paragraph.lineSpacing < 0) {
        format.setLineHeight(ToPixels(-paragraph.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    if (paragraph.pageBreakBefore) {
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    }
    return format;
}

void ReadBlockFormat(const QTextBlockFormat& format, RichParagraph& paragraph) {
    paragraph.alignment = ToAlignment(format.alignment());
    paragraph.spaceBefore = ToTwips(format.topMargin());
    paragraph.spaceAfter = ToTwips(format.bottomMargin());
    paragraph.firstLineIndent = ToTwips(format.textIndent());
    paragraph.leftIndent = ToTwips(format.leftMargin());
    paragraph.rightIndent = ToTwips(format.rightMargin());
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        paragraph.lineMultiple = true;
        paragraph.lineSpacing = int(std::lround(format.lineHeight() * 240 / 100));
        break;
    case QTextBlockFormat::MinimumHeight:
        paragraph.lineSpacing = ToTwips(format.lineHeight());
        break;
    case QTextBlockFormat::FixedHeight:
        paragraph.lineSpacing = -ToTwips(format.lineHeight());
        break;
    default:
        break;
    }
    paragraph.pageBreakBefore = format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

QTextFrameFormat::BorderStyle ToQtBorderStyle(RichBorderStyle style) {
    return QtStyleOf(kBorderStyles, style);
}

RichBorderStyle ToBorderStyle(QTextFrameFormat::BorderStyle style) {
    return StyleOf(kBorderStyles, style);
}

QTextTableCellFormat ToCellFormat(const RichCell& cell) {
    QTextTableCellFormat format;
    const auto side = [](const RichBorder& border, auto setWidth, auto setStyle, auto setBrush,
                         QTextTableCellFormat& target) {
        if (border == RichBorder{}) {
            return;
        }
        // Hairlines and thinner borders are drawn a pixel wide.
        (target.*setWidth)(
            border.style == RichBorderStyle::None ? 0.0 : std::max(1.0, ToPixels(border.width)));
        (target.*setStyle)(ToQtBorderStyle(border.style));
        (target.*setBrush)(border.color != clNone ? QBrush(ToQColor(border.color))
                                                  : QBrush(Qt::black));
    };
    side(cell.top, &QTextTableCellFormat::setTopBorder, &QTextTableCellFormat::setTopBorderStyle,
         &QTextTableCellFormat::setTopBorderBrush, format);
    side(cell.left, &QTextTableCellFormat::setLeftBorder, &QTextTableCellFormat::setLeftBorderStyle,
         &QTextTableCellFormat::setLeftBorderBrush, format);
    side(cell.bottom, &QTextTableCellFormat::setBottomBorder,
         &QTextTableCellFormat::setBottomBorderStyle, &QTextTableCellFormat::setBottomBorderBrush,
         format);
    side(cell.right, &QTextTableCellFormat::setRightBorder,
         &QTextTableCellFormat::setRightBorderStyle, &QTextTableCellFormat::setRightBorderBrush,
         format);
    const RichBorder* sides[] = {&cell.top, &cell.left, &cell.bottom, &cell.right};
    for (int i = 0; i < 4; ++i) {
        format.setProperty(BorderTwips + i, sides[i]->width);
    }
    if (cell.shading != clNone) {
        format.setBackground(ToQColor(cell.shading));
    }
    format.setPadding(3);
    return format;
}

RichCell ToCell(const QTextTableCellFormat& format, double width) {
    RichCell cell;
    cell.width = std::max(1, ToTwips(width));
    const auto side = [&](int index, QTextFormat::Property styleProperty,
                          QTextFormat::Property brushProperty) {
        RichBorder border;
        if (!format.hasProperty(styleProperty)) {
            return border;
        }
        border.style =
            ToBorderStyle(QTextFrameFormat::BorderStyle(format.intProperty(styleProperty)));
        border.width = format.intProperty(BorderTwips + index);
        border.color = ToColor(format.brushProperty(brushProperty));
        return border;
    };
    cell.top = side(0, QTextFormat::TableCellTopBorderStyle, QTextFormat::TableCellTopBorderBrush);
    cell.left =
        side(1, QTextFormat::TableCellLeftBorderStyle, QTextFormat::TableCellLeftBorderBrush);
    cell.bottom =
        side(2, QTextFormat::TableCellBottomBorderStyle, QTextFormat::TableCellBottomBorderBrush);
    cell.right =
        side(3, QTextFormat::TableCellRightBorderStyle, QTextFormat::TableCellRightBorderBrush);
    cell.shading = ToColor(format.background());
    return cell;
}

// Fills a QTextDocument paragraph by paragraph, tables and lists included.
class TextDocumentWriter {
public:
    TextDocumentWriter(const RichDocument& document, QTextDocument& target)
        : document(document), target(target), cursor(&target) {}

    void Write(const ProgressHook& progress);

private:
    // Puts the paragraph into the block at the cursor (fresh) or a new block after it.
    void WriteParagraph(const RichParagraph& paragraph, bool fresh);
    std::size_t WriteTable(std::size_t first);

    const RichDocument& document;
    QTextDocument& target;
    QTextCursor cursor;
    std::map<std::pair<int, int>, QTextList*> lists;
};

std::uint64_t TextBytes(const RichParagraph& paragraph) {
    std::uint64_t bytes = 1;
    for (const RichRun& run : paragraph.runs) {
        bytes += run.text.size();
    }
    return bytes;
}

void TextDocumentWriter::Write(const ProgressHook& progress) {
    std::uint64_t total = 0;
    for (const RichParagraph& paragraph : document.paragraphs) {
        total += TextBytes(paragraph);
    }
    ProgressReporter reporter(progress, total);
    std::uint64_t done = 0;
    cursor.beginEditBlock();
    bool fresh = true;
    for (std::size_t i = 0; i < document.paragraphs.size();) {
        const RichParagraph& paragraph = document.paragraphs[i];
        if (paragraph.table >= 0 && std::size_t(paragraph.table) < document.tables.size()) {
            const std::size_t end = WriteTable(i);
            for (; i < end; ++i) {
                done += TextBytes(document.paragraphs[i]);
            }
            fresh = true;
        } else {
            WriteParagraph(paragraph, fresh);
            fresh = false;
            done += TextBytes(paragraph);
            ++i;
        }
        // The text is laid out and may be painted only outside an edit block.
        if (reporter.Due(done)) {
            cursor.endEditBlock();
            reporter.Advance(done);
            cursor.beginEditBlock();
        }
    }
    cursor.endEditBlock();
}

void TextDocumentWriter::WriteParagraph(const RichParagraph& paragraph, bool fresh) {
    const QTextBlockFormat blockFormat = ToBlockFormat(paragraph);
    if (fresh) {
        cursor.setBlockFormat(blockFormat);
    } else {
        cursor.insertBlock(blockFormat, QTextCharFormat());
    }
    if (paragraph.list >= 0) {
        QTextList*& list = lists[{paragraph.list, paragraph.listLevel}];
        if (list != nullptr) {
            list->add(cursor.block());
        } else {
            QTextListFormat listFormat;
            listFormat.setStyle(ToQtListStyle(paragraph.listStyle));
            listFormat.setIndent(paragraph.listLevel + 1);
            listFormat.setProperty(ListNumber, paragraph.list);
            list = cursor.createList(listFormat);
        }
    }
    for (const RichRun& run : paragraph.runs) {
        if (run.picture >= 0 && std::size_t(run.picture) < document.pictures.size()) {
            cursor.insertImage(
                ToImageFormat(document.pictures[std::size_t(run.picture)], run.format, target));
        } else {
            cursor.insertText(QString::fromStdString(run.text), ToCharFormat(run.format));
        }
    }
}

std::size_t TextDocumentWriter::WriteTable(std::size_t first) {
    const int tableIndex = document.paragraphs[first].table;
    const RichTable& table = document.tables[std::size_t(tableIndex)];
    std::size_t end = first;
    int rows = int(table.rows.size());
    int columns = 0;
    for (const RichTableRow& row : table.rows) {
        columns = std::max(columns, int(row.cells.size()));
    }
    for (; end < document.paragraphs.size() && document.paragraphs[end].table == tableIndex;
         ++end) {
        rows = std::max(rows, document.paragraphs[end].row + 1);
        columns = std::max(columns, document.paragraphs[end].column + 1);
    }
    QTextTableFormat format;
    format.setBorder(0);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(3);
    format.setAlignment(Qt::AlignLeft);
    QList<QTextLength> widths(columns, QTextLength());
    for (const RichTableRow& row : table.rows) {
        if (int(row.cells.size()) == columns) {
            for (int c = 0; c < columns; ++c) {
                widths[c] = QTextLength(QTextLength::FixedLength,
                                        ToPixels(row.cells[std::size_t(c)].width));
            }
            break;
        }
    }
    format.setColumnWidthConstraints(widths);
    QTextTable* qtTable = cursor.insertTable(rows, columns, format);
    for (int r = 0; r < int(table.rows.size()); ++r) {
        const std::vector<RichCell>& cells = table.rows[std::size_t(r)].cells;
        for (int c = 0; c < int(cells.size()); ++c) {
            qtTable->cellAt(r, c).setFormat(ToCellFormat(cells[std::size_t(c)]));
        }
    }
    std::pair<int, int> cell{-1, -1};
    for (std::size_t i = first; i < end; ++i) {
        const RichParagraph& paragraph = document.paragraphs[i];
        const bool fresh = cell != std::pair(paragraph.row, paragraph.column);
        if (fresh) {
            cell = {paragraph.row, paragraph.column};
            cursor = qtTable->cellAt(paragraph.row, paragraph.column).firstCursorPosition();
        }
        WriteParagraph(paragraph, fresh);
    }
    cursor = qtTable->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    return end;
}

} // namespace

namespace detail {

// Reads a QTextDocument block by block, keeping what the blocks read so far share: their
// tables, lists and pictures.
class TextDocumentReader {
public:
    explicit TextDocumentReader(const QTextDocument& source)
        : source(source), defaultFont(source.defaultFont()) {}

    void Read(const QTextBlock& block);
    RichDocument& Result() { return document; }

private:
    void ReadCell(const QTextBlock& block, QTextTable& table, RichParagraph& paragraph);
    void ReadList(const QTextList& list, RichParagraph& paragraph);

    const QTextDocument& source;
    QFont defaultFont;
    RichDocument document;
    std::unordered_map<const QTextTable*, int> tables;
    std::unordered_map<const QTextList*, int> lists;
};

void TextDocumentReader::Read(const QTextBlock& block) {
    // The blocks Qt keeps before a table at the start and after one at the end are no
    // paragraphs of the text.
    const bool empty = block.length() == 1 && QTextCursor(block).currentTable() == nullptr;
    const auto inTable = [](const QTextBlock& other) {
        return other.isValid() && QTextCursor(other).currentTable() != nullptr;
    };
    if (empty && ((!block.next().isValid() && inTable(block.previous())) ||
                  (!block.previous().isValid() && inTable(block.next())))) {
        return;
    }
    RichParagraph paragraph;
    ReadBlockFormat(block.blockFormat(), paragraph);
    if (QTextTable* table = QTextCursor(block).currentTable()) {
        ReadCell(block, *table, paragraph);
    }
    if (const QTextList* list = block.textList()) {
        ReadList(*list, paragraph);
    }
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextFragment part = fragment.fragment();
        const QTextCharFormat format = part.charFormat();
        const RichCharFormat richFormat = ToRichFormat(format, defaultFont);
        if (!format.isImageFormat()) {
            AppendRun(paragraph, part.text().toStdString(), richFormat);
            continue;
        }
        // Equal pictures side by side make one fragment.
        for (int i = 0; i < part.length(); ++i) {
            document.pictures.push_back(ToPicture(format.toImageFormat(), source));
            AppendPicture(paragraph, int(document.pictures.size()) - 1, richFormat);
        }
    }
    document.paragraphs.push_back(std::move(paragraph));
}

void TextDocumentReader::ReadCell(const QTextBlock& block, QTextTable& table,
                                  RichParagraph& paragraph) {
    auto [known, added] = tables.try_emplace(&table, int(document.tables.size()));
    if (added) {
        const QTextTableFormat format = table.format();
        const QList<QTextLength> widths = format.columnWidthConstraints();
        RichTable& rich = document.tables.emplace_back();
        for (int r = 0; r < table.rows(); ++r) {
            RichTableRow& row = rich.rows.emplace_back();
            for (int c = 0; c < table.columns(); ++c) {
                const double width =
                    c < widths.size() && widths[c].type() == QTextLength::FixedLength
                        ? widths[c].rawValue()
                        : 96;
                row.cells.push_back(ToCell(table.cellAt(r, c).format().toTableCellFormat(), width));
            }
        }
    }
    const QTextTableCell cell = table.cellAt(block.position());
    paragraph.table = known->second;
    paragraph.row = cell.row();
    paragraph.column = cell.column();
}

void TextDocumentReader::ReadList(const QTextList& list, RichParagraph& paragraph) {
    const QTextListFormat format = list.format();
    // Lists of one number in the file stay together; lists made here get numbers of their own.
    const int own = format.hasProperty(ListNumber) ? format.intProperty(ListNumber)
                                                   : (1 << 24) + int(lists.size());
    paragraph.list = lists.try_emplace(&list, own).first->second;
    paragraph.listLevel = std::clamp(format.indent() - 1, 0, 8);
    paragraph.listStyle = ToListStyle(format.style());
}

} // namespace detail

void ToTextDocument(const RichDocument& document, QTextDocument& target,
                    const ProgressHook& progress) {
    const bool history = target.isUndoRedoEnabled();
    target.setUndoRedoEnabled(false);
    target.clear();
    TextDocumentWriter(document, target).Write(progress);
    target.setUndoRedoEnabled(history);
}

RichDocument FromTextDocument(const QTextDocument& source, const ProgressHook& progress) {
    detail::TextDocumentReader reader(source);
    ProgressReporter reporter(progress, std::uint64_t(source.characterCount()));
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        reporter.Advance(std::uint64_t(block.position()));
        reader.Read(block);
    }
    return std::move(reader.Result());
}

RichTextReader::RichTextReader(const QTextDocument& source)
    : source(source),
      watch(QObject::connect(&source, &QTextDocument::contentsChanged, [this] { edited = true; })) {
    StartOver();
}

RichTextReader::~RichTextReader() {
    QObject::disconnect(watch);
}

RichDocument& RichTextReader::Result() {
    return reader->Result();
}

void RichTextReader::StartOver() {
    edited = false;
    next = source.begin();
    reader = std::make_unique<detail::TextDocumentReader>(source);
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
        reader->Read(next);
        next = next.next();
    }
    return true;
}
