#pragma once
// What a document makes of a file's bytes before an editor gets them: the plain editor's line
// breaks, and whether the rich editor can take the content. Converts no encodings.

#include "platform/Encoding.h"

#include <string>
#include <string_view>

// Every lone CR and every lone LF becomes CR LF; CR LF stays, and so does every other byte,
// NUL included. The plain editor's text is saved back exactly as held, so nothing undoes this.
std::string ToPlainEditorText(std::string bytes);

// ".doc", ".rtf", ".docx" and ".rtfx" in any letter case: files the rich editor opens.
bool IsRichTextExtension(std::string_view extension);

// The content starts as an RTF document does.
bool IsRichTextContent(std::string_view bytes);

// A NUL byte near the start: no text the rich editor should show as plain text (a Word
// document, an image), so loading it fails rather than letting a save write RTF over it.
bool LooksBinary(std::string_view bytes);

// The same, or near the start bytes that are no character of the encoding (ill-formed UTF-8, a
// byte the code page leaves out): a file that is no text in it, opened all the same.
bool LooksBinaryText(std::string_view bytes, const Encoding& encoding);

// Only blanks and control characters (bytes up to the space): a tab with such a text counts
// as unused when a file is opened.
bool IsBlankText(std::string_view text);
