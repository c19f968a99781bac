// tabrix-cli find and replace: one press of a Find or Replace dialog button on standard input,
// read as the plain editor loads a file. Offsets count characters, with CR LF between lines.

#include "app/DocumentText.h"
#include "cli/CliCommands.h"
#include "platform/EncodingDetection.h"
#include "search/EngineSearchDocument.h"
#include "search/FindReplace.h"

#include <charconv>
#include <iostream>
#include <iterator>
#include <optional>

namespace {

const char* const FindUsage = "Usage: tabrix-cli find --find TEXT [--match-case] [--regex] "
                              "[--whole-words] [--selection START,LENGTH] "
                              "[--dialog find|replace] [--codepage CP]\n";
const char* const ReplaceUsage = "Usage: tabrix-cli replace --find TEXT --with TEXT [--all] "
                                 "[--match-case] [--regex] [--whole-words] "
                                 "[--selection START,LENGTH] [--codepage CP]\n";

struct SearchArguments {
    SearchRequest request;
    std::optional<std::string> findText, replaceText;
    std::optional<std::pair<std::size_t, std::size_t>> selection;
    SearchDialogKind dialog = SearchDialogKind::Find;
    bool all = false;
    std::string error;
};

std::optional<std::size_t> ParseCount(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

enum class SearchCommand { Find, Replace };

SearchArguments ParseArguments(const std::vector<std::string>& arguments, SearchCommand command) {
    SearchArguments parsed;
    for (std::size_t i = 0; i < arguments.size() && parsed.error.empty(); ++i) {
        const std::string& name = arguments[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 == arguments.size()) {
                parsed.error = "missing value after " + name;
                return std::nullopt;
            }
            return arguments[++i];
        };
        if (name == "--find") {
            parsed.findText = value();
        } else if (name == "--with" && command == SearchCommand::Replace) {
            parsed.replaceText = value();
        } else if (name == "--all" && command == SearchCommand::Replace) {
            parsed.all = true;
        } else if (name == "--match-case") {
            parsed.request.caseRule = CaseRule::MatchCase;
        } else if (name == "--regex") {
            parsed.request.syntax = PatternSyntax::RegularExpression;
        } else if (name == "--whole-words") {
            parsed.request.words = WordRule::WholeWords;
        } else if (name == "--dialog" && command == SearchCommand::Find) {
            const std::optional<std::string> dialog = value();
            if (dialog == "replace")
                parsed.dialog = SearchDialogKind::Replace;
            else if (dialog && dialog != "find")
                parsed.error = "--dialog takes find or replace";
        } else if (name == "--selection") {
            const std::optional<std::string> range = value();
            const std::size_t comma = range ? range->find(',') : std::string::npos;
            const auto start = comma == std::string::npos
                                   ? std::nullopt
                                   : ParseCount(std::string_view(*range).substr(0, comma));
            const auto length = comma == std::string::npos
                                    ? std::nullopt
                                    : ParseCount(std::string_view(*range).substr(comma + 1));
            if (start && length)
                parsed.selection = {*start, *length};
            else if (range)
                parsed.error = "--selection takes START,LENGTH";
        } else {
            parsed.error = "unknown option " + name;
        }
    }
    if (parsed.error.empty() && (!parsed.findText || parsed.findText->empty()))
        parsed.error = "--find needs a text";
    else if (parsed.error.empty() && command == SearchCommand::Replace && !parsed.replaceText)
        parsed.error = "--with needs a text";
    // The arguments come in the encoding the user's locale names, the text in the program's; a
    // locale that names none (the C locale) passes the bytes as they are.
    const Encoding* argumentEncoding = LocaleCodeSet();
    const auto convert = [&](const std::optional<std::string>& argument, const char* option,
                             std::string& into) {
        if (!argument || !parsed.error.empty())
            return;
        if (argumentEncoding == nullptr ||
            argumentEncoding->CodePage() == ProgramEncoding().CodePage()) {
            into = *argument;
            return;
        }
        const EncodedText converted = ConvertText(*argument, *argumentEncoding, ProgramEncoding());
        if (converted.unencodable > 0)
            parsed.error = std::string(option) + " holds characters " + ProgramEncoding().Name() +
                           " cannot hold";
        into = converted.bytes;
    };
    convert(parsed.findText, "--find", parsed.request.findText);
    convert(parsed.replaceText, "--with", parsed.request.replaceText);
    return parsed;
}

// Character offsets, CR LF counting two, and engine positions.
std::size_t CharacterOffset(const TSynEditEngine& engine, BufferPosition position) {
    const Encoding& encoding = engine.TextEncoding();
    std::size_t offset = 0;
    for (LineIndex line(0); line < position.line; ++line)
        offset += encoding.CharCount(engine.LineText(line)) + 2;
    return offset +
           encoding.CharCount(engine.LineText(position.line).substr(0, position.column.Value()));
}

std::optional<BufferPosition> PositionOfCharacter(const TSynEditEngine& engine,
                                                  std::size_t offset) {
    const Encoding& encoding = engine.TextEncoding();
    for (LineIndex line(0); line.Value() < engine.LineCount(); ++line) {
        const std::string_view text = engine.LineText(line);
        std::size_t column = 0;
        for (; offset > 0 && column < text.size(); --offset)
            column += encoding.CharLength(text, column);
        if (offset == 0)
            return BufferPosition{line, ByteColumn(column)};
        if (offset == 1)
            return std::nullopt; // between CR and LF
        offset -= 2;
    }
    return std::nullopt;
}

std::string SelectionLine(const TSynEditEngine& engine) {
    const BufferRange selection = engine.SelectionRange();
    const std::size_t start = CharacterOffset(engine, selection.begin);
    return "selection " + std::to_string(start) + " " +
           std::to_string(CharacterOffset(engine, selection.end) - start);
}

int UsageError(CliStreams streams, const char* command, const std::string& error,
               const char* usage) {
    streams.err << "tabrix-cli " << command << ": " << error << "\n" << usage;
    return ExitUsage;
}

// A bad expression or replacement: its reason; the text is left as it is.
std::optional<int> PatternError(CliStreams streams, const char* command,
                                const std::string& problem) {
    if (problem.empty())
        return std::nullopt;
    streams.err << "tabrix-cli " << command << ": " << problem << "\n";
    return ExitFailure;
}

// Loads standard input and selects as asked; an exit status when that fails.
std::optional<int> LoadDocument(TSynEditEngine& engine, const SearchArguments& arguments,
                                CliStreams streams, const char* command, const char* usage) {
    engine.SetText(ToPlainEditorText(std::string(std::istreambuf_iterator<char>(streams.in), {})));
    if (streams.in.bad()) {
        streams.err << "tabrix-cli " << command << ": could not read standard input\n";
        return ExitFailure;
    }
    if (!arguments.selection)
        return std::nullopt;
    const auto [start, length] = *arguments.selection;
    const auto begin = PositionOfCharacter(engine, start);
    const auto end = PositionOfCharacter(engine, start + length);
    if (!begin || !end)
        return UsageError(streams, command,
                          "--selection must lie in the text and not split a line break", usage);
    engine.SetSelection(*begin, *end);
    return std::nullopt;
}

} // namespace

int RunFind(const std::vector<std::string>& arguments, CliStreams streams) {
    const SearchArguments parsed = ParseArguments(arguments, SearchCommand::Find);
    if (!parsed.error.empty())
        return UsageError(streams, "find", parsed.error, FindUsage);
    TSynEditEngine engine;
    if (const auto status = LoadDocument(engine, parsed, streams, "find", FindUsage))
        return *status;
    if (const auto status =
            PatternError(streams, "find", FindTextProblem(parsed.request, engine.TextEncoding())))
        return *status;
    EngineSearchDocument document(engine);
    switch (FindNextMatch(document, parsed.request, parsed.dialog)) {
    case SearchOutcome::Selected:
        streams.out << SelectionLine(engine) << "\n";
        break;
    case SearchOutcome::DialogClosed:
        streams.out << "closed\n";
        break;
    case SearchOutcome::NotFound:
    case SearchOutcome::EmptyFindText:
    case SearchOutcome::BadPattern:
        streams.out << "not found\n";
        break;
    case SearchOutcome::TooComplex:
        streams.err << "tabrix-cli find: " << TooComplexMessage << "\n";
        return ExitFailure;
    }
    return streams.out.flush() ? ExitOk : ExitFailure;
}

int RunReplace(const std::vector<std::string>& arguments, CliStreams streams) {
    const SearchArguments parsed = ParseArguments(arguments, SearchCommand::Replace);
    if (!parsed.error.empty())
        return UsageError(streams, "replace", parsed.error, ReplaceUsage);
    TSynEditEngine engine;
    if (const auto status = LoadDocument(engine, parsed, streams, "replace", ReplaceUsage))
        return *status;
    if (const auto status = PatternError(streams, "replace",
                                         ReplaceTextProblem(parsed.request, engine.TextEncoding())))
        return *status;
    EngineSearchDocument document(engine);
    const SearchOutcome outcome = parsed.all ? ReplaceAllMatches(document, parsed.request)
                                             : ReplaceAndFindNext(document, parsed.request);
    if (outcome == SearchOutcome::TooComplex) {
        streams.err << "tabrix-cli replace: " << TooComplexMessage << "\n";
        return ExitFailure;
    }
    const std::string text = engine.Text();
    streams.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    streams.err << SelectionLine(engine);
    if (outcome == SearchOutcome::NotFound)
        streams.err << " not found";
    else if (outcome == SearchOutcome::DialogClosed)
        streams.err << " closed";
    streams.err << "\n";
    return streams.out.flush() ? ExitOk : ExitFailure;
}
