#pragma once
// The character-case functions. Every one takes the editor's whole text and returns the new
// whole text (the whole-text rule); none changes the number of characters or touches a line
// break. Characters are those of the encoding: one byte in a code page, one sequence in UTF-8
// (an ill-formed byte is a character without case). Locale case is CaseMapping's.

#include "platform/Encoding.h"

#include <string>
#include <string_view>

// Locale lower and upper case of every character ("Lower Case", "Upper Case").
std::string LowerCaseText(std::string_view text, const Encoding& encoding = ProgramEncoding());
std::string UpperCaseText(std::string_view text, const Encoding& encoding = ProgramEncoding());

// Upper case where that changes the character, else lower case ("Invert Case").
std::string InvertCaseText(std::string_view text, const Encoding& encoding = ProgramEncoding());

// Locale upper or lower case by one draw below 2 of the shared random generator per character
// above code 32: 1 upper, 0 lower ("Random Case"). Codes 0 to 32 draw nothing.
std::string RandomCaseText(std::string_view text, const Encoding& encoding = ProgramEncoding());

// Counting every character from 1, those above code 32 at odd positions upper, at even
// positions lower ("Fun Case").
std::string FunCaseText(std::string_view text, const Encoding& encoding = ProgramEncoding());

enum class SentenceRule {
    NormalCase,     // capitals after '.', '!', '?' and at the start (menu tag 0)
    UpperCaseFirst, // capitals also after a space, comma and line break (menu tag 1)
};

// The sentence rules ("Normal Case", "Upper Case First"). Cased are space, '!', '.', '?', the
// Latin letters and codes 128 to 255 (in UTF-8 every character beyond ASCII, so that Cyrillic,
// Greek or any other letters are capitalised as in their code page; ill-formed bytes take part
// and stay as they are).
std::string SentenceCaseText(std::string_view text, SentenceRule rule,
                             const Encoding& encoding = ProgramEncoding());

// Only 'a' to 'z' and 'A' to 'Z' change ("Lower Case (a .. z)", "Upper Case (a .. z)",
// "Invert Case (a .. z)"). ASCII letters are single bytes in every encoding, so these need none.
std::string LowerCaseAzText(std::string_view text);
std::string UpperCaseAzText(std::string_view text);
std::string InvertCaseAzText(std::string_view text);
