#include "platform/DateTimeFormat.h"

#include "platform/PosixLocale.h"

#include <memory>
#include <unicode/ucal.h>
#include <unicode/udat.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

namespace {

using DateFormatPointer = std::unique_ptr<UDateFormat, decltype(&udat_close)>;
using CalendarPointer = std::unique_ptr<UCalendar, decltype(&ucal_close)>;

std::string ToUtf8(const std::u16string& text) {
    std::string result(text.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(result.data(), int32_t(result.size()), &length, text.data(), int32_t(text.size()),
                &status);
    result.resize(U_SUCCESS(status) ? length : 0);
    return result;
}

std::u16string FromUtf8(std::string_view text) {
    std::u16string result(text.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(result.data(), int32_t(result.size()), &length, text.data(), int32_t(text.size()),
                  &status);
    result.resize(U_SUCCESS(status) ? length : 0);
    return result;
}

// Recent CLDR puts a narrow no-break space before AM/PM; regional formats use a plain space,
// and most code pages cannot hold the narrow one.
std::u16string WithPlainSpaces(std::u16string pattern) {
    for (char16_t& c : pattern) {
        if (c == u'\u202F')
            c = u' ';
    }
    return pattern;
}

std::string DefaultPattern(const std::string& localeId, UDateFormatStyle timeStyle,
                           UDateFormatStyle dateStyle) {
    UErrorCode status = U_ZERO_ERROR;
    DateFormatPointer format(
        udat_open(timeStyle, dateStyle, localeId.c_str(), nullptr, -1, nullptr, 0, &status),
        &udat_close);
    if (U_FAILURE(status))
        return {};
    std::u16string pattern(64, u'\0');
    int32_t length =
        udat_toPattern(format.get(), false, pattern.data(), int32_t(pattern.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        status = U_ZERO_ERROR;
        pattern.assign(length, u'\0');
        length = udat_toPattern(format.get(), false, pattern.data(), length, &status);
    }
    pattern.resize(U_SUCCESS(status) ? length : 0);
    return ToUtf8(WithPlainSpaces(pattern));
}

double IcuDateOf(std::chrono::system_clock::time_point moment) {
    return static_cast<double>(
        std::chrono::duration_cast<std::chrono::milliseconds>(moment.time_since_epoch()).count());
}

} // namespace

DateTimeFormat::DateTimeFormat(std::string_view localeName, std::string_view zone)
    : localeId(detail::IcuLocaleId(detail::ParsePosixLocale(localeName))), timeZone(FromUtf8(zone)),
      shortDatePattern(DefaultPattern(localeId, UDAT_NONE, UDAT_SHORT)),
      longTimePattern(DefaultPattern(localeId, UDAT_MEDIUM, UDAT_NONE)) {}

const DateTimeFormat& DateTimeFormat::ForUser() {
    static const DateTimeFormat format(detail::UserLocaleName("LC_TIME"));
    return format;
}

std::string DateTimeFormat::FormatShortDate(std::chrono::system_clock::time_point moment,
                                            const Encoding& encoding) const {
    return Format(shortDatePattern, IcuDateOf(moment), encoding);
}

std::string DateTimeFormat::FormatLongTime(std::chrono::system_clock::time_point moment,
                                           const Encoding& encoding) const {
    return Format(longTimePattern, IcuDateOf(moment), encoding);
}

std::string DateTimeFormat::FormatShortDate(const std::tm& time, const Encoding& encoding) const {
    return Format(shortDatePattern, ToIcuDate(time), encoding);
}

std::string DateTimeFormat::FormatLongTime(const std::tm& time, const Encoding& encoding) const {
    return Format(longTimePattern, ToIcuDate(time), encoding);
}

double DateTimeFormat::ToIcuDate(const std::tm& time) const {
    UErrorCode status = U_ZERO_ERROR;
    const UChar* zone = timeZone.empty() ? nullptr : timeZone.data();
    CalendarPointer calendar(ucal_open(zone, timeZone.empty() ? -1 : int32_t(timeZone.size()),
                                       localeId.c_str(), UCAL_GREGORIAN, &status),
                             &ucal_close);
    if (U_FAILURE(status))
        return 0;
    ucal_clear(calendar.get());
    ucal_setDateTime(calendar.get(), time.tm_year + 1900, time.tm_mon, time.tm_mday, time.tm_hour,
                     time.tm_min, time.tm_sec, &status);
    const UDate date = ucal_getMillis(calendar.get(), &status);
    return U_SUCCESS(status) ? date : 0;
}

std::string DateTimeFormat::Format(const std::string& pattern, double icuDate,
                                   const Encoding& encoding) const {
    const std::u16string pattern16 = FromUtf8(pattern);
    UErrorCode status = U_ZERO_ERROR;
    DateFormatPointer format(udat_open(UDAT_PATTERN, UDAT_PATTERN, localeId.c_str(),
                                       timeZone.empty() ? nullptr : timeZone.data(),
                                       timeZone.empty() ? -1 : int32_t(timeZone.size()),
                                       pattern16.data(), int32_t(pattern16.size()), &status),
                             &udat_close);
    if (U_FAILURE(status))
        return {};
    std::u16string text(64, u'\0');
    int32_t length =
        udat_format(format.get(), icuDate, text.data(), int32_t(text.size()), nullptr, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        status = U_ZERO_ERROR;
        text.assign(length, u'\0');
        length = udat_format(format.get(), icuDate, text.data(), length, nullptr, &status);
    }
    if (U_FAILURE(status))
        return {};
    text.resize(length);
    text = WithPlainSpaces(text);
    std::string result;
    for (int32_t i = 0; i < length;) {
        UChar32 code;
        U16_NEXT(text.data(), i, length, code);
        encoding.AppendEncoded(result, U_IS_SURROGATE(code) ? U'?' : static_cast<CharCode>(code));
    }
    return result;
}
