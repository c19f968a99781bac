#pragma once
// The reversing, trimming and removing line functions. Each says which rule gives its result
// back to the editor. None of them compares by locale except duplicate removal; none sorts.

#include "platform/Collator.h"
#include "platform/Encoding.h"
#include "textfuncs/LineList.h"

#include <string>
#include <string_view>

// Line-list rule: the lines in the opposite order ("Reverse Lines").
LineList ReverseLines(LineList lines);

// Line-list rule: each line's characters in the opposite order, the lines in place ("Reverse
// Strings"). A UTF-8 sequence stays whole; each byte of an ill-formed one moves on its own.
LineList ReverseStrings(LineList lines, const Encoding& encoding = ProgramEncoding());

// Line-list rule: the text read backwards ("Reverse Text"): ReverseLines, then ReverseStrings.
LineList ReverseText(LineList lines, const Encoding& encoding = ProgramEncoding());

// Whole-text rule ("Remove Blank Lines"): removes every line made only of codes 0 to 32 with the
// break after it; a blank last line loses its characters and keeps the break before it. Nothing
// else changes: no break is added at the end, and the other lines keep their own breaks.
std::string RemoveBlankLines(std::string_view text);

// Line-list rule: each line without its leading and trailing codes 0 to 32 ("Trim Lines").
LineList TrimLines(LineList lines);

// Line-list rule: the first line of each group that compares equal ignoring case, in input
// order and as written ("Remove duplicate lines"). Linear: equal sort keys mean equal lines.
LineList RemoveDuplicateLines(LineList lines, const Encoding& encoding = ProgramEncoding(),
                              const Collator& collator = Collator::ForUser(LetterCase::Ignore));
