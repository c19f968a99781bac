// Editing the line list: index errors, per-line data moving with its line, change records.

#include "codeedit/SynEditTextBuffer.h"

#include <functional>
#include <gtest/gtest.h>

// Found by GoogleTest through the record's (global) namespace.
static void PrintTo(const TSynLinesChange& c, std::ostream* out) {
    *out << "{" << c.index.Value() << ", " << c.removed << ", " << c.inserted
         << (c.wholeText ? ", whole}" : "}");
}

namespace {

// The tables below give dozens of line indices.
constexpr LineIndex L(int index) {
    return LineIndex(index);
}

std::vector<std::string> LinesOf(const TSynEditStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.emplace_back(list.Get(LineIndex(i)));
    return lines;
}

// A list "l0".."l<count-1>" whose records reach the test.
struct Recorded {
    explicit Recorded(int count) {
        for (int i = 0; i < count; ++i)
            // Appending, not "l" + std::string: GCC 12 warns falsely (restrict) at -O3.
            list.Add(std::string("l").append(std::to_string(i)));
        list.SetOnChange([this](const TSynLinesChange& c) { changes.push_back(c); });
    }
    TSynEditStringList list;
    std::vector<TSynLinesChange> changes;
};

struct IndexCase {
    const char* name;
    std::function<void(TSynEditStringList&)> call;
    long long badIndex;
};

void PrintTo(const IndexCase& c, std::ostream* out) {
    *out << c.name;
}

const IndexCase indexCases[] = {
    {"GetPastEnd", [](auto& l) { l.Get(L(3)); }, 3},
    {"GetNegative", [](auto& l) { l.Get(L(-1)); }, -1},
    {"Put", [](auto& l) { l.Put(L(3), "x"); }, 3},
    {"ReplaceInLine", [](auto& l) { l.ReplaceInLine(L(-1), ByteColumn(0), 0, "x"); }, -1},
    {"InsertPastCount", [](auto& l) { l.Insert(L(4), "x"); }, 4},
    {"InsertNegative", [](auto& l) { l.Insert(L(-1), "x"); }, -1},
    {"InsertLines", [](auto& l) { l.InsertLines(L(5), {"x"}); }, 5},
    {"Delete", [](auto& l) { l.Delete(L(3)); }, 3},
    {"DeleteLinesPastEnd", [](auto& l) { l.DeleteLines(L(2), 2); }, 3},
    {"DeleteLinesNegative", [](auto& l) { l.DeleteLines(L(-2), 1); }, -2},
    {"ExchangeFirst", [](auto& l) { l.Exchange(L(7), L(0)); }, 7},
    {"ExchangeSecond", [](auto& l) { l.Exchange(L(0), L(-3)); }, -3},
    {"Objects", [](auto& l) { l.Objects(L(3)); }, 3},
    {"SetObject", [](auto& l) { l.SetObject(L(-1), nullptr); }, -1},
    {"Ranges", [](auto& l) { l.Ranges(L(3)); }, 3},
    {"SetRange", [](auto& l) { l.SetRange(L(3), 1); }, 3},
    {"Flags", [](auto& l) { l.Flags(L(-1)); }, -1},
    {"SetFlags", [](auto& l) { l.SetFlags(L(3), 1); }, 3},
    {"LineStartOffset", [](auto& l) { l.LineStartOffset(L(4)); }, 4},
};

class TextBufferIndexError : public testing::TestWithParam<IndexCase> {};

TEST_P(TextBufferIndexError, ThrowsListErrorWithIndexAndChangesNothing) {
    Recorded r(3);
    r.list.SetRange(L(1), 42);
    try {
        GetParam().call(r.list);
        FAIL() << "no error";
    } catch (const EListError& error) {
        EXPECT_EQ(error.Index(), GetParam().badIndex);
        EXPECT_EQ(std::string(error.what()),
                  "List index out of bounds (" + std::to_string(GetParam().badIndex) + ")");
    }
    EXPECT_EQ(LinesOf(r.list), (std::vector<std::string>{"l0", "l1", "l2"}));
    EXPECT_EQ(r.list.Ranges(L(1)), 42u);
    EXPECT_TRUE(r.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBufferIndexError, testing::ValuesIn(indexCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextBufferIndexError, EmptyListHasNoLineZero) {
    TSynEditStringList list;
    EXPECT_THROW(list.Get(L(0)), EListError);
    EXPECT_THROW(list.Delete(L(0)), EListError);
    EXPECT_NO_THROW(list.Insert(L(0), "first"));
}

// Each line's object, range and flags are tagged with its number so a test can see where
// they went.
void Tag(TSynEditStringList& list) {
    for (int i = 0; i < list.Count(); ++i) {
        list.SetRange(LineIndex(i), 100 + i);
        list.SetFlags(LineIndex(i), static_cast<std::uint8_t>(i + 1));
        list.SetObject(LineIndex(i),
                       reinterpret_cast<void*>(static_cast<std::uintptr_t>(1000 + i)));
    }
}

// Lines whose data does not match their text ("l<n>" carries tag n), or "untagged" for new
// lines whose data must be empty.
std::vector<std::string> Mismatches(const TSynEditStringList& list) {
    std::vector<std::string> bad;
    for (LineIndex i(0); i.Value() < list.Count(); ++i) {
        std::string text(list.Get(i));
        if (text[0] != 'l') {
            if (list.Ranges(i) != 0 || list.Flags(i) != 0 || list.Objects(i) != nullptr)
                bad.push_back(text + " untagged");
            continue;
        }
        int n = std::stoi(text.substr(1));
        if (list.Ranges(i) != TSynRange(100 + n) || list.Flags(i) != n + 1 ||
            list.Objects(i) != reinterpret_cast<void*>(static_cast<std::uintptr_t>(1000 + n)))
            bad.push_back(text);
    }
    return bad;
}

struct MoveCase {
    const char* name;
    std::function<void(TSynEditStringList&)> edit;
    std::vector<std::string> lines;
};

void PrintTo(const MoveCase& c, std::ostream* out) {
    *out << c.name;
}

const MoveCase moveCases[] = {
    {"InsertAtTop", [](auto& l) { l.Insert(L(0), "new"); }, {"new", "l0", "l1", "l2", "l3"}},
    {"InsertInMiddle", [](auto& l) { l.Insert(L(2), "new"); }, {"l0", "l1", "new", "l2", "l3"}},
    {"InsertLines",
     [](auto& l) {
         l.InsertLines(L(1), {"n1", "n2"});
     },
     {"l0", "n1", "n2", "l1", "l2", "l3"}},
    {"Add", [](auto& l) { l.Add("new"); }, {"l0", "l1", "l2", "l3", "new"}},
    {"DeleteTop", [](auto& l) { l.Delete(L(0)); }, {"l1", "l2", "l3"}},
    {"DeleteLines", [](auto& l) { l.DeleteLines(L(1), 2); }, {"l0", "l3"}},
    {"Exchange", [](auto& l) { l.Exchange(L(0), L(3)); }, {"l3", "l1", "l2", "l0"}},
    {"ExchangeAfterGapMoved",
     [](auto& l) {
         l.Insert(L(1), "new");
         l.Exchange(L(4), L(0));
     },
     {"l3", "new", "l1", "l2", "l0"}},
};

class TextBufferLineData : public testing::TestWithParam<MoveCase> {};

TEST_P(TextBufferLineData, MovesWithItsLine) {
    TSynEditStringList list;
    list.SetText("l0\nl1\nl2\nl3");
    Tag(list);
    GetParam().edit(list);
    EXPECT_EQ(LinesOf(list), GetParam().lines);
    EXPECT_EQ(Mismatches(list), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBufferLineData, testing::ValuesIn(moveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextBufferLineData, PutKeepsTheLineData) {
    TSynEditStringList list;
    list.SetText("l0\nl1");
    Tag(list);
    list.Put(L(1), "changed");
    EXPECT_EQ(list.Get(L(1)), "changed");
    EXPECT_EQ(list.Ranges(L(1)), 101u);
    EXPECT_EQ(list.Flags(L(1)), 2);
}

TEST(TextBufferLineData, PutAcceptsAViewOfTheSameLine) {
    TSynEditStringList list;
    list.Add("abcdef");
    list.Put(L(0), list.Get(L(0)).substr(2));
    list.Put(L(0), list.Get(L(0)));
    EXPECT_EQ(list.Get(L(0)), "cdef");
}

TEST(TextBufferAssign, CopiesLinesAndDataAndStaysIndependent) {
    TSynEditStringList source;
    source.LoadFromBuffer("l0\nl1\nl2\nl3");
    Tag(source);
    source.Put(L(1), "l1");
    TSynEditStringList copy;
    copy.Add("old");
    copy.Assign(source);
    EXPECT_EQ(LinesOf(copy), LinesOf(source));
    EXPECT_EQ(Mismatches(copy), std::vector<std::string>{});
    source.Put(L(1), "changed");
    source.Clear();
    EXPECT_EQ(LinesOf(copy), (std::vector<std::string>{"l0", "l1", "l2", "l3"}));
}

TEST(TextBufferChange, EachEditReportsOneRecord) {
    using C = TSynLinesChange;
    struct Case {
        const char* name;
        std::function<void(TSynEditStringList&)> edit;
        std::vector<C> expected;
    };
    const Case cases[] = {
        {"Put", [](auto& l) { l.Put(L(2), "x"); }, {C{L(2), 1, 1}}},
        {"Insert", [](auto& l) { l.Insert(L(1), "x"); }, {C{L(1), 0, 1}}},
        {"Add", [](auto& l) { l.Add("x"); }, {C{L(5), 0, 1}}},
        {"InsertLines",
         [](auto& l) {
             l.InsertLines(L(5), {"x", "y", "z"});
         },
         {C{L(5), 0, 3}}},
        {"InsertNoLines", [](auto& l) { l.InsertLines(L(2), {}); }, {}},
        {"Delete", [](auto& l) { l.Delete(L(4)); }, {C{L(4), 1, 0}}},
        {"DeleteLines", [](auto& l) { l.DeleteLines(L(1), 3); }, {C{L(1), 3, 0}}},
        {"DeleteNoLines", [](auto& l) { l.DeleteLines(L(5), 0); }, {}},
        {"Exchange", [](auto& l) { l.Exchange(L(3), L(1)); }, {C{L(3), 1, 1}, C{L(1), 1, 1}}},
        {"Clear", [](auto& l) { l.Clear(); }, {C{L(0), 5, 0, true}}},
        {"SetText", [](auto& l) { l.SetText("a\nb"); }, {C{L(0), 5, 2, true}}},
        {"Load", [](auto& l) { l.LoadFromBuffer("a\nb\nc"); }, {C{L(0), 5, 3, true}}},
        {"Assign",
         [](auto& l) {
             TSynEditStringList other;
             other.Add("one");
             l.Assign(other);
         },
         {C{L(0), 5, 1, true}}},
        {"RangesObjectsFlagsAreSilent",
         [](auto& l) {
             l.SetRange(L(0), 9);
             l.SetFlags(L(1), 9);
             l.SetObject(L(2), &l);
         },
         {}},
    };
    for (const Case& c : cases) {
        Recorded r(5);
        c.edit(r.list);
        EXPECT_EQ(r.changes, c.expected) << c.name;
    }
}

TEST(TextBufferChange, HandlerSeesTheChangedList) {
    TSynEditStringList list;
    list.SetText("a\nb");
    std::vector<std::string> seen;
    list.SetOnChange([&](const TSynLinesChange&) { seen = LinesOf(list); });
    list.Insert(L(1), "x");
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "x", "b"}));
}

// Applies the reported record to a copy of the old lines, taking the new lines from the list:
// when the record is exact this reproduces the list, and lines outside it must be unchanged.
void ExpectRecordCovers(const std::vector<std::string>& before, const TSynEditStringList& after,
                        const TSynLinesChange& change) {
    std::vector<std::string> rebuilt(before.begin(), before.begin() + change.index.Value());
    for (int i = 0; i < change.inserted; ++i)
        rebuilt.emplace_back(after.Get(change.index + i));
    rebuilt.insert(rebuilt.end(), before.begin() + change.index.Value() + change.removed,
                   before.end());
    EXPECT_EQ(rebuilt, LinesOf(after));
}

TEST(TextBufferChange, UpdateCoalescesIntoOneCoveringRecord) {
    using C = TSynLinesChange;
    struct Case {
        const char* name;
        std::function<void(TSynEditStringList&)> edits;
        C expected;
    };
    const Case cases[] = {
        {"SameLineTwice",
         [](auto& l) {
             l.Put(L(3), "x");
             l.Put(L(3), "y");
         },
         C{L(3), 1, 1}},
        {"InsertThenPutBelow",
         [](auto& l) {
             l.Insert(L(2), "x");
             l.Put(L(6), "y");
         },
         C{L(2), 4, 5}},
        {"PutThenInsertAbove",
         [](auto& l) {
             l.Put(L(6), "y");
             l.Insert(L(2), "x");
         },
         C{L(2), 5, 6}},
        {"DeleteThenInsertElsewhere",
         [](auto& l) {
             l.Delete(L(1));
             l.Insert(L(5), "x");
         },
         C{L(1), 5, 5}},
        {"InsertThenDeleteSame",
         [](auto& l) {
             l.Insert(L(4), "x");
             l.Delete(L(4));
         },
         C{L(4), 0, 0}},
        {"NestedUpdates",
         [](auto& l) {
             l.BeginUpdate();
             l.Delete(L(7));
             l.EndUpdate();
             l.Add("x");
         },
         C{L(7), 3, 3}},
        {"WholeTextWins",
         [](auto& l) {
             l.Insert(L(0), "x");
             l.SetText("a\nb\nc");
             l.Delete(L(0));
         },
         C{L(0), 10, 2, true}},
    };
    for (const Case& c : cases) {
        Recorded r(10);
        std::vector<std::string> before = LinesOf(r.list);
        r.list.BeginUpdate();
        c.edits(r.list);
        EXPECT_TRUE(r.changes.empty()) << c.name << ": reported inside the update";
        r.list.EndUpdate();
        ASSERT_EQ(r.changes.size(), 1u) << c.name;
        EXPECT_EQ(r.changes[0], c.expected) << c.name;
        if (!c.expected.wholeText)
            ExpectRecordCovers(before, r.list, r.changes[0]);
    }
}

TEST(TextBufferChange, RandomEditsInsideAnUpdateGiveAnExactRecord) {
    std::uint32_t seed = 12345;
    auto next = [&](int below) {
        seed = seed * 134775813u + 1;
        return static_cast<int>((std::uint64_t(seed) * unsigned(below)) >> 32);
    };
    for (int round = 0; round < 200; ++round) {
        Recorded r(20);
        std::vector<std::string> before = LinesOf(r.list);
        r.list.BeginUpdate();
        for (int edit = 0, edits = 1 + next(4); edit < edits; ++edit) {
            int count = r.list.Count();
            switch (next(3)) {
            case 0:
                r.list.Insert(LineIndex(next(count + 1)), "new" + std::to_string(round));
                break;
            case 1:
                if (count > 0)
                    r.list.Delete(LineIndex(next(count)));
                break;
            default:
                if (count > 0)
                    r.list.Put(LineIndex(next(count)), "put" + std::to_string(edit));
            }
        }
        r.list.EndUpdate();
        ASSERT_EQ(r.changes.size(), 1u);
        ExpectRecordCovers(before, r.list, r.changes[0]);
        const TSynLinesChange& c = r.changes[0];
        EXPECT_EQ(int(before.size()) - c.removed + c.inserted, r.list.Count());
    }
}

TEST(TextBufferChange, LoadIsOneChangeEvenInsideAnUpdate) {
    Recorded r(3);
    r.list.BeginUpdate();
    r.list.LoadFromBuffer("a\nb");
    r.list.EndUpdate();
    EXPECT_EQ(r.changes, (std::vector<TSynLinesChange>{{L(0), 3, 2, true}}));
}

} // namespace
