#pragma once
// The three sort orders of the line functions. Each takes and returns a line list (the
// line-list rule: the editor's text becomes JoinLines of the result). Comparison goes through
// sort keys computed once per line, so millions of lines sort in n log n key comparisons. Lines
// that compare equal keep their input order. Does not split or join text.

#include "platform/Collator.h"
#include "platform/Encoding.h"
#include "textfuncs/LineList.h"

// Ascending, ignoring case ("Sort Alphabetically").
LineList SortLinesAlphabetically(LineList lines, const Encoding& encoding = ProgramEncoding(),
                                 const Collator& collator = Collator::ForUser(LetterCase::Ignore));

// Descending, respecting case ("Sort Descending").
LineList SortLinesDescending(LineList lines, const Encoding& encoding = ProgramEncoding(),
                             const Collator& collator = Collator::ForUser(LetterCase::Respect));

// Shorter lines (in characters) first; equal lengths ascending, respecting case ("Sort by Line
// Length").
LineList SortLinesByLength(LineList lines, const Encoding& encoding = ProgramEncoding(),
                           const Collator& collator = Collator::ForUser(LetterCase::Respect));
