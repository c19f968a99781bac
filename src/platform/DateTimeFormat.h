#pragma once
// The user's short date and long time formats (the regional settings' formats) through ICU,
// and formatting a moment with them. Does not parse dates.

#include "platform/Encoding.h"

#include <chrono>
#include <ctime>
#include <string>
#include <string_view>

class DateTimeFormat {
public:
    // The user's formats (LC_ALL, LC_TIME, LANG; the C locale gives ICU's root formats) in the
    // local time zone, made on first use and kept.
    static const DateTimeFormat& ForUser();

    // localeName: POSIX ("ru_RU.UTF-8") or ICU ("ru_RU"); timeZone: an ICU zone id such as
    // "UTC" or "Europe/Berlin", empty for the local zone.
    explicit DateTimeFormat(std::string_view localeName, std::string_view timeZone = {});

    // ICU patterns in UTF-8: the short date ("M/d/yy", "dd.MM.y") and the time with seconds
    // ("h:mm:ss a", "HH:mm:ss").
    const std::string& ShortDatePattern() const { return shortDatePattern; }
    const std::string& LongTimePattern() const { return longTimePattern; }

    // The moment in the encoding; characters it cannot hold become '?'.
    std::string FormatShortDate(std::chrono::system_clock::time_point moment,
                                const Encoding& encoding = ProgramEncoding()) const;
    std::string FormatLongTime(std::chrono::system_clock::time_point moment,
                               const Encoding& encoding = ProgramEncoding()) const;
    // A broken-down time (tm_year, tm_mon, tm_mday, tm_hour, tm_min, tm_sec) read in this
    // format's time zone.
    std::string FormatShortDate(const std::tm& time,
                                const Encoding& encoding = ProgramEncoding()) const;
    std::string FormatLongTime(const std::tm& time,
                               const Encoding& encoding = ProgramEncoding()) const;

private:
    double ToIcuDate(const std::tm& time) const;
    std::string Format(const std::string& pattern, double icuDate, const Encoding& encoding) const;

    std::string localeId;
    std::u16string timeZone;
    std::string shortDatePattern;
    std::string longTimePattern;
};
