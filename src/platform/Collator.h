#pragma once
// Locale string comparison of byte strings (the program's locale order for sorting and
// duplicate removal), through ICU. Does not search or case-map.

#include "platform/Encoding.h"

#include <string>
#include <string_view>

struct UCollator;

enum class LetterCase { Respect, Ignore };

class Collator {
public:
    // The order of the user's locale (LC_ALL, LC_COLLATE, LANG; the C locale gives the root
    // order), made on first use and kept.
    static const Collator& ForUser(LetterCase letterCase);

    // localeName: POSIX ("de_DE.UTF-8") or ICU ("de_DE"); "C", "POSIX" and "" give the root
    // order. Ignoring case compares letters and accents but not case ("a" < "B" < "c");
    // respecting it puts a lower-case letter before its upper case ("a" < "A" < "b").
    Collator(std::string_view localeName, LetterCase letterCase);
    ~Collator();
    Collator(const Collator&) = delete;
    Collator& operator=(const Collator&) = delete;

    // Negative, zero or positive as a sorts before, equal to or after b. Bytes that are no
    // character (raw bytes) sort after all characters, by byte value. Safe from any thread.
    int Compare(std::string_view a, std::string_view b,
                const Encoding& encoding = ProgramEncoding()) const;

    // A key whose byte order (memcmp, std::string's operator<) is Compare's order, for sorting
    // many lines: compute each key once, then compare keys.
    std::string SortKey(std::string_view text, const Encoding& encoding = ProgramEncoding()) const;

private:
    UCollator* collator;
};

// Collator::ForUser(letterCase).Compare(a, b, encoding).
int CompareText(std::string_view a, std::string_view b, LetterCase letterCase,
                const Encoding& encoding = ProgramEncoding());
