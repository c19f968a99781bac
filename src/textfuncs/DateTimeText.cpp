#include "textfuncs/DateTimeText.h"

std::string DateText(std::chrono::system_clock::time_point moment, const DateTimeFormat& format,
                     const Encoding& encoding) {
    return format.FormatShortDate(moment, encoding);
}

std::string TimeText(std::chrono::system_clock::time_point moment, const DateTimeFormat& format,
                     const Encoding& encoding) {
    return format.FormatLongTime(moment, encoding);
}

std::string DateAndTimeText(std::chrono::system_clock::time_point moment,
                            const DateTimeFormat& format, const Encoding& encoding) {
    return DateText(moment, format, encoding) + ' ' + TimeText(moment, format, encoding);
}
