#include "output/HtmlExport.h"

#include "output/ReplaceAllText.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"

namespace {

constexpr std::string_view LineBreak = "\r\n";

std::string EscapedText(std::string_view text) {
    // The order matters: the "<br>" inserted third must not be escaped again, and the tab's
    // spaces become &nbsp; with the others.
    std::string result = ReplaceAllText(text, "<", "&lt;");
    result = ReplaceAllText(result, ">", "&gt;");
    result = ReplaceAllText(result, "\r\n", "<br>\r\n");
    result = ReplaceAllText(result, "\t", "    ");
    return ReplaceAllText(result, " ", "&nbsp;");
}

void AddItem(std::string& file, std::string_view item) {
    file.append(item);
    file.append(LineBreak);
}

} // namespace

std::optional<HtmlVariant> HtmlVariantFromTag(int tag) {
    if (tag < 0 || tag > 2)
        return std::nullopt;
    return static_cast<HtmlVariant>(tag);
}

std::string HtmlExportBytes(std::string_view text, const HtmlExportOptions& options) {
    const bool withFont = options.variant != HtmlVariant::WithoutStyle;
    std::string converted;
    if (options.conversion == HtmlConversion::Escape) {
        converted = EscapedText(text);
    } else {
        converted.reserve(text.size() + 11);
        converted.append("<pre>").append(text).append("</pre>");
    }
    if (!withFont) {
        converted.append(LineBreak);
        return converted;
    }
    std::string file;
    file.reserve(converted.size() + options.fontName.size() + 60);
    AddItem(file, "<font face=\"" + options.fontName +
                      "\" style=\"font-size: " + std::to_string(options.fontSize) + "pt\">");
    AddItem(file, converted);
    AddItem(file, "</font>");
    return file;
}

std::optional<std::string> WriteHtmlFile(const std::string& path, std::string_view text,
                                         const HtmlExportOptions& options) {
    if (path.empty())
        return std::nullopt;
    const std::optional<FileError> error = SaveFileAtomically(path, HtmlExportBytes(text, options));
    if (!error)
        return std::nullopt;
    return "Cannot create file \"" + path + "\". " + error->reason;
}

PreviewPath PreviewFilePath() {
    const FileResult<std::string> folder = PrivateTempFolder();
    if (!folder)
        return {{}, folder.error->message};
    return {folder.value + std::to_string(Random::Below(100000)) + ".html", {}};
}
