#pragma once
// What the rich editor makes of a file's bytes: RTF, plain text, or neither. Neither is refused
// with a message rather than shown as text, so a save from the rich editor can never write RTF
// over a Word document or another binary file.

#include <string>
#include <string_view>

enum class RichFileKind { Rtf, PlainText, Binary };

// RTF begins with "{\rtf"; otherwise a NUL byte near the start means binary, as in a .docx
// (a zip) or a binary .doc; anything else is plain text.
RichFileKind ClassifyRichFile(std::string_view bytes);

// The error the editor reports for a file of kind Binary.
std::string NotRichTextMessage(std::string_view path);
