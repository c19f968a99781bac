// The coloured HTML page against the real code editor under the offscreen platform: the page
// parses back to the text the editor shows, and every character on it has the colours the
// editor paints it in (read from the editor's own pixels).

#include "codeedit/HighlighterRegistry.h"
#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/SynEdit.h"
#include "codeedit/qt/SynEditMetrics.h"
#include "output/qt/ColouredHtmlCommands.h"
#include "platform/Encoding.h"
#include "platform/qt/EncodingQt.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Look {
    QColor foreground;
    QColor background;
    bool bold = false;
    bool italic = false;
};

// A page read back: the text of its <pre> and the look of each of its UTF-16 units.
struct ReadPage {
    QString text;
    std::vector<Look> looks;
    QString error;
};

Look ApplyCss(Look look, const QString& css) {
    for (const QString& declaration : css.split(';', Qt::SkipEmptyParts)) {
        const QString name = declaration.section(':', 0, 0).trimmed();
        const QString value = declaration.section(':', 1).trimmed();
        if (name == "color")
            look.foreground = QColor(value);
        else if (name == "background-color")
            look.background = QColor(value);
        else if (name == "font-weight")
            look.bold = value == "bold";
        else if (name == "font-style")
            look.italic = value == "italic";
    }
    return look;
}

// Parses the page as XML (it is written to be both HTML5 and well-formed XML) and applies its
// style sheet's rules for pre, .class and style attributes.
ReadPage ReadBack(const QByteArray& page) {
    ReadPage result;
    QXmlStreamReader xml(page);
    std::map<QString, QString> rules;
    std::vector<Look> stack;
    bool inPre = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"style") {
            const QString sheet = xml.readElementText();
            static const QRegularExpression rule(R"(([.\w]+)\{([^}]*)\})");
            for (auto match = rule.globalMatch(sheet); match.hasNext();) {
                const auto found = match.next();
                rules[found.captured(1)] = found.captured(2);
            }
        } else if (xml.isStartElement() && xml.name() == u"pre") {
            inPre = true;
            stack.push_back(ApplyCss({}, rules["pre"]));
        } else if (xml.isStartElement() && inPre) {
            const QString ownClass = xml.attributes().value("class").toString();
            Look look = stack.back();
            if (!ownClass.isEmpty())
                look = ApplyCss(look, rules.count("." + ownClass) ? rules["." + ownClass] : "?");
            look = ApplyCss(look, xml.attributes().value("style").toString());
            stack.push_back(look);
        } else if (xml.isEndElement() && inPre) {
            stack.pop_back();
            inPre = !stack.empty();
        } else if (xml.isCharacters() && inPre) {
            result.text += xml.text();
            result.looks.insert(result.looks.end(), std::size_t(xml.text().size()), stack.back());
        }
    }
    if (xml.hasError())
        result.error = xml.errorString() + " at line " + QString::number(xml.lineNumber());
    // As an HTML parser does, drop the line break right after <pre>.
    if (result.text.startsWith('\n')) {
        result.text.remove(0, 1);
        result.looks.erase(result.looks.begin());
    }
    return result;
}

// The text as the editor shows it: each line decoded, with its display pictures, then "\n".
QString ShownText(const TSynEditStringList& lines) {
    QString shown;
    for (LineIndex i(0); i.Value() < lines.Count(); ++i) {
        QString line = ToQString(lines.Get(i), ProgramEncoding());
        SubstituteDisplayCodes(line);
        shown += line + '\n';
    }
    return shown;
}

std::string ReadBytes(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll().toStdString();
}

// Share of the way from background to foreground a pixel has gone (1: pure foreground).
double Coverage(QRgb pixel, const QColor& background, const QColor& foreground) {
    const double dr = foreground.red() - background.red(),
                 dg = foreground.green() - background.green(),
                 db = foreground.blue() - background.blue();
    const double pr = qRed(pixel) - background.red(), pg = qGreen(pixel) - background.green(),
                 pb = qBlue(pixel) - background.blue();
    const double length = dr * dr + dg * dg + db * db;
    const double along = (pr * dr + pg * dg + pb * db) / length;
    // Off the line between the two colours: another colour's ink, no coverage of ours.
    const double offR = pr - along * dr, offG = pg - along * dg, offB = pb - along * db;
    return offR * offR + offG * offG + offB * offB > 900 ? 0 : along;
}

int Distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

QRgb MostFrequent(const QImage& image, const QRect& cell) {
    std::map<QRgb, int> counts;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            ++counts[image.pixel(x, y)];
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

// Looks the default attributes of a sample never give: backgrounds, system colours, colours
// left to the editor, and an editor colour of its own for them to fall back to.
void DressUp(TSynCustomHighlighter& highlighter, TSynEditWidget& editor) {
    editor.SetFontColor(RGB(30, 70, 30));
    editor.SetColor(RGB(250, 250, 228));
    for (int i = 0; i < highlighter.AttributeCount(); ++i) {
        TSynHighlighterAttributes* attribute = highlighter.AttributeAt(i);
        switch (i % 4) {
        case 0:
            attribute->SetBackground(RGB(200, 230, unsigned(40 * i % 256)));
            break;
        case 1:
            attribute->SetForeground(clHighlight);
            attribute->SetBackground(clNone);
            break;
        case 2:
            attribute->SetForeground(clNone);
            attribute->SetBackground(clInfoBk);
            break;
        default:
            attribute->SetStyle(TFontStyles(attribute->Style() ^ fsBold));
            break;
        }
    }
}

// A palette of a dark desktop theme, as Fusion's dark variant has it.
QPalette DarkPalette() {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, QColor(53, 53, 53));
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Base, QColor(0x3D, 0x3D, 0x3D));
    palette.setColor(QPalette::Text, Qt::white);
    return palette;
}

enum class Desktop { Light, Dark };

// The first sample of a language in its editor, dressed up in looks of every kind on a light
// desktop and in the program's own colours on a dark one.
void ExpectPageInTheEditorsColours(const char* language, Desktop desktop) {
    const std::filesystem::path folder =
        std::filesystem::path(TABRIX_TEST_DATA) / "highlight" / language;
    std::filesystem::path sample;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() != ".tokens" && (sample.empty() || entry.path() < sample))
            sample = entry.path();
    ASSERT_FALSE(sample.empty()) << folder;
    SCOPED_TRACE(sample.string());
    std::unique_ptr<TSynCustomHighlighter> highlighter =
        CreateHighlighter(sample.extension().string());
    ASSERT_NE(highlighter, nullptr);
    highlighter->ApplyFormDefaults();

    TSynEdit editor;
    editor.SetFont(QFont("DejaVu Sans Mono", 14));
    editor.SetHighlighter(highlighter.get());
    if (desktop == Desktop::Light)
        DressUp(*highlighter, editor);
    else
        editor.setPalette(DarkPalette());
    editor.SetText(ReadBytes(sample));
    editor.resize(1400, 900);
    editor.show();
    QCoreApplication::processEvents();
    const QImage image = Render(editor);
    const LineIndex topLine = editor.TopLine();

    const ReadPage page = ReadBack(QByteArray::fromStdString(
        ColouredHtmlBytes({editor.Lines(), editor, editor.ColouringHighlighter(), "sample"})));
    ASSERT_TRUE(page.error.isEmpty()) << page.error.toStdString();
    ASSERT_EQ(page.text, ShownText(editor.Lines()));

    // Every character of the first screen: its cell from the editor's caret geometry, its
    // colours from the page; the cell's commonest pixel is the background, and a character
    // with ink has a pixel of nearly pure foreground.
    int checkedInk = 0;
    qsizetype lineStart = 0;
    const int rows =
        std::min(editor.Lines().Count(), editor.viewport()->height() / editor.LineHeight());
    for (int line = 0; line < rows; ++line) {
        const qsizetype lineEnd = page.text.indexOf('\n', lineStart);
        const QString text = page.text.mid(lineStart, lineEnd - lineStart);
        for (int column = 0; column < text.size(); ++column) {
            if (text[column].unicode() >= 0x80)
                break; // cells of ASCII lines only: one byte, one caret column
            editor.SetCaretXY(column + 1, line + 1);
            const QRect left = editor.CaretRect();
            editor.SetCaretXY(column + 2, line + 1);
            const QRect right = editor.CaretRect();
            if (left.isNull() || right.isNull() || right.left() >= image.width() ||
                editor.TopLine() != topLine)
                break;
            const QRect cell(left.left() + 1, left.top(), right.left() - left.left() - 2,
                             editor.LineHeight());
            const Look& look = page.looks[std::size_t(lineStart + column)];
            const QString where =
                QString("line %1 column %2 '%3'").arg(line + 1).arg(column + 1).arg(text[column]);
            EXPECT_EQ(QColor(MostFrequent(image, cell)), look.background) << where.toStdString();
            if (text[column].isSpace() || Distance(look.foreground, look.background) < 150)
                continue;
            double most = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    most = std::max(most,
                                    Coverage(image.pixel(x, y), look.background, look.foreground));
            EXPECT_GT(most, 0.7) << where.toStdString() << " not in "
                                 << look.foreground.name().toStdString();
            ++checkedInk;
        }
        lineStart = lineEnd + 1;
    }
    EXPECT_GT(checkedInk, 30) << "too few characters compared";
}

class ColouredHtmlPaintTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ColouredHtmlPaintTest, PageShowsTheTextInTheColoursTheEditorPaints) {
    ExpectPageInTheEditorsColours(GetParam(), Desktop::Light);
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, ColouredHtmlPaintTest,
                         ::testing::Values("bas", "cpp", "css", "html", "ini", "java", "pas",
                                           "perl", "php", "sql", "xml"));

class ColouredHtmlDarkPaintTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ColouredHtmlDarkPaintTest, PageShowsTheReadableColoursTheEditorPaintsOnADarkDesktop) {
    ExpectPageInTheEditorsColours(GetParam(), Desktop::Dark);
}

INSTANTIATE_TEST_SUITE_P(MarkupAndCode, ColouredHtmlDarkPaintTest,
                         ::testing::Values("html", "php", "xml"));

TEST(ColouredHtml, SpecialCharactersAreEscapedAndReadBackUnchanged) {
    const struct {
        const char* codePage;
        std::string text;
        const char* shown; // UTF-8
    } cases[] = {
        {"utf-8", "a & b < c > d \"e\"", "a & b < c > d \"e\""},
        // Control codes show as their pictures, as the editor paints them.
        {"utf-8",
         std::string("nul\0one\x01"
                     "del\x7F\tend",
                     16),
         "nul\u2400one\u2401del\u2421\tend"},
        {"utf-8", "\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80", "\u00E9t\u00E9 \U0001F600"},
        {"utf-8", "bad \xC3 \xFF", "bad \uFFFD \uFFFD"},
        {"1252", "caf\xE9 \x80 &amp;", "caf\u00E9 \u20AC &amp;"},
        {"1251", "\xCF\xF0\xE8\xE2\xE5\xF2 <\x81>",
         "\u041F\u0440\u0438\u0432\u0435\u0442 <\u0403>"},
    };
    const Encoding& kept = ProgramEncoding();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        SetProgramEncoding(*Encoding::ForName(c.codePage));
        TSynEdit editor;
        editor.Lines().SetText(c.text);
        const std::string page = ColouredHtmlBytes({editor.Lines(), editor, nullptr, "a<b&c"});
        const ReadPage read = ReadBack(QByteArray::fromStdString(page));
        EXPECT_TRUE(read.error.isEmpty()) << read.error.toStdString();
        EXPECT_EQ(read.text, QString::fromUtf8(c.shown) + '\n');
        // Nothing raw that could open markup, and no control bytes but line breaks and tabs.
        const std::size_t body = page.find("<pre>");
        for (std::size_t i = body + 5; i < page.rfind("</pre>"); ++i) {
            const unsigned char byte = static_cast<unsigned char>(page[i]);
            EXPECT_TRUE(byte >= 0x20 || byte == '\n' || byte == '\t') << "byte " << int(byte);
            EXPECT_NE(page[i], '<');
            EXPECT_NE(page[i], '"');
        }
        EXPECT_NE(page.find("<title>a&lt;b&amp;c</title>"), std::string::npos);
    }
    SetProgramEncoding(kept);
}

TEST(ColouredHtml, CommandLineColoursAreTheEditorsOffscreenColours) {
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    EXPECT_EQ(SystemColorsFromPalette(QApplication::palette()), DefaultSystemColors());
}

} // namespace
