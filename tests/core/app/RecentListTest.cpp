#include "app/RecentList.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

Paths Numbered(int first, int last) {
    Paths paths;
    for (int i = first; i >= last; --i)
        paths.push_back("/f/" + std::to_string(i) + ".txt");
    return paths;
}

TEST(RecentListTest, AddRecentFileKeepsTheNewestFifteenWithoutDuplicates) {
    const struct {
        const char* name;
        Paths before;
        std::string added;
        Paths expected;
    } cases[] = {
        {"first entry", {}, "/a", {"/a"}},
        {"new path on top", {"/a", "/b"}, "/c", {"/c", "/a", "/b"}},
        {"listed path moves up", {"/a", "/b", "/c"}, "/c", {"/c", "/a", "/b"}},
        {"top stays top", {"/a", "/b"}, "/a", {"/a", "/b"}},
        {"letter case tells names apart", {"/a/x.txt"}, "/a/X.txt", {"/a/X.txt", "/a/x.txt"}},
        {"full list loses its last", Numbered(15, 1), "/new",
         [] {
             Paths expected = Numbered(15, 2);
             expected.insert(expected.begin(), "/new");
             return expected;
         }()},
        {"slot 7 to the top, the rest closes up", Numbered(15, 1), "/f/8.txt",
         [] {
             Paths expected = Numbered(15, 1);
             expected.erase(expected.begin() + 7);
             expected.insert(expected.begin(), "/f/8.txt");
             return expected;
         }()},
        {"only the first of duplicates read from a file moves",
         {"/a", "/b", "/a"},
         "/a",
         {"/a", "/b", "/a"}},
        {"ampersands are data", {"/x & y/a&b.txt"}, "/c&d", {"/c&d", "/x & y/a&b.txt"}},
    };
    for (const auto& c : cases) {
        RecentList list(c.before);
        list.AddRecentFile(c.added);
        EXPECT_EQ(list.Entries(), c.expected) << c.name;
    }
}

TEST(RecentListTest, SixteenFilesLeaveTheLastFifteenNewestFirst) {
    RecentList list;
    for (int i = 1; i <= 16; ++i)
        list.AddRecentFile("/f/" + std::to_string(i) + ".txt");
    EXPECT_EQ(list.Count(), kRecentCapacity);
    EXPECT_EQ(list.Entries(), Numbered(16, 2));
}

TEST(RecentListTest, AListFromTheSettingsFileIsCutToCapacity) {
    EXPECT_EQ(RecentList(Numbered(20, 1)).Entries(), Numbered(20, 6));
}

TEST(RecentListTest, MenuNameIsTheFileNameWithoutFolder) {
    const struct {
        std::string entry;
        std::string expected;
    } cases[] = {
        {"/home/u/new.txt", "new.txt"},
        {"/a & b/c&d.txt", "c&d.txt"},
        {"/dir.d/noext", "noext"},
        {"bare.txt", "bare.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecentMenuName(c.entry), c.expected) << c.entry;
}

} // namespace
