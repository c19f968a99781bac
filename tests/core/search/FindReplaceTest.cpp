#include "search/FindReplace.h"

#include "SearchTestSupport.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr CaseRule Exact = CaseRule::MatchCase;
constexpr CaseRule AnyCase = CaseRule::IgnoreCase;
using enum SearchOutcome;

enum class Press { FindDialogFindNext, ReplaceDialogFindNext, Replace, ReplaceAll };

SearchOutcome Run(SearchDocument& document, Press press, const SearchRequest& request) {
    switch (press) {
    case Press::FindDialogFindNext:
        return FindNextMatch(document, request, SearchDialogKind::Find);
    case Press::ReplaceDialogFindNext:
        return FindNextMatch(document, request, SearchDialogKind::Replace);
    case Press::Replace:
        return ReplaceAndFindNext(document, request);
    case Press::ReplaceAll:
        return ReplaceAllMatches(document, request);
    }
    return EmptyFindText;
}

struct Case {
    Press press;
    std::string before;
    std::string find, replace;
    CaseRule rule;
    std::string after;
    SearchOutcome outcome;
    const Encoding& encoding = Utf8();
};

void Check(const Case& c) {
    TSynEditEngine engine(c.encoding);
    LoadMarked(engine, c.before);
    EngineSearchDocument document(engine);
    const SearchOutcome outcome = Run(document, c.press, {c.find, c.replace, c.rule});
    EXPECT_EQ(Marked(engine), c.after) << c.before << " / " << c.find << " / " << c.replace;
    EXPECT_EQ(outcome, c.outcome) << c.before << " / " << c.find << " / " << c.replace;
}

// Takes Replace All's edits one by one from the last, as an editor whose characters carry
// formats does, and keeps them as "begin-end" offsets of the text before the run.
class EditByEditDocument : public EngineSearchDocument {
public:
    explicit EditByEditDocument(TSynEditEngine& engine)
        : EngineSearchDocument(engine), engine(engine) {}

    void ReplaceRanges(const std::vector<BufferRange>& ranges, std::string_view text) override {
        for (std::size_t i = 1; i < ranges.size(); ++i)
            EXPECT_LE(ranges[i - 1].end, ranges[i].begin);
        for (const BufferRange& range : ranges)
            edits.push_back(std::to_string(engine.OffsetOf(range.begin).Value()) + "-" +
                            std::to_string(engine.OffsetOf(range.end).Value()));
        for (auto range = ranges.rbegin(); range != ranges.rend(); ++range)
            Replace(*range, text);
    }

    std::vector<std::string> edits;

private:
    TSynEditEngine& engine;
};

TEST(FindNextMatch, SelectsTheNextMatchOrWrapsOrStops) {
    const Case cases[] = {
        // The caret alone does not move the start: the search begins at the top.
        {Press::FindDialogFindNext, "cat dog c[]at", "cat", "", AnyCase, "[cat] dog cat", Selected},
        // A match right after the selection.
        {Press::FindDialogFindNext, "[a]a", "a", "", AnyCase, "a[a]", Selected},
        {Press::ReplaceDialogFindNext, "[a]a", "a", "", AnyCase, "a[a]", Selected},
        // The Find dialog wraps to the top; with one match it selects it again.
        {Press::FindDialogFindNext, "x a x [a]", "a", "", AnyCase, "x [a] x a", Selected},
        {Press::FindDialogFindNext, "x [a] x", "a", "", AnyCase, "x [a] x", Selected},
        // The Replace dialog closes and the selection stays.
        {Press::ReplaceDialogFindNext, "x a x [a]", "a", "", AnyCase, "x a x [a]", DialogClosed},
        // Nothing in the whole text.
        {Press::FindDialogFindNext, "abc[]", "x", "", AnyCase, "abc[]", NotFound},
        {Press::FindDialogFindNext, "a[bc]", "x", "", AnyCase, "a[bc]", NotFound},
        {Press::ReplaceDialogFindNext, "abc[]", "x", "", AnyCase, "abc[]", NotFound},
        {Press::FindDialogFindNext, "abc", "", "", AnyCase, "[]abc", EmptyFindText},
        // Match case.
        {Press::FindDialogFindNext, "Cat cat", "cat", "", Exact, "Cat [cat]", Selected},
        {Press::FindDialogFindNext, "Cat", "cat", "", Exact, "[]Cat", NotFound},
        {Press::FindDialogFindNext, "\xc4\xce\xcc", "\xe4\xee\xec", "", AnyCase, "[\xc4\xce\xcc]",
         Selected, Windows1251()},
        {Press::FindDialogFindNext, "\xd0\x94\xd0\x9e\xd0\x9c", "\xd0\xb4\xd0\xbe\xd0\xbc", "",
         AnyCase, "[\xd0\x94\xd0\x9e\xd0\x9c]", Selected},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(ReplaceAndFindNext, ReplacesTheSelectedFindTextThenSearchesOn) {
    const Case cases[] = {
        {Press::Replace, "[a]-a-a", "a", "bb", AnyCase, "bb-[a]-a", Selected},
        {Press::Replace, "a-a-[a]", "a", "bb", AnyCase, "a-a-[bb]", DialogClosed},
        // Nothing selected: the first press only finds.
        {Press::Replace, "x a", "a", "b", AnyCase, "x [a]", Selected},
        // Another selection is not replaced; the search starts after it.
        {Press::Replace, "a [x] a", "a", "b", AnyCase, "a x [a]", Selected},
        // The comparison ignores case even with Match case on.
        {Press::Replace, "[CAT] cat", "cat", "dog", Exact, "dog [cat]", Selected},
        {Press::Replace, "[CAT] Cat", "cat", "dog", Exact, "[dog] Cat", DialogClosed},
        // An empty replacement leaves no selection, so the search starts at the top again.
        {Press::Replace, "a-[a]", "a", "", AnyCase, "[a]-", Selected},
        {Press::Replace, "[a]", "a", "", AnyCase, "[]", NotFound},
        // Breaks in the replacement become lines.
        {Press::Replace, "[a]b", "a", "x\ny", AnyCase, "[x\ny]b", DialogClosed},
        {Press::Replace, "[\xe4\xee\xec] \xc4\xce\xcc", "\xc4\xce\xcc", "\xea\xee\xf2", AnyCase,
         "\xea\xee\xf2 [\xc4\xce\xcc]", Selected, Windows1251()},
        {Press::Replace, "", "", "x", AnyCase, "[]", EmptyFindText},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(ReplaceAllMatches, GivesWhatRepeatedReplaceGives) {
    const Case cases[] = {
        {Press::ReplaceAll, "aa", "a", "b", AnyCase, "b[b]", DialogClosed},
        {Press::ReplaceAll, "a-a", "a", "", AnyCase, "-[]", NotFound},
        {Press::ReplaceAll, "a-a[]", "a", "", AnyCase, "-[]", NotFound},
        // Matches before the end of another selection stay, with a replacement text.
        {Press::ReplaceAll, "a [a] a a", "x", "y", AnyCase, "a [a] a a", DialogClosed},
        {Press::ReplaceAll, "a [x] a a", "a", "b", AnyCase, "a x b [b]", DialogClosed},
        // ... but an empty replacement searches from the top after its first removal.
        {Press::ReplaceAll, "a [x] a a", "a", "", AnyCase, " x  []", NotFound},
        // Removals join matches, which are removed too.
        {Press::ReplaceAll, "aabb", "ab", "", AnyCase, "[]", NotFound},
        {Press::ReplaceAll, "xaabby", "ab", "", AnyCase, "x[]y", NotFound},
        {Press::ReplaceAll, "Ab aB", "ab", "", Exact, "[]Ab aB", NotFound},
        {Press::ReplaceAll, "a\nb\na", "A\nB", "", AnyCase, "[]\na", NotFound},
        // A replacement holding the find text is not searched again.
        {Press::ReplaceAll, "a a", "a", "aa", AnyCase, "aa [aa]", DialogClosed},
        {Press::ReplaceAll, "the cat\nThe end", "the", "THE", AnyCase, "THE cat\n[THE] end",
         DialogClosed},
        {Press::ReplaceAll, "the cat\nThe end", "the", "THE", Exact, "[THE] cat\nThe end",
         DialogClosed},
        {Press::ReplaceAll, "ab\nab", "b\na", "-", AnyCase, "a[-]b", DialogClosed},
        {Press::ReplaceAll, "none", "x", "y", AnyCase, "[]none", NotFound},
        {Press::ReplaceAll, "\xe4\xee\xec \xc4\xce\xcc", "\xc4\xce\xcc", "\xea\xee\xf2", AnyCase,
         "\xea\xee\xf2 [\xea\xee\xf2]", DialogClosed, Windows1251()},
        {Press::ReplaceAll, "\xd0\xb4\xd0\xbe\xd0\xbc-\xd0\x94\xd0\x9e\xd0\x9c",
         "\xd0\x94\xd0\x9e\xd0\x9c", "", AnyCase, "-[]", NotFound},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(ReplaceAllMatches, HandsTheDocumentOneEditPerChangedRange) {
    struct EditCase {
        std::string before, find, replace;
        std::vector<std::string> edits;
        std::string after;
    };
    const EditCase cases[] = {
        {"a-a", "a", "", {"0-1", "2-3"}, "-[]"},
        {"a-a", "a", "bc", {"0-1", "2-3"}, "bc-[bc]"},
        {"aa", "a", "b", {"0-1", "1-2"}, "b[b]"},
        {"a [x] a a", "a", "b", {"4-5", "6-7"}, "a x b [b]"},
        {"a [x] a a", "a", "", {"0-1", "4-5", "6-7"}, " x  []"},
        // A removal that joins a match takes the earlier removal into one range.
        {"xaabby", "ab", "", {"1-5"}, "x[]y"},
        {"aabbab-ab", "ab", "", {"0-6", "7-9"}, "-[]"},
        {"ab\nab", "b\na", "-", {"1-5"}, "a[-]b"},
        {"a\nb\na", "A\nB", "", {"0-4"}, "[]\na"},
        {"\xd0\xb4"
         "a \xd0\x94"
         "A",
         "\xd0\xb4"
         "a",
         "\n",
         {"0-3", "4-7"},
         "\n [\n]"},
        {"none", "x", "y", {}, "[]none"},
    };
    for (const EditCase& c : cases) {
        TSynEditEngine engine(Utf8());
        LoadMarked(engine, c.before);
        EditByEditDocument document(engine);
        ReplaceAllMatches(document, {c.find, c.replace, AnyCase});
        EXPECT_EQ(document.edits, c.edits) << c.before << " / " << c.find;
        EXPECT_EQ(Marked(engine), c.after) << c.before << " / " << c.find;
    }
}

// The one-pass Replace All against the Replace button pressed until it stops, on random texts,
// selections, find and replace texts, in both encodings.
TEST(ReplaceAllMatches, EqualsPressingReplaceUntilItStops) {
    std::mt19937 random(20261208);
    const std::string alphabet[] = {"a", "A", "b", "-", "\n", "\xd0\xb4", "\xd0\x94"};
    const std::string finds[] = {"a",
                                 "A",
                                 "aa",
                                 "ab",
                                 "ba",
                                 "a\nb",
                                 "\n",
                                 "a-a",
                                 "\xd0\xb4"
                                 "a"};
    const std::string replaces[] = {"", "b", "a", "aa", "x\ny", "A", "\xd0\x94"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % std::size(alphabet)];
        const SearchRequest request{finds[random() % std::size(finds)],
                                    replaces[random() % std::size(replaces)],
                                    random() % 2 ? Exact : AnyCase};
        TSynEditEngine stepped(Utf8()), once(Utf8()), editByEdit(Utf8());
        stepped.SetText(text);
        const TextOffset size(stepped.Text().size());
        const TextOffset a(random() % (size.Value() + 1)), b(random() % (size.Value() + 1));
        stepped.SetSelection(stepped.PositionOf(std::min(a, b)),
                             stepped.PositionOf(std::max(a, b)));
        for (TSynEditEngine* engine : {&once, &editByEdit}) {
            engine->SetText(text);
            engine->SetSelection(stepped.SelectionRange().begin, stepped.SelectionRange().end);
        }
        const std::string start = Marked(stepped);

        EngineSearchDocument steppedDocument(stepped), onceDocument(once);
        EditByEditDocument editByEditDocument(editByEdit);
        SearchOutcome last = Selected;
        for (int press = 0; press < 100 && last == Selected; ++press)
            last = ReplaceAndFindNext(steppedDocument, request);
        ASSERT_NE(last, Selected) << start;
        EXPECT_EQ(ReplaceAllMatches(onceDocument, request), last)
            << start << " / " << request.findText << " / " << request.replaceText;
        EXPECT_EQ(Marked(once), Marked(stepped))
            << start << " / " << request.findText << " / " << request.replaceText;
        // The same run made edit by edit: the edits are ordered, disjoint and give that text.
        EXPECT_EQ(ReplaceAllMatches(editByEditDocument, request), last);
        EXPECT_EQ(Marked(editByEdit), Marked(stepped))
            << start << " / " << request.findText << " / " << request.replaceText;
    }
}

TEST(ReplaceAllMatches, OneUndoRestoresTheTextBeforeTheRun) {
    for (const std::string replacement : {"", "xyz", "1\n2"}) {
        TSynEditEngine engine(Utf8());
        LoadMarked(engine, "typed");
        engine.SetCaret(engine.EndOfText());
        engine.TypeText("!");
        const std::string before = engine.Text();
        EngineSearchDocument document(engine);
        ReplaceAllMatches(document, {"t", replacement, AnyCase});
        ASSERT_NE(engine.Text(), before);
        engine.Undo();
        EXPECT_EQ(engine.Text(), before) << replacement;
        engine.Undo();
        EXPECT_EQ(engine.Text(), "typed") << replacement;
    }
}

TEST(ReplaceAndFindNext, OneUndoTakesBackOneReplacement) {
    TSynEditEngine engine(Utf8());
    LoadMarked(engine, "[a] a a");
    EngineSearchDocument document(engine);
    ReplaceAndFindNext(document, {"a", "bc", AnyCase});
    ReplaceAndFindNext(document, {"a", "bc", AnyCase});
    EXPECT_EQ(engine.Text(), "bc bc a");
    engine.Undo();
    EXPECT_EQ(engine.Text(), "bc a a");
}

TEST(ReplaceAllMatches, ReadOnlyTextIsOnlySearched) {
    TSynEditEngine engine(Utf8());
    LoadMarked(engine, "x a a");
    engine.SetReadOnly(true);
    EngineSearchDocument document(engine);
    EXPECT_EQ(ReplaceAllMatches(document, {"a", "b", AnyCase}), Selected);
    EXPECT_EQ(ReplaceAndFindNext(document, {"a", "b", AnyCase}), Selected);
    EXPECT_EQ(Marked(engine), "x a [a]");
}

} // namespace
