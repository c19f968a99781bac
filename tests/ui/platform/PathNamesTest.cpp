#include "platform/qt/PathNames.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Every name of bytes comes back as itself; the bytes that are no character show as \xHH.
TEST(PathNamesTest, NamesOfAnyBytesRoundTripAndShowTheirOddBytes) {
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"/home/ann/notes.txt", "/home/ann/notes.txt"},
        {"/tmp/caf\xc3\xa9 & \xe2\x82\xac.txt",
         QString::fromUtf8("/tmp/caf\xc3\xa9 & \xe2\x82\xac.txt")},
        {"/tmp/a\xff.txt", "/tmp/a\\xFF.txt"},
        {"/tmp/\x80\xfe", "/tmp/\\x80\\xFE"},
        // A sequence cut short, an overlong one and an encoded surrogate are bytes, one by one.
        {"/tmp/\xc3.txt", "/tmp/\\xC3.txt"},
        {"/tmp/\xc0\xaf", "/tmp/\\xC0\\xAF"},
        {"/tmp/\xed\xa0\x80", "/tmp/\\xED\\xA0\\x80"},
        {"/tmp/\xf0\x9f\x98\x80", QString::fromUtf8("/tmp/\xf0\x9f\x98\x80")},
    };
    for (const auto& c : cases) {
        const QString path = DisplayPath(c.bytes);
        EXPECT_EQ(LocalPath(path), c.bytes) << c.bytes;
        EXPECT_EQ(ShownPath(path), c.shown) << c.bytes;
        EXPECT_EQ(ShownText(c.bytes), c.shown) << c.bytes;
    }
    EXPECT_EQ(ShownFileName(DisplayPath("/tmp/d\xff/n\xfe.txt")), "n\\xFE.txt");
    EXPECT_EQ(DisplayFolderOf(DisplayPath("/tmp/d\xff/n.txt")), DisplayPath("/tmp/d\xff"));
}

} // namespace
