#pragma once
// The text of File > Export and Preview in Browser: the document's text escaped into HTML or
// wrapped in a preformatted block, optionally inside a font element, written as bytes in the
// document's encoding. Writes no html, head or body element and declares no charset; asks
// nothing (the caller asks whether to convert).

#include <optional>
#include <string>
#include <string_view>

// The tag of the Export menu item: every variant above WithoutStyle adds the font element.
enum class HtmlVariant { WithoutStyle = 0, WithStyle = 1, WithHeader = 2 };

enum class HtmlConversion {
    Escape,       // "<", ">" escaped, line breaks as <br>, tabs and spaces as &nbsp;
    Preformatted, // the text as it is, inside <pre>...</pre>
};

struct HtmlExportOptions {
    HtmlVariant variant = HtmlVariant::WithoutStyle;
    HtmlConversion conversion = HtmlConversion::Escape;
    std::string fontName; // bytes in the document's encoding
    int fontSize = 10;    // points
};

// The variant's from its menu tag (0, 1, 2); nothing for any other number.
std::optional<HtmlVariant> HtmlVariantFromTag(int tag);

// The file's bytes: the font item (variants above 0), the converted text, "</font>", each
// followed by CR LF.
std::string HtmlExportBytes(std::string_view text, const HtmlExportOptions& options);

// Writes HtmlExportBytes to path, replacing any file there. Nothing happens for an empty path.
// On failure nothing is written and the message for the user comes back:
// Cannot create file "<path>". <reason>
std::optional<std::string> WriteHtmlFile(const std::string& path, std::string_view text,
                                         const HtmlExportOptions& options);

// Where Preview in Browser writes: the private temporary folder + a number below 100000 from
// the shared random generator + ".html". The message for the user when there is no such folder.
struct PreviewPath {
    std::string path;
    std::string error;
};
PreviewPath PreviewFilePath();
