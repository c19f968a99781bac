#pragma once
// The "Date && Time" submenu: the strings inserted at the caret (the caret-insertion rule). The
// moment is a parameter so that the same moment always gives the same text; the window passes
// the current time and the user's formats.

#include "platform/DateTimeFormat.h"
#include "platform/Encoding.h"

#include <chrono>
#include <string>

// "Insert Date": the short date of the user's regional format.
std::string DateText(std::chrono::system_clock::time_point moment,
                     const DateTimeFormat& format = DateTimeFormat::ForUser(),
                     const Encoding& encoding = ProgramEncoding());

// "Insert Time": the long time, with seconds where the format has them.
std::string TimeText(std::chrono::system_clock::time_point moment,
                     const DateTimeFormat& format = DateTimeFormat::ForUser(),
                     const Encoding& encoding = ProgramEncoding());

// "Insert Date Time": the date, one space, the time.
std::string DateAndTimeText(std::chrono::system_clock::time_point moment,
                            const DateTimeFormat& format = DateTimeFormat::ForUser(),
                            const Encoding& encoding = ProgramEncoding());
