#include "codeedit/SynEditTextBuffer.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(const TSynLinesSnapshot& snapshot) {
    std::vector<std::string> lines;
    for (int i = 0; i < snapshot.Count(); ++i)
        lines.emplace_back(snapshot.Get(LineIndex(i)));
    return lines;
}

std::vector<std::string> LinesOf(const TSynEditStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.emplace_back(list.Get(LineIndex(i)));
    return lines;
}

// A snapshot taken after `before` holds the lines as they were then, whatever `after` does to
// the list, and even after the list is gone.
TEST(LinesSnapshotTest, KeepsTheLinesOfItsMomentWhateverTheListDoesLater) {
    using Edit = std::function<void(TSynEditStringList&)>;
    const struct {
        const char* name;
        Edit before;
        Edit after;
    } cases[] = {
        {"loaded, then a line rewritten", [](auto&) {},
         [](auto& l) { l.Put(LineIndex(1), "changed"); }},
        {"edited line, then edited again", [](auto& l) { l.Put(LineIndex(0), "first edit"); },
         [](auto& l) { l.Put(LineIndex(0), "second edit"); }},
        {"lines inserted and deleted", [](auto& l) { l.Insert(LineIndex(1), "inserted"); },
         [](auto& l) {
             l.Delete(LineIndex(0));
             l.Insert(LineIndex(0), "new");
             l.DeleteLines(LineIndex(1), 2);
         }},
        {"whole text replaced", [](auto& l) { l.Put(LineIndex(2), "own copy"); },
         [](auto& l) { l.SetText("something\r\nelse entirely"); }},
        {"cleared", [](auto&) {}, [](auto& l) { l.Clear(); }},
        {"list destroyed", [](auto& l) { l.Add("added"); }, [](auto&) {}},
    };
    for (const auto& c : cases) {
        auto list = std::make_unique<TSynEditStringList>();
        list->LoadFromBuffer("alpha\r\nbeta\r\ngamma\r\ndelta");
        c.before(*list);
        const std::vector<std::string> expected = LinesOf(*list);
        const std::string expectedText = list->Text();
        const TSynLinesSnapshot snapshot = list->Snapshot();
        c.after(*list);
        list.reset();
        EXPECT_EQ(LinesOf(snapshot), expected) << c.name;
        std::string joined;
        snapshot.AppendJoined(joined);
        // The list's Text ends every line with CR LF; joined text has none after the last.
        EXPECT_EQ(joined + "\r\n", expectedText) << c.name;
        EXPECT_EQ(snapshot.JoinedLength(), joined.size()) << c.name;
    }
}

} // namespace
