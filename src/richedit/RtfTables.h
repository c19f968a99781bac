#pragma once
// The font and colour tables of an RTF file as the reader fills them: entries arrive piece by
// piece (a number, a charset, bytes and characters of a name, a ';') and are looked up by the
// numbers of \f and \cf. Knows nothing of groups or of the document's text.

#include "platform/Color.h"
#include "platform/Encoding.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace detail {

struct RtfFont {
    std::string name;                   // UTF-8
    const Encoding* encoding = nullptr; // nullptr: the document's code page
    std::string family;                 // "roman", "swiss", ...; empty when not given
    int charset = -1;                   // -1 when not given
};

class RtfFontTable {
public:
    // Starts the entry of font number; an entry not yet finished is finished first.
    void BeginEntry(int number, const Encoding& documentEncoding);
    void SetCharset(int value) { charset = value; }
    void SetFamily(std::string_view value) { family = value; }
    void SetCodePage(int value) { codePage = value; }
    // A byte of the name in the entry's code page, or a character given by its code.
    void AddByte(char byte);
    void AddCode(char32_t code, const Encoding& documentEncoding);
    // Stores the entry under its number unless its name is blank, and starts a fresh one.
    void FinishEntry(const Encoding& documentEncoding);

    const RtfFont* Find(int number) const;

private:
    const Encoding* EntryEncoding() const;

    std::map<int, RtfFont> fonts;
    int number = 0;
    int charset = -1;
    int codePage = 0;
    std::string family;
    std::string name; // UTF-8, followed by the bytes not yet decoded
    std::string nameBytes;
};

class RtfColorTable {
public:
    void SetRed(int value) { red = value; }
    void SetGreen(int value) { green = value; }
    void SetBlue(int value) { blue = value; }
    // Ends an entry at ';'. One without components is the "automatic" colour.
    void FinishEntry();
    // clNone for the automatic colour and for an index the table does not have.
    TColor At(int index) const;

private:
    std::vector<TColor> colors;
    int red = -1, green = -1, blue = -1;
};

// Appends the text of bytes in a code page as UTF-8; a byte the code page leaves undefined
// becomes U+FFFD.
void AppendDecoded(std::string& out, std::string_view bytes, const Encoding& encoding);

} // namespace detail
