#include "app/VersionName.h"

#include "app/FileNameParts.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

struct VersionCase {
    std::string current;
    std::set<std::string> existing;
    std::string expected;
};

class NextFreeVersionPathTest : public testing::TestWithParam<VersionCase> {};

TEST_P(NextFreeVersionPathTest, GivesTheFirstFreeVersionedName) {
    const VersionCase& c = GetParam();
    const auto exists = [&](const std::string& path) { return c.existing.count(path) > 0; };
    EXPECT_EQ(NextFreeVersionPath(c.current, exists), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NextFreeVersionPathTest,
    testing::Values(VersionCase{"/d/report.txt", {}, "/d/report_2.txt"},
                    VersionCase{"/d/report_2.txt", {}, "/d/report_3.txt"},
                    VersionCase{"/d/report_009.txt", {}, "/d/report_10.txt"},
                    VersionCase{"/d/my_notes.txt", {}, "/d/my_notes_2.txt"},
                    VersionCase{"/d/notes_v2.txt", {}, "/d/notes_v2_2.txt"},
                    VersionCase{"/d/a.b.txt", {}, "/d/a.b_2.txt"},
                    VersionCase{"/d/README", {}, "/d/README_2"},
                    VersionCase{"/d/file_.txt", {}, "/d/file__2.txt"},
                    VersionCase{"/d/notes_x9.txt", {}, "/d/notes_10.txt"},
                    VersionCase{
                        "/d/report.txt", {"/d/report_2.txt", "/d/report_3.txt"}, "/d/report_4.txt"},
                    VersionCase{"/d/a_1.txt", {}, "/d/a_2.txt"},
                    VersionCase{"/d/a_1.txt", {"/d/a_2.txt", "/d/a_3.txt"}, "/d/a_4.txt"},
                    // A dot in a folder name is no extension.
                    VersionCase{"/d.old/notes", {}, "/d.old/notes_2"},
                    VersionCase{"relative.txt", {}, "relative_2.txt"},
                    VersionCase{"/home/.bashrc", {}, "/home/_2.bashrc"}));

TEST(NextVersionNameTest, ReadsTheSuffixAsA32BitInteger) {
    const struct {
        const char* stem;
        const char* expected;
    } cases[] = {
        {"x_-5", "x_-4"},
        {"x_-1", "x_0"},
        {"x_+7", "x_8"},
        {"v_$1F", "v_32"},
        {"v_0x10", "v_17"},
        {"v_0X1a", "v_27"},
        {"v_X10", "v_17"},
        {"v_-$10", "v_-15"},
        {"v_ 7", "v_8"},
        {"v_  -7", "v_-6"},
        {"v_0", "v_1"},
        {"v_7 ", "v_7 _2"}, // nothing may follow the digits
        {"v_7a", "v_7a_2"}, // not hexadecimal without a prefix
        {"v_$", "v_$_2"},   // a prefix without digits
        {"v_0x", "v_0x_2"},
        {"v_-", "v_-_2"},
        {"v_- 7", "v_- 7_2"}, // blanks only before the sign
        {"v_\t7", "v_\t7_2"},
        {"v_$G", "v_$G_2"},
        {"v_1_2", "v_1_3"}, // only the last "_" counts
        {"", "_2"},
        {"_", "__2"},
        // The edges of a 32-bit integer: n + 1 never wraps; beyond the range is no integer.
        {"v_2147483646", "v_2147483647"},
        {"v_2147483647", "v_2147483648"},
        {"v_2147483648", "v_2147483648_2"},
        {"v_-2147483648", "v_-2147483647"},
        {"v_-2147483649", "v_-2147483649_2"},
        {"v_$7FFFFFFF", "v_2147483648"},
        {"v_$80000000", "v_$80000000_2"},
        {"v_99999999999999999999", "v_99999999999999999999_2"},
        {"v_0000000000000000000042", "v_43"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextVersionName(c.stem), c.expected) << "stem: \"" << c.stem << "\"";
    }
}

TEST(SplitFileNameTest, SplitsAtTheLastSeparatorAndTheNamesLastDot) {
    const struct {
        const char* path;
        FileNameParts expected;
    } cases[] = {
        {"/d/a.b.txt", {"/d/", "a.b", ".txt"}},     {"/d.x/name", {"/d.x/", "name", ""}},
        {"name.TXT", {"", "name", ".TXT"}},         {"/d/.bashrc", {"/d/", "", ".bashrc"}},
        {"/d/trailing.", {"/d/", "trailing", "."}}, {"/", {"/", "", ""}},
    };
    for (const auto& c : cases) {
        const FileNameParts parts = SplitFileName(c.path);
        EXPECT_EQ(parts.folder, c.expected.folder) << c.path;
        EXPECT_EQ(parts.stem, c.expected.stem) << c.path;
        EXPECT_EQ(parts.extension, c.expected.extension) << c.path;
    }
}

} // namespace
