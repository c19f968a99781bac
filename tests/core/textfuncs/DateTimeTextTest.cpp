#include "textfuncs/DateTimeText.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// 2026-03-04 05:06:07 UTC
const std::chrono::system_clock::time_point moment{std::chrono::seconds(1772600767)};

TEST(DateTimeText, DateTimeAndBothInTheUsersFormats) {
    const struct {
        const char* locale;
        int codePage;
        std::string date;
        std::string time;
    } cases[] = {
        {"en_US", 1252, "3/4/26", "5:06:07 AM"},
        {"ru_RU", 1251, "04.03.2026", "05:06:07"},
        {"de_DE", Encoding::Utf8CodePage, "04.03.26", "05:06:07"},
    };
    for (const auto& c : cases) {
        const DateTimeFormat format(c.locale, "UTC");
        const Encoding& encoding = *Encoding::ForCodePage(c.codePage);
        EXPECT_EQ(DateText(moment, format, encoding), c.date) << c.locale;
        EXPECT_EQ(TimeText(moment, format, encoding), c.time) << c.locale;
        EXPECT_EQ(DateAndTimeText(moment, format, encoding), c.date + " " + c.time) << c.locale;
    }
}

TEST(DateTimeText, TheMomentIsReadInTheFormatsTimeZone) {
    const DateTimeFormat tokyo("ru_RU", "Asia/Tokyo");
    const std::chrono::system_clock::time_point lateEvening{std::chrono::seconds(1772636399)};
    // 2026-03-04 14:59:59 UTC is 23:59:59 in Tokyo; a second later the date turns.
    EXPECT_EQ(DateAndTimeText(lateEvening, tokyo, *Encoding::ForCodePage(1251)),
              "04.03.2026 23:59:59");
    EXPECT_EQ(
        DateAndTimeText(lateEvening + std::chrono::seconds(1), tokyo, *Encoding::ForCodePage(1251)),
        "05.03.2026 00:00:00");
}

} // namespace
