#include "platform/DateTimeFormat.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>

namespace {

const Encoding& Page(int codePage) {
    return *Encoding::ForCodePage(codePage);
}

// 2026-03-04 05:06:07 UTC
const std::chrono::system_clock::time_point moment{std::chrono::seconds(1772600767)};

TEST(DateTimeFormat, ShortDateAndLongTimeOfTheLocale) {
    struct Case {
        const char* locale;
        const char* datePattern;
        const char* timePattern;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {"en_US.UTF-8", "M/d/yy", "h:mm:ss a", "3/4/26", "5:06:07 AM"},
        {"ru_RU.UTF-8", "dd.MM.y", "HH:mm:ss", "04.03.2026", "05:06:07"},
        {"de_DE", "dd.MM.yy", "HH:mm:ss", "04.03.26", "05:06:07"},
        {"C", "y-MM-dd", "HH:mm:ss", "2026-03-04", "05:06:07"},
    };
    for (const Case& c : cases) {
        const DateTimeFormat format(c.locale, "UTC");
        EXPECT_EQ(format.ShortDatePattern(), c.datePattern) << c.locale;
        EXPECT_EQ(format.LongTimePattern(), c.timePattern) << c.locale;
        EXPECT_EQ(format.FormatShortDate(moment, Page(1252)), c.date) << c.locale;
        EXPECT_EQ(format.FormatLongTime(moment, Page(1252)), c.time) << c.locale;
    }
}

TEST(DateTimeFormat, TimeZoneShiftsTheClock) {
    const DateTimeFormat berlin("de_DE", "Europe/Berlin");
    EXPECT_EQ(berlin.FormatLongTime(moment, Page(1252)), "06:06:07");
}

TEST(DateTimeFormat, BrokenDownTimeIsReadInTheFormatsZone) {
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11; // December
    time.tm_mday = 31;
    time.tm_hour = 23;
    time.tm_min = 59;
    time.tm_sec = 58;
    const DateTimeFormat format("ru_RU", "Asia/Tokyo");
    EXPECT_EQ(format.FormatShortDate(time, Page(1251)), "31.12.2026");
    EXPECT_EQ(format.FormatLongTime(time, Page(1251)), "23:59:58");
}

TEST(DateTimeFormat, LettersComeInTheEncodingOrAsQuestionMarks) {
    // The Greek time carries the morning marker "π.μ.", which Windows-1252 cannot hold.
    const DateTimeFormat greek("el_GR", "UTC");
    const std::string time1253 = greek.FormatLongTime(moment, Page(1253));
    const std::string time1252 = greek.FormatLongTime(moment, Page(1252));
    EXPECT_NE(time1253.find("\xF0.\xEC."), std::string::npos) << time1253;
    EXPECT_NE(time1252.find("?.?."), std::string::npos) << time1252;
}

} // namespace
