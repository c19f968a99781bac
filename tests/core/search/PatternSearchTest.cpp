#include "SearchTestSupport.h"
#include "search/FindReplace.h"
#include "search/MatchCount.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using enum SearchOutcome;
constexpr PatternSyntax Regex = PatternSyntax::RegularExpression;
constexpr PatternSyntax Literal = PatternSyntax::Literal;
constexpr WordRule Words = WordRule::WholeWords;
constexpr WordRule Any = WordRule::AnyText;
constexpr CaseRule Exact = CaseRule::MatchCase;
constexpr CaseRule AnyCase = CaseRule::IgnoreCase;

enum class Press { FindNext, Replace, ReplaceAll };

struct Case {
    Press press;
    std::string before;
    std::string find, replace;
    PatternSyntax syntax;
    WordRule words;
    CaseRule rule;
    std::string after;
    SearchOutcome outcome;
    const Encoding& encoding = Utf8();
};

void Check(const Case& c) {
    TSynEditEngine engine(c.encoding);
    LoadMarked(engine, c.before);
    EngineSearchDocument document(engine);
    const SearchRequest request{c.find, c.replace, c.rule, c.syntax, c.words};
    SearchOutcome outcome = EmptyFindText;
    switch (c.press) {
    case Press::FindNext:
        outcome = FindNextMatch(document, request, SearchDialogKind::Find);
        break;
    case Press::Replace:
        outcome = ReplaceAndFindNext(document, request);
        break;
    case Press::ReplaceAll:
        outcome = ReplaceAllMatches(document, request);
        break;
    }
    EXPECT_EQ(Marked(engine), c.after) << c.before << " / " << c.find << " / " << c.replace;
    EXPECT_EQ(outcome, c.outcome) << c.before << " / " << c.find << " / " << c.replace;
}

TEST(PatternSearch, FindNextSelectsMatchesOfExpressionsAndWholeWords) {
    const Case cases[] = {
        {Press::FindNext, "cat car cab", "ca[rb]", "", Regex, Any, AnyCase, "cat [car] cab",
         Selected},
        {Press::FindNext, "x1 y22", "\\d{2}", "", Regex, Any, AnyCase, "x1 y[22]", Selected},
        // Anchors hold at every line's start and end.
        {Press::FindNext, "ab\nab", "^b|b$", "", Regex, Any, AnyCase, "a[b]\nab", Selected},
        {Press::FindNext, "xab\nab", "^ab", "", Regex, Any, AnyCase, "xab\n[ab]", Selected},
        // \n and \r\n match a line break; a match spans lines.
        {Press::FindNext, "one\ntwo", "e\\nt", "", Regex, Any, AnyCase, "on[e\nt]wo", Selected},
        {Press::FindNext, "one\ntwo", "e\\r\\nt", "", Regex, Any, AnyCase, "on[e\nt]wo", Selected},
        {Press::FindNext, "a\n\nb", "a\\s+b", "", Regex, Any, AnyCase, "[a\n\nb]", Selected},
        // Case.
        {Press::FindNext, "Cat cat", "cat", "", Regex, Any, Exact, "Cat [cat]", Selected},
        {Press::FindNext, "Дом дом", "дом", "", Regex, Any, Exact, "Дом [дом]", Selected},
        {Press::FindNext, "Дом", "дОМ", "", Regex, Any, AnyCase, "[Дом]", Selected},
        {Press::FindNext, "\xc4\xee\xec \xe4\xee\xec", "\xe4\xee\xec", "", Regex, Any, Exact,
         "\xc4\xee\xec [\xe4\xee\xec]", Selected, Windows1251()},
        {Press::FindNext, "\xc4\xce\xcc", "\xe4\xee\xec", "", Regex, Any, AnyCase, "[\xc4\xce\xcc]",
         Selected, Windows1251()},
        // \w knows the code page's letters.
        {Press::FindNext, "- \xe4\xee\xec!", "\\w+", "", Regex, Any, AnyCase, "- [\xe4\xee\xec]!",
         Selected, Windows1251()},
        // Whole words: punctuation ends a word, a letter goes on with it.
        {Press::FindNext, "домик дом, дом", "дом", "", Literal, Words, AnyCase, "домик [дом], дом",
         Selected},
        {Press::FindNext, "cats (cat)", "cat", "", Literal, Words, AnyCase, "cats ([cat])",
         Selected},
        {Press::FindNext, "a.b a.bc", "a.b", "", Literal, Words, AnyCase, "[a.b] a.bc", Selected},
        {Press::FindNext, "ab.c", "a.b", "", Literal, Words, AnyCase, "[]ab.c", NotFound},
        {Press::FindNext, "\xe4\xee\xec\xe8\xea \xe4\xee\xec.", "\xe4\xee\xec", "", Literal, Words,
         AnyCase, "\xe4\xee\xec\xe8\xea [\xe4\xee\xec].", Selected, Windows1251()},
        {Press::FindNext, "catalog cat", "ca\\w", "", Regex, Words, AnyCase, "catalog [cat]",
         Selected},
        // A match of nothing cannot be selected: the next match of something is.
        {Press::FindNext, "abxxc", "x*", "", Regex, Any, AnyCase, "ab[xx]c", Selected},
        {Press::FindNext, "abc", "^", "", Regex, Any, AnyCase, "[]abc", NotFound},
        // Wrapping as the literal search does.
        {Press::FindNext, "a1 a2 [a3]", "a\\d", "", Regex, Any, AnyCase, "[a1] a2 a3", Selected},
        // A bad expression: nothing happens.
        {Press::FindNext, "a(b", "a(", "", Regex, Any, AnyCase, "[]a(b", BadPattern},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(PatternSearch, ReplaceTakesGroupsAndReplacesOnlyAMatch) {
    const Case cases[] = {
        {Press::Replace, "[John Smith] x", "(\\w+) (\\w+)", "$2, $1", Regex, Any, AnyCase,
         "[Smith, John] x", DialogClosed},
        {Press::Replace, "[2024-05] 2023-01", "(?<y>\\d+)-(?<m>\\d+)", "${m}/${y}", Regex, Any,
         AnyCase, "05/2024 [2023-01]", Selected},
        {Press::Replace, "[ab]", "a(x)?b", "[$1]", Regex, Any, AnyCase, "[[]]", DialogClosed},
        {Press::Replace, "[a]b", "a", "$$1\\t\\\\", Regex, Any, AnyCase, "[$1\t\\]b", DialogClosed},
        // A break in the replacement becomes a line.
        {Press::Replace, "[a,b]", "(\\w),(\\w)", "$1\\n$2", Regex, Any, AnyCase, "[a\nb]",
         DialogClosed},
        // Match case holds for the selection too, unlike the literal search.
        {Press::Replace, "[CAT] cat", "cat", "dog", Regex, Any, Exact, "CAT [cat]", Selected},
        // A selection that is only part of a match is not replaced.
        {Press::Replace, "[ab]c abc", "abc", "x", Regex, Any, AnyCase, "abc [abc]", Selected},
        {Press::Replace, "[a] b", "a", "$2", Regex, Any, AnyCase, "[a] b", BadPattern},
        {Press::Replace, "[a] b", "a", "${x", Regex, Any, AnyCase, "[a] b", BadPattern},
        // Without a regular expression the replacement is taken as it is.
        {Press::Replace, "[cat] cat", "cat", "$1", Literal, Words, AnyCase, "$1 [cat]", Selected},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(PatternSearch, ReplaceAllReplacesEveryMatchInOneEdit) {
    const Case cases[] = {
        {Press::ReplaceAll, "a1 b2 c3", "(\\w)(\\d)", "$2$1", Regex, Any, AnyCase, "1a 2b [3c]",
         DialogClosed},
        // Lines joined and split.
        {Press::ReplaceAll, "a\nb\nc", "\\n", " ", Regex, Any, AnyCase, "a b[ ]c", DialogClosed},
        {Press::ReplaceAll, "a,b", ",", "\\n", Regex, Any, AnyCase, "a[\n]b", DialogClosed},
        {Press::ReplaceAll, "ab\ncd", "^", "> ", Regex, Any, AnyCase, "> ab\n[> ]cd", DialogClosed},
        // Matches of nothing are replaced too, once at each place.
        {Press::ReplaceAll, "ab", "x*", "-", Regex, Any, AnyCase, "-a-b[-]", DialogClosed},
        {Press::ReplaceAll, "axxb", "x*", "-", Regex, Any, AnyCase, "-a--b[-]", DialogClosed},
        {Press::ReplaceAll, "дом домик Дом", "дом", "сад", Literal, Words, AnyCase,
         "сад домик [сад]", DialogClosed},
        {Press::ReplaceAll, "\xe4\xee\xec \xc4\xce\xcc", "(\\w)\\w+", "$1", Regex, Any, AnyCase,
         "\xe4 [\xc4]", DialogClosed, Windows1251()},
        // After a selection that is no match; from the selection's start when it is one.
        {Press::ReplaceAll, "a [x] a", "a", "b", Regex, Any, AnyCase, "a x [b]", DialogClosed},
        {Press::ReplaceAll, "a [a] a", "a", "b", Regex, Any, AnyCase, "a b [b]", DialogClosed},
        {Press::ReplaceAll, "none", "x+", "y", Regex, Any, AnyCase, "[]none", NotFound},
        {Press::ReplaceAll, "a [x] b", "a", "y", Regex, Any, AnyCase, "a [x] b", DialogClosed},
        {Press::ReplaceAll, "abc", "[", "y", Regex, Any, AnyCase, "[]abc", BadPattern},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(PatternSearch, OneUndoTakesBackReplaceAll) {
    TSynEditEngine engine(Utf8());
    LoadMarked(engine, "a1\nb2\nc3");
    EngineSearchDocument document(engine);
    EXPECT_EQ(ReplaceAllMatches(document, {"(\\w)(\\d)\\n", "$2", AnyCase, Regex, Any}),
              DialogClosed);
    EXPECT_EQ(Marked(engine), "1[2]c3");
    engine.Undo();
    EXPECT_EQ(engine.Text(), "a1\r\nb2\r\nc3");
}

// Takes a Replace All's replacements one by one from the last, as an editor whose characters
// carry formats does: only the ranges and their own texts count, not the text between them.
class RangeByRangeDocument : public EngineSearchDocument {
public:
    using EngineSearchDocument::EngineSearchDocument;
    void ReplaceEach(SpanReplacement replacements) override {
        for (std::size_t i = replacements.Ranges().size(); i-- > 0;)
            Replace(replacements.Ranges()[i], WithEditorLineBreaks(replacements.TextOf(i)));
    }
};

template <typename Line> std::string JoinedLines(int count, std::string_view separator, Line line) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i > 0 ? std::string(separator) : "") + line(i);
    return text;
}

TEST(PatternSearch, ReplaceAllOverManySearchWindowsKeepsTheTextBetweenMatches) {
    // About a megabyte: matches close together, far apart, across lines and across the edges
    // of the windows the search reads.
    const int count = 60000;
    const auto number = [](int i) { return std::to_string(i); };
    const std::string text =
        JoinedLines(count, "\r\n", [&](int i) { return "word " + number(i) + " end"; });
    struct ReplaceAllCase {
        SearchRequest request;
        std::string after;
        std::string lastReplacement; // selected: its last place in the text after
    };
    const ReplaceAllCase cases[] = {
        {{"(\\d+) end", "$1 END", Exact, Regex, Any},
         JoinedLines(count, "\r\n", [&](int i) { return "word " + number(i) + " END"; }),
         "59999 END"},
        {{"^word (7|59998) ", "W$1 ", Exact, Regex, Any},
         JoinedLines(
             count, "\r\n",
             [&](int i) { return (i == 7 || i == 59998 ? "W" : "word ") + number(i) + " end"; }),
         "W59998 "},
        {{"end\\r\\nword (\\d+)", "end; $1", Exact, Regex, Any},
         "word 0 " + JoinedLines(count - 1, " ", [&](int i) { return "end; " + number(i + 1); }) +
             " end",
         "end; 59999"},
        {{"(?<=end\\n)word", "WORD", Exact, Regex, Any},
         JoinedLines(count, "\r\n",
                     [&](int i) { return (i == 0 ? "word " : "WORD ") + number(i) + " end"; }),
         "WORD"},
        {{"end", "\nEND", Exact, Literal, Words},
         JoinedLines(count, "\r\n", [&](int i) { return "word " + number(i) + " \r\nEND"; }),
         "\r\nEND"},
    };
    for (const ReplaceAllCase& c : cases) {
        TSynEditEngine whole(Utf8()), byRange(Utf8());
        whole.SetText(text);
        byRange.SetText(text);
        EngineSearchDocument wholeDocument(whole);
        RangeByRangeDocument byRangeDocument(byRange);
        EXPECT_EQ(ReplaceAllMatches(wholeDocument, c.request), DialogClosed) << c.request.findText;
        EXPECT_EQ(ReplaceAllMatches(byRangeDocument, c.request), DialogClosed);
        EXPECT_TRUE(whole.Text() == c.after) << c.request.findText;
        EXPECT_TRUE(byRange.Text() == c.after) << c.request.findText;
        const std::size_t at = c.after.rfind(c.lastReplacement);
        const BufferRange last{whole.PositionOf(TextOffset(at)),
                               whole.PositionOf(TextOffset(at + c.lastReplacement.size()))};
        EXPECT_EQ(whole.SelectionRange(), last) << c.request.findText;
        EXPECT_EQ(byRange.SelectionRange(), last) << c.request.findText;
        whole.Undo();
        EXPECT_TRUE(whole.Text() == text) << c.request.findText;
    }
}

TEST(PatternSearch, AnExpressionTooHardForTheTextStopsWithAMessage) {
    // Nested repetition against a long line without a match backtracks without end.
    const std::string line(30000, 'a');
    for (const Encoding* encoding : {&Utf8(), &Windows1251()}) {
        TSynEditEngine engine(*encoding);
        LoadMarked(engine, "[x]\n" + line + "!");
        EngineSearchDocument document(engine);
        const SearchRequest request{"(\\w+\\s?)+$", "y", AnyCase, Regex, Any};
        EXPECT_EQ(FindNextMatch(document, request, SearchDialogKind::Find), TooComplex);
        EXPECT_EQ(ReplaceAllMatches(document, request), TooComplex);
        EXPECT_EQ(engine.SelectionRange().end, MakePosition(0, 1)) << encoding->Name();
        EXPECT_EQ(engine.LineText(LineIndex(1)).size(), line.size() + 1);
        EXPECT_EQ(CountMatches(document, request).status, PatternStatus::TooComplex);
    }
}

TEST(PatternSearch, ProblemsNameTheReasonAndThePosition) {
    struct ProblemCase {
        std::string find, replace;
        std::string findProblem, replaceProblem;
    };
    const ProblemCase cases[] = {
        {"ab(c", "",
         "The regular expression is not valid at position 4: missing closing "
         "parenthesis.",
         ""},
        {"дд[", "",
         "The regular expression is not valid at position 3: missing terminating ] "
         "for character class.",
         ""},
        {"(a)", "$1 ${1} $0", "", ""},
        {"(a)", "$2", "",
         "The replacement text refers to $2, a group the regular expression "
         "does not have."},
        {"(?<n>a)", "${m}", "",
         "The replacement text refers to ${m}, a group the regular "
         "expression does not have."},
    };
    for (const ProblemCase& c : cases) {
        const SearchRequest request{c.find, c.replace, AnyCase, Regex, Any};
        EXPECT_EQ(FindTextProblem(request, Utf8()), c.findProblem) << c.find;
        EXPECT_EQ(ReplaceTextProblem(request, Utf8()),
                  c.findProblem.empty() ? c.replaceProblem : c.findProblem)
            << c.find << " / " << c.replace;
    }
    // The literal search knows no problems.
    EXPECT_EQ(FindTextProblem({"ab(c", "$9"}, Utf8()), "");
}

TEST(PatternSearch, CountsAndFindsMatchesAcrossWindowEdges) {
    // Lines enough to fill several windows, with matches that end on one line and start on
    // the next, so some straddle the edge between two windows.
    std::string text;
    const int lines = 40000;
    for (int i = 0; i < lines; ++i)
        text += "word " + std::to_string(i) + " end\r\nbegin ";
    TSynEditEngine engine(Utf8());
    engine.SetText(text);
    EngineSearchDocument document(engine);
    struct CountCase {
        SearchRequest request;
        std::size_t count;
    };
    const CountCase cases[] = {
        {{"end\\r\\nbegin", "", AnyCase, Regex, Any}, std::size_t(lines)},
        {{"d\\s+b", "", AnyCase, Regex, Any}, std::size_t(lines)},
        {{"^begin", "", AnyCase, Regex, Any}, std::size_t(lines)},
        {{"word", "", AnyCase, Literal, Any}, std::size_t(lines)},
        {{"WORD", "", Exact, Literal, Any}, 0},
        {{"d", "", AnyCase, Literal, Words}, 0},
        {{"\\d+9 end$", "", AnyCase, Regex, Any}, std::size_t(lines / 10 - 1)},
        {{"x(", "", AnyCase, Regex, Any}, 0},
    };
    for (const CountCase& c : cases)
        EXPECT_EQ(CountMatches(document, c.request).count, c.count) << c.request.findText;
    EXPECT_FALSE(CountMatches(document, {"x(", "", AnyCase, Regex, Any}).valid);

    // The last match, found from the top, as Find Next finds it.
    engine.SetCaret({});
    const SearchRequest last{"39999 end\\nbegin $", "", AnyCase, Regex, Any};
    EXPECT_EQ(FindNextMatch(document, last, SearchDialogKind::Find), Selected);
    EXPECT_EQ(engine.SelectionRange().begin.line, LineIndex(lines - 1));
    EXPECT_EQ(engine.SelectionRange().end, MakePosition(lines, 6));
}

TEST(PatternSearch, MarksTheMatchesOnTheLinesAsked) {
    TSynEditEngine engine(Utf8());
    LoadMarked(engine, "a b\nb\nb a\nb");
    EngineSearchDocument document(engine);
    const std::vector<BufferRange> found =
        MatchesOnLines(document, {"b", "", AnyCase, Literal, Words}, LineIndex(1), LineIndex(2));
    const std::vector<BufferRange> expected{{MakePosition(1, 0), MakePosition(1, 1)},
                                            {MakePosition(2, 0), MakePosition(2, 1)}};
    EXPECT_EQ(found, expected);
    EXPECT_EQ(
        MatchesOnLines(document, {"a\\nb", "", AnyCase, Regex, Any}, LineIndex(2), LineIndex(2)),
        (std::vector<BufferRange>{{MakePosition(2, 2), MakePosition(3, 1)}}));
}

TEST(PatternSearch, CodePageTablesAgreeWithPcreOnAscii) {
    // \w, \d, \s and the classes in Windows-1251 as PCRE2 has them for ASCII.
    for (const char* text : {"Az_09 \t-", "Hello, World!"}) {
        for (const char* find : {"\\w+", "\\d", "\\s", "[[:upper:]]", "[[:punct:]]", "h"}) {
            TSynEditEngine utf(Utf8()), cyrillic(Windows1251());
            utf.SetText(text);
            cyrillic.SetText(text);
            EngineSearchDocument a(utf), b(cyrillic);
            const SearchRequest request{find, "", Exact, Regex, Any};
            EXPECT_EQ(CountMatches(a, request).count, CountMatches(b, request).count)
                << text << " / " << find;
        }
    }
}

} // namespace
