#include "textfuncs/TextCommands.h"

#include "textfuncs/TextFunctions.h"

#include <algorithm>
#include <vector>

namespace {

TextCommand Whole(std::string_view name,
                  std::function<std::string(std::string_view, const Encoding&)> function) {
    return {name, TextRule::WholeText, std::move(function), {}, {}};
}

// For the functions that need no encoding: ASCII letters and markup characters are single
// bytes in every encoding.
TextCommand WholeBytes(std::string_view name, std::string (*function)(std::string_view)) {
    return Whole(name,
                 [function](std::string_view text, const Encoding&) { return function(text); });
}

TextCommand Encode(std::string_view name, EncodeMapping mapping) {
    return Whole(name, [mapping](std::string_view text, const Encoding& encoding) {
        return EncodeText(text, mapping, encoding);
    });
}

TextCommand Insertion(std::string_view name, std::function<std::string(const Encoding&)> function) {
    return {name, TextRule::CaretInsertion, {}, {}, std::move(function)};
}

// The date and time insertions: the current moment in the user's formats.
TextCommand MomentInsertion(std::string_view name,
                            std::string (*function)(std::chrono::system_clock::time_point,
                                                    const DateTimeFormat&, const Encoding&)) {
    return Insertion(name, [function](const Encoding& encoding) {
        return function(std::chrono::system_clock::now(), DateTimeFormat::ForUser(), encoding);
    });
}

TextCommand Lines(std::string_view name,
                  std::function<LineList(LineList, const Encoding&)> function) {
    return {name, TextRule::LineList, {}, std::move(function), {}};
}

const std::vector<TextCommand>& Commands() {
    static const std::vector<TextCommand> commands = {
        // Character Case
        Whole("lower", [](std::string_view t, const Encoding& e) { return LowerCaseText(t, e); }),
        Whole("upper", [](std::string_view t, const Encoding& e) { return UpperCaseText(t, e); }),
        Whole("invert-case",
              [](std::string_view t, const Encoding& e) { return InvertCaseText(t, e); }),
        Whole("random-case",
              [](std::string_view t, const Encoding& e) { return RandomCaseText(t, e); }),
        Whole("fun-case", [](std::string_view t, const Encoding& e) { return FunCaseText(t, e); }),
        Whole("normal-case",
              [](std::string_view t, const Encoding& e) {
                  return SentenceCaseText(t, SentenceRule::NormalCase, e);
              }),
        Whole("upper-case-first",
              [](std::string_view t, const Encoding& e) {
                  return SentenceCaseText(t, SentenceRule::UpperCaseFirst, e);
              }),
        WholeBytes("lower-az", LowerCaseAzText),
        WholeBytes("upper-az", UpperCaseAzText),
        WholeBytes("invert-case-az", InvertCaseAzText),
        // Date && Time
        MomentInsertion("insert-date", DateText),
        MomentInsertion("insert-time", TimeText),
        MomentInsertion("insert-date-time", DateAndTimeText),
        // Encode
        Encode("encode", EncodeMapping::MirrorJoiningLines),
        Encode("encode-keep-breaks", EncodeMapping::MirrorKeepingLines),
        Encode("offset-plus", EncodeMapping::OffsetUp),
        Encode("offset-minus", EncodeMapping::OffsetDown),
        // Random
        Insertion("insert-random-number", [](const Encoding&) { return RandomNumberText(); }),
        // Remove
        WholeBytes("remove-blank-lines", RemoveBlankLines),
        Lines("trim-lines",
              [](LineList lines, const Encoding&) { return TrimLines(std::move(lines)); }),
        Lines("remove-duplicates",
              [](LineList lines, const Encoding& e) {
                  return RemoveDuplicateLines(std::move(lines), e);
              }),
        WholeBytes("remove-tags", RemoveTagsText),
        WholeBytes("leave-tags", LeaveTagsOnlyText),
        // Regional
        Whole("cyrillic-to-latin",
              [](std::string_view t, const Encoding& e) { return CyrillicToLatin(t, e); }),
        Whole("latin-to-cyrillic",
              [](std::string_view t, const Encoding& e) { return LatinToCyrillic(t, e); }),
        // Reverse
        Lines("reverse-lines",
              [](LineList lines, const Encoding&) { return ReverseLines(std::move(lines)); }),
        Lines(
            "reverse-strings",
            [](LineList lines, const Encoding& e) { return ReverseStrings(std::move(lines), e); }),
        Lines("reverse-text",
              [](LineList lines, const Encoding& e) { return ReverseText(std::move(lines), e); }),
        // Sort
        Lines("sort",
              [](LineList lines, const Encoding& e) {
                  return SortLinesAlphabetically(std::move(lines), e);
              }),
        Lines("sort-descending",
              [](LineList lines, const Encoding& e) {
                  return SortLinesDescending(std::move(lines), e);
              }),
        Lines("sort-by-length",
              [](LineList lines, const Encoding& e) {
                  return SortLinesByLength(std::move(lines), e);
              }),
        // Transform
        Whole("add-copyrights",
              [](std::string_view t, const Encoding& e) { return AddCopyrightsText(t, e); }),
    };
    return commands;
}

} // namespace

std::span<const TextCommand> TextCommands() {
    return Commands();
}

const TextCommand* FindTextCommand(std::string_view name) {
    const auto commands = TextCommands();
    const auto found =
        std::find_if(commands.begin(), commands.end(),
                     [name](const TextCommand& command) { return command.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

std::optional<PlainTextState>
RunTextCommand(const TextCommand& command, const PlainTextState& editor, const Encoding& encoding) {
    PlainTextState result;
    switch (command.rule) {
    case TextRule::WholeText:
        result.text = NormalizeLineBreaks(command.wholeText(editor.text, encoding));
        if (result.text == editor.text)
            return std::nullopt;
        return result;
    case TextRule::LineList:
        result.text = JoinLines(command.lineList(SplitLines(editor.text), encoding));
        if (result.text == editor.text)
            return std::nullopt;
        return result;
    case TextRule::CaretInsertion: {
        const std::size_t start = std::min(editor.selStart, editor.text.size());
        const std::size_t end = start + std::min(editor.selLength, editor.text.size() - start);
        const std::string inserted = NormalizeLineBreaks(command.insertion(encoding));
        result.text.reserve(editor.text.size() - (end - start) + inserted.size());
        result.text.append(editor.text, 0, start).append(inserted).append(editor.text, end);
        result.selStart = start + inserted.size();
        return result;
    }
    }
    return std::nullopt;
}
