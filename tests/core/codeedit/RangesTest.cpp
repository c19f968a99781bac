#include "codeedit/SynEditRanges.h"
#include "codeedit/SynHighlighterHtml.h"
#include "core/support/PositionTestSupport.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr TSynRange TextRange = static_cast<TSynRange>(THtmlRange::Text);
constexpr TSynRange CommentRange = static_cast<TSynRange>(THtmlRange::Comment);

// A line list that remembers its last change record, as the editor receives it.
struct Document {
    TSynEditStringList lines;
    TSynHTMLSyn html;
    std::optional<TSynLinesChange> change;

    explicit Document(const std::string& text) {
        lines.SetText(text);
        ScanAll(lines, &html);
        lines.SetOnChange([this](const TSynLinesChange& c) { change = c; });
    }
    LineIndex Rescan() { return ::Rescan(lines, &html, *change); }
    std::vector<TSynRange> Ranges() const {
        std::vector<TSynRange> ranges;
        for (int i = 0; i < lines.Count(); ++i) {
            ranges.push_back(lines.Ranges(LineIndex(i)));
        }
        return ranges;
    }
};

std::string ManyLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "<p>line " + std::to_string(i) + "</p>\r\n";
    }
    return text;
}

TEST(Ranges, ScanAllStoresStartRanges) {
    Document doc("<!--\r\nx\r\n-->\r\n<a\r\nb=\r\n>");
    EXPECT_EQ(doc.Ranges(), (std::vector<TSynRange>{5, 2, 2, 5, 4, 7}));
}

TEST(Ranges, FileWithoutMultiLineConstructsHasInitialRangeEverywhere) {
    Document doc(ManyLines(50));
    for (auto range : doc.Ranges()) {
        EXPECT_EQ(range, TextRange);
    }
}

TEST(Ranges, EditWithNoConstructOpenRescansOneLine) {
    for (int line : {0, 7, 49}) {
        Document doc(ManyLines(50));
        doc.lines.Put(LineIndex(line), "<b>changed</b>");
        EXPECT_EQ(doc.Rescan(), LineIndex(line)) << line;
    }
}

TEST(Ranges, OpeningACommentRescansUntilItClosesAndClosingRescansBack) {
    Document doc(ManyLines(1000));
    doc.lines.Put(LineIndex(0), "<!-- opened");
    EXPECT_EQ(doc.Rescan(), LineIndex(999));
    for (int i = 1; i < 1000; ++i) {
        ASSERT_EQ(doc.lines.Ranges(LineIndex(i)), CommentRange) << i;
    }
    doc.lines.Put(LineIndex(500), "--> closed");
    EXPECT_EQ(doc.Rescan(), LineIndex(999));
    EXPECT_EQ(doc.lines.Ranges(LineIndex(500)), CommentRange);
    EXPECT_EQ(doc.lines.Ranges(LineIndex(501)), TextRange);
    EXPECT_EQ(doc.lines.Ranges(LineIndex(999)), TextRange);

    doc.lines.Put(LineIndex(0), "<p>");
    EXPECT_EQ(doc.Rescan(), LineIndex(500));
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(doc.lines.Ranges(LineIndex(i)), TextRange) << i;
    }
}

TEST(Ranges, InsertedLinesAreAllScannedBeforeStopping) {
    Document doc("<p>\r\n<p>\r\n<p>");
    doc.lines.InsertLines(LineIndex(1), {"<!--", "-->", "<b>"});
    EXPECT_EQ(doc.Rescan(), LineIndex(3));
    EXPECT_EQ(doc.Ranges(), (std::vector<TSynRange>{5, 5, 2, 5, 5, 5}));
}

TEST(Ranges, InsertedLineWithStaleRangeIsStillScanned) {
    Document doc("<!--\r\na\r\nb");
    doc.lines.Insert(LineIndex(1), "-->");
    doc.lines.SetRange(LineIndex(1),
                       CommentRange); // what the line would hold if scanning stopped early
    EXPECT_EQ(doc.Rescan(), LineIndex(3));
    EXPECT_EQ(doc.Ranges(), (std::vector<TSynRange>{5, 2, 5, 5}));
}

TEST(Ranges, DeletingTheClosingLineReopensTheRest) {
    Document doc("<!--\r\n-->\r\na\r\nb");
    doc.lines.Delete(LineIndex(1));
    EXPECT_EQ(doc.Rescan(), LineIndex(2));
    EXPECT_EQ(doc.Ranges(), (std::vector<TSynRange>{5, 2, 2}));
}

TEST(Ranges, DeletingLinesAtTheEndLeavesTheRest) {
    Document doc("<!--\r\na\r\nb\r\nc");
    doc.lines.DeleteLines(LineIndex(2), 2);
    EXPECT_EQ(doc.Rescan(), LineIndex(1));
    EXPECT_EQ(doc.Ranges(), (std::vector<TSynRange>{5, 2}));
}

TEST(Ranges, WholeTextReplaceRescansEverything) {
    Document doc("a\r\nb");
    doc.lines.SetText("<!--\r\nx\r\ny");
    EXPECT_EQ(doc.Rescan(), LineIndex(2));
    EXPECT_EQ(doc.Ranges(), (std::vector<TSynRange>{5, 2, 2}));
}

TEST(Ranges, FirstLineGetsTheInitialRange) {
    Document doc("a\r\nb");
    doc.lines.SetRange(LineIndex(0), 4);
    doc.lines.Put(LineIndex(0), "c");
    EXPECT_EQ(doc.Rescan(), LineIndex(0));
    EXPECT_EQ(doc.lines.Ranges(LineIndex(0)), TextRange);
}

TEST(Ranges, NoHighlighterOrNoLinesDoesNothing) {
    TSynEditStringList lines;
    lines.SetText("<!--\r\nx");
    const TSynRange before = lines.Ranges(LineIndex(1));
    ScanAll(lines, nullptr);
    EXPECT_EQ(Rescan(lines, nullptr, {LineIndex(0), 1, 1}), NoLine);
    EXPECT_EQ(lines.Ranges(LineIndex(1)), before);
    TSynEditStringList empty;
    TSynHTMLSyn html;
    ScanAll(empty, &html);
    EXPECT_EQ(Rescan(empty, &html, {LineIndex(0), 1, 0}), NoLine);
}

TEST(Ranges, ForEachTokenStartsFromTheStoredRange) {
    Document doc("<!-- a\r\nb --> <i>");
    std::vector<std::pair<std::size_t, int>> tokens;
    const TSynRange after =
        ForEachToken(doc.lines, doc.html, LineIndex(1), [&](const TSynToken& token) {
            tokens.emplace_back(token.start.Value(), token.kind);
            EXPECT_EQ(token.attribute, doc.html.TokenAttribute());
        });
    EXPECT_EQ(tokens,
              (std::vector<std::pair<std::size_t, int>>{{0, 2}, {5, 9}, {6, 8}, {7, 4}, {8, 8}}));
    EXPECT_EQ(after, TextRange);
}

} // namespace
