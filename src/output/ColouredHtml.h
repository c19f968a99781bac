#pragma once
// The coloured HTML page of a text: a complete HTML5 page in UTF-8 whatever the text's code
// page, the text in a <pre> in the editor's font and colours, the highlighter's tokens joined
// into runs of equal look with one <span> per run that differs from the plain text. Every look
// comes from TSynStyleResolver, the rule the code editor paints by; characters the editor shows
// as pictures (control codes, bytes that are no character) are written as those pictures.
// It streams: the page leaves in chunks of about ChunkSize bytes, and only the line being
// written is held. It neither opens files nor picks the highlighter.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/SynEditTokenStyle.h"
#include "platform/Encoding.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct ColouredHtmlOptions {
    std::string title;    // UTF-8
    std::string fontName; // UTF-8
    int fontSize = 10;    // points
    int tabWidth = 8;     // columns
};

// Takes each finished piece of the page, in order.
using HtmlSink = std::function<void(std::string_view)>;

class ColouredHtmlWriter {
public:
    static constexpr std::size_t ChunkSize = 1 << 20;

    // highlighter: nullptr for a page of plain text. It is cleared to its initial range and
    // then carried from line to line. The head of the page goes out with the first chunk.
    ColouredHtmlWriter(const Encoding& encoding, TSynCustomHighlighter* highlighter,
                       const TSynStyleResolver& resolver, const ColouredHtmlOptions& options,
                       HtmlSink sink);
    ColouredHtmlWriter(const ColouredHtmlWriter&) = delete;
    ColouredHtmlWriter& operator=(const ColouredHtmlWriter&) = delete;

    // Bytes after a line that WriteLine may read when told so.
    static constexpr std::size_t LineSlack = 16;
    enum class ReadPastLine {
        No,
        Yes // the LineSlack bytes after the line may be read (never written)
    };
    // One line of the text, without its line break.
    void WriteLine(std::string_view line, ReadPastLine readPast = ReadPastLine::No);
    // Closes the page and hands out the rest. Call once, after the last line.
    void Finish();

private:
    // Texts up to this long are first copied as they are and checked on the way.
    static constexpr std::size_t ShortText = 64;
    // What one byte becomes: copied as it is, or replaced by up to 8 bytes.
    struct ByteOutput {
        std::uint8_t length = 0; // 0: the byte itself
        std::array<char, 8> bytes{};
    };
    struct AttributeClass {
        const TSynHighlighterAttributes* attribute;
        int index; // class number, -1 for the plain look
    };

    void BuildByteTable();
    void BuildClasses();
    void WriteHead(const ColouredHtmlOptions& options);
    // Attribute to class through the cache: tokens switch attributes all the time.
    int ClassOf(const TSynHighlighterAttributes* attribute) {
        const auto address = reinterpret_cast<std::uintptr_t>(attribute);
        const CachedClass& cached =
            classCache[((address >> 4) ^ (address >> 10)) % classCache.size()];
        return cached.attribute == attribute ? cached.index : ClassOfUncached(attribute);
    }
    int ClassOfUncached(const TSynHighlighterAttributes* attribute);
    // The class blanks in the look of class `from` are written in while the run of `open` is
    // open: fewer spans.
    int BlankClass(int from, int open) const {
        return blankClasses[std::size_t(from + 1) * (classStyles.size() + 2) +
                            std::size_t(open + 2)];
    }
    // Ends the open span and opens the one of classIndex (nothing for the plain look). Between
    // listed classes the markup is one copy of a fixed size: runs change all the time.
    void SwitchTo(int classIndex, const TSynHighlighterAttributes* attribute) {
        if (classIndex == -2 || openClass == -2) {
            SwitchToUnlisted(classIndex, attribute);
            return;
        }
        const SpanSwitch& markup =
            spanSwitches[std::size_t(openClass != -1) * (classStyles.size() + 1) +
                         std::size_t(classIndex + 1)];
        std::memcpy(Reserve(markup.bytes.size()), markup.bytes.data(), markup.bytes.size());
        used += markup.length;
        openClass = classIndex;
    }
    void SwitchToUnlisted(int classIndex, const TSynHighlighterAttributes* attribute);
    // Most tokens are short and hold nothing to escape: copied while checked, inline.
    void WriteText(std::string_view text) {
        if (text.size() > ShortText || !CopyIfPlain(text))
            WriteEscaped(text);
    }
    bool CopyIfPlain(std::string_view text) {
        char* const out = Reserve(text.size());
        unsigned found = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            out[i] = char(byte);
            found |= replaced[byte];
        }
        if (found != 0)
            return false;
        used += text.size();
        return true;
    }
    void WriteEscaped(std::string_view text);
    // Whether no byte of a line needs escaping; reads up to LineSlack bytes past it.
    bool NothingToEscapeIn(std::string_view line) const;
    // A token of a line with nothing to escape and the slack after it: moved sixteen bytes a
    // step, as many as the copy needs at least. The buffer has room past what it holds, and the
    // bytes past the token are overwritten next.
    void CopyToken(const char* from, std::size_t count) {
        char* const out = Reserve(count + LineSlack);
        std::size_t at = 0;
        do {
            std::memcpy(out + at, from + at, LineSlack);
            at += LineSlack;
        } while (at < count);
        used += count;
    }
    // Escapes from p up to end (a UTF-8 sequence begun before end is taken whole); returns the
    // new end of the output and leaves p after the last byte taken.
    char* Escape(char* out, const char*& p, const char* end, std::string_view whole) const;
    void Append(std::string_view text);
    char* Reserve(std::size_t bytes) {
        if (used + bytes > buffer.size())
            MakeRoom(bytes);
        return buffer.data() + used;
    }
    void MakeRoom(std::size_t bytes);
    void FlushIfFull();

    const Encoding& encoding;
    TSynCustomHighlighter* highlighter;
    const TSynStyleResolver& resolver;
    HtmlSink sink;
    std::array<ByteOutput, 256> byteTable{};
    // Each byte's table length alone, packed: the check of short texts reads only this.
    std::array<std::uint8_t, 256> replaced{};
    // Whether the check of sixteen bytes at a time finds every byte the table replaces (it
    // does for every code page whose printable ASCII is ASCII).
    bool wideCheckFindsAll = false;
    std::vector<TSynTokenStyle> classStyles;
    std::vector<std::string> spanTags; // per class: its opening tag
    // The markup from one class to another: (a span is open) * (classes + 1) + (to + 1).
    struct SpanSwitch {
        std::array<char, 48> bytes{}; // the longest, with a ten-digit class number: 33
        std::size_t length = 0;
    };
    std::vector<SpanSwitch> spanSwitches;
    std::vector<int> blankClasses; // (from + 1, open + 2), from -1 (plain), open -2 and up
    std::vector<AttributeClass> attributeClasses;
    // Attribute to class, direct-mapped by address.
    struct CachedClass {
        const TSynHighlighterAttributes* attribute = nullptr;
        int index = -1;
    };
    std::array<CachedClass, 64> classCache{};
    std::vector<TSynToken> tokens; // of the line being written
    int openClass = -1;            // the span open now; -1 none
    LineIndex lineIndex{};
    std::string buffer;
    std::size_t used = 0;
};

// The whole page of a line list (the window's export).
void WriteColouredHtml(const TSynEditStringList& lines, const Encoding& encoding,
                       TSynCustomHighlighter* highlighter, const TSynStyleResolver& resolver,
                       const ColouredHtmlOptions& options, const HtmlSink& sink);

// The page of a stream read in chunks, cut into lines as loading a file cuts them (CR LF, CR,
// LF and NUL end a line). False when reading failed; the page is then incomplete.
bool WriteColouredHtml(std::FILE* input, const Encoding& encoding,
                       TSynCustomHighlighter* highlighter, const TSynStyleResolver& resolver,
                       const ColouredHtmlOptions& options, const HtmlSink& sink);
