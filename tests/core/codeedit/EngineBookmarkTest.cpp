// Bookmarks following line changes, and bracket matching.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

namespace {

int BookmarkLine(const TSynEditEngine& engine, int number) {
    auto mark = engine.GetBookmark(number);
    return mark ? mark->position.line.Value() : -1;
}

TEST(EngineBookmark, BookmarksFollowInsertedAndDeletedLines) {
    TSynEditEngine engine(Utf8());
    engine.SetText("0\r\n1\r\n2\r\n3\r\n4\r\n5");
    engine.SetBookmark(1, MakePosition(1, 0));
    engine.SetBookmark(3, MakePosition(3, 0));
    engine.SetBookmark(5, MakePosition(5, 0));
    struct Step {
        std::function<void()> edit;
        int line1, line3, line5;
    };
    const Step steps[] = {
        // Two lines pasted at the start of line 2.
        {[&] {
             engine.SetCaret(MakePosition(2, 0));
             engine.InsertText("a\r\nb\r\n");
         },
         1, 5, 7},
        // Line 0 deleted.
        {[&] {
             engine.SetCaret(MakePosition(0, 0));
             engine.ExecuteCommand(ecDeleteLine);
         },
         0, 4, 6},
        // The bookmarked line 4 deleted: the bookmark stays on the line that takes its place.
        {[&] {
             engine.SetCaret(MakePosition(4, 0));
             engine.ExecuteCommand(ecDeleteLine);
         },
         0, 4, 5},
        // Lines 4 and 5 joined into line 4.
        {[&] {
             engine.SetCaret(MakePosition(5, 0));
             engine.ExecuteCommand(ecDeleteLastChar);
         },
         0, 4, 4},
        // A direct change of the list.
        {[&] { engine.Lines().Insert(LineIndex(0), "top"); }, 1, 5, 5},
        // Three lines deleted directly: a bookmark among them lands on the line after them.
        {[&] { engine.Lines().DeleteLines(LineIndex(0), 3); }, 0, 2, 2},
    };
    for (const Step& step : steps) {
        step.edit();
        EXPECT_EQ(BookmarkLine(engine, 1), step.line1) << &step - steps;
        EXPECT_EQ(BookmarkLine(engine, 3), step.line3) << &step - steps;
        EXPECT_EQ(BookmarkLine(engine, 5), step.line5) << &step - steps;
    }
    EXPECT_EQ(engine.BookmarksOnLine(LineIndex(2)), (std::vector<int>{3, 5}));
}

TEST(EngineBookmark, DeletingTheLastLinesMovesBookmarksToTheNewLastLine) {
    TSynEditEngine engine(Utf8());
    engine.SetText("0\r\n1\r\n2");
    engine.SetBookmark(0, MakePosition(2, 1));
    engine.SetCaret(MakePosition(1, 0));
    engine.ExecuteCommand(ecSelEditorBottom);
    engine.ExecuteCommand(ecDeleteChar);
    EXPECT_EQ(BookmarkLine(engine, 0), 1);
}

TEST(EngineBookmark, SettingTheSameBookmarkOnTheSameLineAgainRemovesIt) {
    TSynEditEngine engine(Utf8());
    Load(engine, "ab\nc|d");
    int changes = 0;
    engine.OnBookmarksChanged = [&] { ++changes; };
    engine.ExecuteCommand(ecSetMarker4);
    EXPECT_EQ(BookmarkLine(engine, 4), 1);
    engine.ExecuteCommand(ecLineStart);
    engine.ExecuteCommand(ecSetMarker4);
    EXPECT_FALSE(engine.GetBookmark(4));
    engine.ExecuteCommand(ecSetMarker4);
    engine.ExecuteCommand(ecUp);
    engine.ExecuteCommand(ecSetMarker4); // another line: moves it
    EXPECT_EQ(BookmarkLine(engine, 4), 0);
    EXPECT_EQ(changes, 4);
    EXPECT_FALSE(engine.ExecuteCommand(ecGotoMarker5));
}

TEST(EngineBookmark, GotoClampsTheColumnOfAShortenedLine) {
    TSynEditEngine engine(Utf8());
    Load(engine, "|abcdef\nx");
    engine.SetBookmark(2, MakePosition(0, 5));
    engine.ExecuteCommand(ecDeleteEOL);
    engine.ExecuteCommand(ecEditorBottom);
    EXPECT_TRUE(engine.ExecuteCommand(ecGotoMarker2));
    EXPECT_EQ(Marked(engine), "|\nx");
}

TEST(EngineBookmark, NumbersOutsideZeroToNineAreIgnored) {
    TSynEditEngine engine(Utf8());
    engine.SetBookmark(10, BufferPosition{});
    engine.SetBookmark(-1, BufferPosition{});
    EXPECT_FALSE(engine.GetBookmark(10));
    EXPECT_TRUE(engine.BookmarksOnLine(LineIndex(0)).empty());
}

TEST(EngineBracket, MatchesAcrossLinesCountingNesting) {
    struct Case {
        std::string before, after;
    };
    const Case cases[] = {
        {"f|(a, (b)\n  [c]\n)", "f(a, (b)\n  [c]\n|)"},
        {"f(a, (b)\n  [c]\n)|", "f|(a, (b)\n  [c]\n)"},
        {"{ [ <x> ] |}", "|{ [ <x> ] }"},
        {"{ [| <x> ] }", "{ [ <x> |] }"},
        {"{ [ <|x> ] }", "{ [ <x|> ] }"},
        {"a|[\n\n\n]", "a[\n\n\n|]"},
        {"(\xC3\xA9|)", "|(\xC3\xA9)"},
    };
    for (const Case& c : cases) {
        TSynEditEngine engine(Utf8());
        Load(engine, c.before);
        EXPECT_TRUE(engine.ExecuteCommand(ecMatchBracket)) << c.before;
        EXPECT_EQ(Marked(engine), c.after) << c.before;
    }
}

TEST(EngineBracket, NothingWithoutABracketOrAMatch) {
    for (std::string text : {"a|b", "(a|", "|(a", "(|(a", "|]", "a(b]|"}) {
        TSynEditEngine engine(Utf8());
        Load(engine, text);
        EXPECT_FALSE(engine.ExecuteCommand(ecMatchBracket)) << text;
        EXPECT_EQ(Marked(engine), text);
    }
}

} // namespace
