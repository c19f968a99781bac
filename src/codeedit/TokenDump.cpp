#include "codeedit/TokenDump.h"

#include "codeedit/SynEditRanges.h"

std::string EscapeTokenText(std::string_view text) {
    static const char hexDigits[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (unsigned char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\n':
            escaped += "\\n";
            break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                escaped += "\\x";
                escaped += hexDigits[c >> 4];
                escaped += hexDigits[c & 15];
            } else {
                escaped += static_cast<char>(c);
            }
            break;
        }
    }
    return escaped;
}

void DumpTokens(TSynEditStringList& lines, TSynCustomHighlighter& highlighter, std::ostream& out) {
    ScanAll(lines, &highlighter);
    for (LineIndex line(0); line < LineIndex(lines.Count()); ++line) {
        const std::string_view text = lines.Get(line);
        const int n = line.Value();
        const TSynRange after = ForEachToken(lines, highlighter, line, [&](const TSynToken& token) {
            out << 'L' << n << '\t' << token.start.Value() << '\t' << token.kind << '\t'
                << (token.attribute != nullptr ? token.attribute->Name() : std::string("-")) << '\t'
                << EscapeTokenText(text.substr(token.start.Value(), token.length)) << '\n';
        });
        out << 'R' << n << '\t' << unsigned{after} << '\n';
    }
}
