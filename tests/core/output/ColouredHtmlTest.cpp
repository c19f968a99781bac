#include "output/ColouredHtml.h"

#include "codeedit/HighlighterRegistry.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Page {
    std::string text;
    std::vector<std::size_t> pieces; // the size of each piece the sink was given
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

ColouredHtmlOptions Options() {
    ColouredHtmlOptions options;
    options.title = "t";
    options.fontName = "Courier New";
    return options;
}

const Encoding& Utf8() {
    return *Encoding::ForName("utf-8");
}

// The page of the bytes streamed from a real (temporary) file.
Page StreamedPage(const std::string& bytes, TSynCustomHighlighter* highlighter,
                  const Encoding& encoding = Utf8()) {
    std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
    EXPECT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    const TSynStyleResolver resolver({}, DefaultSystemColors(), highlighter);
    Page page;
    EXPECT_TRUE(WriteColouredHtml(file.get(), encoding, highlighter, resolver, Options(),
                                  [&](std::string_view piece) {
                                      page.text.append(piece);
                                      page.pieces.push_back(piece.size());
                                  }));
    return page;
}

// The page of the same bytes loaded into a line list, as the editor holds a file.
std::string LoadedPage(const std::string& bytes, TSynCustomHighlighter* highlighter,
                       const Encoding& encoding = Utf8()) {
    TSynEditStringList lines;
    lines.LoadFromBuffer(bytes);
    const TSynStyleResolver resolver({}, DefaultSystemColors(), highlighter);
    std::string page;
    WriteColouredHtml(lines, encoding, highlighter, resolver, Options(),
                      [&](std::string_view piece) { page.append(piece); });
    return page;
}

std::string Body(const std::string& page) {
    const std::size_t start = page.find("<pre>\n") + 6;
    return page.substr(start, page.rfind("</pre>") - start);
}

TEST(ColouredHtml, StreamCutsLinesAsLoadingDoesAcrossItsChunks) {
    const std::size_t chunk = ColouredHtmlWriter::ChunkSize;
    const std::string filler(chunk - 1, 'x');
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"breaks of every kind", "a\r\nb\rc\nd\n\re"},
        {"final break adds no line", "a\r\n"},
        {"NUL ends a line", std::string("a\0b\0", 4)},
        {"CR LF across the chunk's end", filler + "\r\nnext /* comment"},
        {"CR at the chunk's end, alone", filler + "\rnext"},
        {"line longer than a chunk", std::string(chunk * 2 + 17, 'y') + "\nend"},
        {"comment carried across chunks", "/*\n" + std::string(chunk, ' ') + "\nint */ int"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool coloured : {false, true}) {
            const std::unique_ptr<TSynCustomHighlighter> highlighter =
                coloured ? CreateHighlighter(".cpp") : nullptr;
            EXPECT_EQ(StreamedPage(c.bytes, highlighter.get()).text,
                      LoadedPage(c.bytes, highlighter.get()));
        }
    }
    EXPECT_EQ(Body(LoadedPage("a\r\nb\rc\nd\n\re", nullptr)), "a\nb\nc\nd\n\ne\n");
}

// A streamed line is checked for bytes to escape sixteen at a time, with bytes after it read
// but not counted; a loaded line byte by byte. Every byte at the start, middle and end of lines
// around that step must come out alike, whatever follows the line.
TEST(ColouredHtml, StreamedLinesEscapeAsLoadedLinesWhereverTheByteSits) {
    const std::size_t lengths[] = {1, 2, 15, 16, 17, 31, 32, 33, 48};
    const char* const encodings[] = {"utf-8", "windows-1252"};
    const char* const syntaxes[] = {".sql", ".cpp"};
    for (const char* syntax : syntaxes) {
        const std::unique_ptr<TSynCustomHighlighter> highlighter = CreateHighlighter(syntax);
        for (const char* encodingName : encodings) {
            const Encoding& encoding = *Encoding::ForName(encodingName);
            for (unsigned byte = 1; byte < 256; ++byte) {
                if (byte == '\n' || byte == '\r')
                    continue;
                std::string text;
                for (const std::size_t length : lengths) {
                    for (const std::size_t at : {std::size_t(0), length / 2, length - 1}) {
                        // Words and blanks: tokens of several kinds.
                        std::string line;
                        while (line.size() < length)
                            line += "ab c;";
                        line.resize(length);
                        line[at] = char(byte);
                        // Each followed by a clean line, which the next case's byte follows
                        // closely.
                        text += line + "\n" + std::string(length, 'x') + "\n";
                    }
                }
                SCOPED_TRACE(std::string(syntax) + " " + encodingName + " byte " +
                             std::to_string(byte));
                EXPECT_EQ(StreamedPage(text, highlighter.get(), encoding).text,
                          LoadedPage(text, highlighter.get(), encoding));
            }
        }
    }
}

TEST(ColouredHtml, PageLeavesInChunksWhileTheTextIsRead) {
    std::string bytes;
    while (bytes.size() < 5 * ColouredHtmlWriter::ChunkSize)
        bytes += "int main() { return a < b && c > \"d\"; } // note\n";
    const std::unique_ptr<TSynCustomHighlighter> highlighter = CreateHighlighter(".cpp");
    const Page page = StreamedPage(bytes, highlighter.get());
    EXPECT_GT(page.pieces.size(), 5u);
    for (const std::size_t piece : page.pieces)
        EXPECT_LE(piece, ColouredHtmlWriter::ChunkSize + 64 * 1024);
}

// One token per byte: 'k' in its listed keyword look (bold), 'x' in an italic attribute it
// does not list, anything else in the editor's own look.
class UnlistedLookHighlighter : public TSynCustomHighlighter {
public:
    UnlistedLookHighlighter() {
        keyword = AddAttribute("Keyword", fsBold);
        SetAttributesOnChange();
    }
    TSynHighlighterAttributes* DefaultAttribute(int) const override { return nullptr; }
    bool AtLineEnd() const override { return at >= line.size(); }
    std::string TokenText() const override { return std::string(line.substr(at, 1)); }
    TSynHighlighterAttributes* TokenAttribute() const override {
        return line[at] == 'k' ? keyword : line[at] == 'x' ? &unlisted : nullptr;
    }
    int TokenKind() const override { return 0; }
    ByteColumn TokenStart() const override { return ByteColumn(at); }
    void NextToken() override { ++at; }
    void StartLine(std::string_view text, LineIndex) override {
        line = text;
        at = 0;
    }

    // Not among AttributeAt's; handed out as tokens' attribute all the same.
    mutable TSynHighlighterAttributes unlisted{"Unlisted"};

private:
    TSynHighlighterAttributes* keyword;
    std::string_view line;
    std::size_t at = 0;
};

// A look the class table lacks is written in place for every token, and the runs around it
// open and close as they do between listed classes.
TEST(ColouredHtml, UnlistedLooksAreWrittenInPlace) {
    UnlistedLookHighlighter highlighter;
    highlighter.unlisted.SetStyle(fsItalic);
    const std::string italic = "<span style=\"color:#000000;background-color:#ffffff;"
                               "font-weight:normal;font-style:italic;text-decoration:none\">";
    const struct {
        const char* line;
        std::string body;
    } cases[] = {
        {"k x", "<span class=\"c0\">k</span> " + italic + "x\n</span>"},
        {"xx", italic + "x</span>" + italic + "x\n</span>"},
        {"x k", italic + "x</span> <span class=\"c0\">k\n</span>"},
        {"kxk", "<span class=\"c0\">k</span>" + italic + "x</span><span class=\"c0\">k\n</span>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Body(LoadedPage(c.line, &highlighter)), c.body);
        EXPECT_EQ(Body(StreamedPage(c.line, &highlighter).text), c.body);
    }
}

TEST(ColouredHtml, OneSpanPerRunOfEqualLook) {
    const std::unique_ptr<TSynCustomHighlighter> cpp = CreateHighlighter(".cpp");
    const struct {
        std::string line;
        std::size_t spans;
    } cases[] = {
        // Identifiers look plain; the blanks between them show the same: no span at all.
        {"alpha beta gamma", 0},
        // Blanks are not bold: they end a keyword's run.
        {"int long", 2},
        // A comment over two lines is one token after another of the same look: one span.
        {"/* one\ntwo */", 1},
        // Keyword, plain, keyword: two runs of the keyword's look.
        {"int x; int", 2},
    };
    for (const auto& c : cases) {
        const std::string body = Body(LoadedPage(c.line, cpp.get()));
        std::size_t opened = 0;
        for (std::size_t at = body.find("<span"); at != std::string::npos;
             at = body.find("<span", at + 1))
            ++opened;
        std::size_t closed = 0;
        for (std::size_t at = body.find("</span>"); at != std::string::npos;
             at = body.find("</span>", at + 1))
            ++closed;
        EXPECT_EQ(opened, c.spans) << body;
        EXPECT_EQ(closed, c.spans) << body;
    }
}

TEST(ColouredHtml, LooksGoIntoTheStyleSheetOnce) {
    const std::unique_ptr<TSynCustomHighlighter> cpp = CreateHighlighter(".cpp");
    const TSynEditorLook look{RGB(1, 2, 3), clInfoBk, fsItalic};
    const TSynStyleResolver resolver(look, DefaultSystemColors(), cpp.get());
    TSynEditStringList lines;
    lines.LoadFromBuffer("int");
    std::string page;
    ColouredHtmlOptions options = Options();
    options.fontName = "Odd \"Font\" <x>";
    options.fontSize = 13;
    options.tabWidth = 3;
    WriteColouredHtml(lines, *Encoding::ForName("utf-8"), cpp.get(), resolver, options,
                      [&](std::string_view piece) { page.append(piece); });
    // The plain look: the editor's colours, the tooltip colour resolved, the font's italic.
    EXPECT_NE(page.find("pre{margin:0;padding:2px;font-family:\"Odd \\22 Font\\22  \\3c x\\3e \","
                        "monospace;font-size:13pt;tab-size:3;-moz-tab-size:3;color:#010203;"
                        "background-color:#ffffdc;font-weight:normal;font-style:italic;"),
              std::string::npos)
        << page;
    // The keyword's class adds bold and keeps the fallbacks.
    EXPECT_NE(page.find("{color:#010203;background-color:#ffffdc;font-weight:bold;"
                        "font-style:italic;text-decoration:none}"),
              std::string::npos)
        << page;
}

} // namespace
