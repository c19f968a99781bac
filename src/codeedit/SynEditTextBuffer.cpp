#include "codeedit/SynEditTextBuffer.h"

#include "codeedit/LineSplit.h"
#include "codeedit/detail/TextBufferLineStore.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <climits>
#include <cstring>
#include <functional>
#include <optional>

using detail::LineStore;

std::string_view LineBreakOf(TSynEditFileFormat format) {
    switch (format) {
    case TSynEditFileFormat::sffUnix:
        return "\n";
    case TSynEditFileFormat::sffMac:
        return "\r";
    case TSynEditFileFormat::sffDos:
        break;
    }
    return "\r\n";
}

namespace {

template <typename Matches> std::optional<TSynEditFileFormat> FindFormat(Matches matches) {
    for (const auto format :
         {TSynEditFileFormat::sffDos, TSynEditFileFormat::sffUnix, TSynEditFileFormat::sffMac}) {
        if (matches(format))
            return format;
    }
    return std::nullopt;
}

} // namespace

std::optional<TSynEditFileFormat> FileFormatOfBreak(std::string_view lineBreak) {
    return FindFormat([&](TSynEditFileFormat format) { return LineBreakOf(format) == lineBreak; });
}

std::string_view FileFormatName(TSynEditFileFormat format) {
    switch (format) {
    case TSynEditFileFormat::sffUnix:
        return "LF";
    case TSynEditFileFormat::sffMac:
        return "CR";
    case TSynEditFileFormat::sffDos:
        break;
    }
    return "CR LF";
}

std::optional<TSynEditFileFormat> FileFormatOfName(std::string_view name) {
    return FindFormat([&](TSynEditFileFormat format) { return FileFormatName(format) == name; });
}

EListError::EListError(long long index)
    : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")"), index(index) {}

namespace {

// Saving hands the bytes over in pieces of about this size, so a large list never needs a
// second copy of its text in memory.
constexpr std::size_t WriteChunkSize = 1 << 20;

// The break after each line by its code: [0] for lines that follow the list's format.
using BreakTable = std::array<std::string_view, 4>;

BreakTable OwnBreaks(TSynEditFileFormat format) {
    return {LineBreakOf(format), "\r\n", "\n", "\r"};
}

BreakTable SameBreaks(std::string_view lineBreak) {
    return {lineBreak, lineBreak, lineBreak, lineBreak};
}

detail::BreakCode CodeOf(TSynEditFileFormat format, TSynEditFileFormat listFormat) {
    return format == listFormat ? detail::UsualBreak
                                : static_cast<detail::BreakCode>(1 + static_cast<int>(format));
}

TSynEditFileFormat FormatOfCode(detail::BreakCode code, TSynEditFileFormat listFormat) {
    return code == detail::UsualBreak ? listFormat : static_cast<TSynEditFileFormat>(code - 1);
}

std::optional<TSynEditFileFormat> FormatOfEnd(linesplit::LineEnd end) {
    switch (end) {
    case linesplit::LineEnd::CrLf:
        return TSynEditFileFormat::sffDos;
    case linesplit::LineEnd::Lf:
        return TSynEditFileFormat::sffUnix;
    case linesplit::LineEnd::Cr:
        return TSynEditFileFormat::sffMac;
    case linesplit::LineEnd::Nul:
    case linesplit::LineEnd::None:
        break;
    }
    return std::nullopt;
}

// The format of the text's first line break, or nothing when it has none.
std::optional<TSynEditFileFormat> FirstBreakFormat(const char* text, std::size_t size) {
    const char* const end = text + size;
    const char* found = linesplit::FindBreak(text, end, linesplit::NulBreaksLine::No);
    if (found == end)
        return std::nullopt;
    if (*found == '\n')
        return TSynEditFileFormat::sffUnix;
    return found + 1 < end && found[1] == '\n' ? TSynEditFileFormat::sffDos
                                               : TSynEditFileFormat::sffMac;
}

TSynEditFileFormat FormatOf(linesplit::BreaksSeen seen) {
    if (seen.cr && !seen.lf)
        return TSynEditFileFormat::sffMac;
    if (seen.lf && !seen.cr)
        return TSynEditFileFormat::sffUnix;
    return TSynEditFileFormat::sffDos;
}

// Every line followed by its break (the last one as finalBreak says), handed to write in
// pieces of about WriteChunkSize bytes; stops when write returns false. Lines are copied into
// the piece by hand: a text of millions of short lines spends its time here.
template <typename BreakOf>
void WriteLinesWith(const LineStore& lines, BreakOf breakOf, TSynFinalBreak finalBreak,
                    const std::function<bool(std::string_view)>& write) {
    std::string chunk(WriteChunkSize + 2, '\0');
    char* const begin = chunk.data();
    char* used = begin;
    bool writing = true;
    auto flush = [&] {
        if (writing && used != begin)
            writing = write(std::string_view(begin, static_cast<std::size_t>(used - begin)));
        used = begin;
    };
    std::size_t left = lines.Size();
    lines.ForEachLine([&](std::string_view text, detail::BreakCode code) {
        if (!writing)
            return;
        if (static_cast<std::size_t>(used - begin) + text.size() >= WriteChunkSize) {
            flush();
            if (text.size() >= WriteChunkSize) {
                writing = writing && write(text);
                text = {};
            }
        }
        if (!text.empty()) {
            std::memcpy(used, text.data(), text.size());
            used += text.size();
        }
        if (--left > 0 || finalBreak == TSynFinalBreak::Yes) {
            for (const char c : breakOf(code))
                *used++ = c;
        }
    });
    flush();
}

void WriteLines(const LineStore& lines, const BreakTable& breaks, TSynFinalBreak finalBreak,
                const std::function<bool(std::string_view)>& write) {
    // Most files have one kind of break: their lines need not look theirs up, which costs a
    // text of fifty million short lines a fifth of its time.
    if (lines.UnusualBreaks() == 0) {
        const std::string_view usual = breaks[detail::UsualBreak];
        WriteLinesWith(
            lines, [usual](detail::BreakCode) { return usual; }, finalBreak, write);
    } else {
        WriteLinesWith(
            lines, [&breaks](detail::BreakCode code) { return breaks[code]; }, finalBreak, write);
    }
}

// The smallest record covering `pending` followed by `next`; see the header.
TSynLinesChange Coalesce(const TSynLinesChange& pending, const TSynLinesChange& next,
                         int countAfter) {
    if (pending.wholeText || next.wholeText) {
        int countBetween = countAfter - next.inserted + next.removed;
        int countBefore = countBetween - pending.inserted + pending.removed;
        return {LineIndex(0), countBefore, countAfter, true};
    }
    const LineIndex index = std::min(pending.index, next.index);
    const LineIndex end = std::max(pending.index + pending.inserted, next.index + next.removed);
    return {index, end - index - pending.inserted + pending.removed,
            end - index - next.removed + next.inserted, false};
}

} // namespace

struct TSynEditStringList::Impl {
    LineStore lines;
    // samples[k] is the byte length of lines [0, k * SampleEvery), breaks excluded; valid for
    // k * SampleEvery <= sampledThrough. A line's offset adds the lengths of the few lines
    // between it and its sample, so offsets cost a word per SampleEvery lines, not per line.
    static constexpr std::size_t SampleEvery = 64;
    mutable std::vector<std::uint64_t> samples{0};
    mutable std::size_t sampledThrough = 0;
    // The line PositionOfOffset found last: where the next lookup starts searching.
    mutable std::size_t lastPosition = 0;
    int updateCount = 0;
    std::optional<TSynLinesChange> pending;
    ChangeHandler onChange;

    int Count() const { return static_cast<int>(lines.Size()); }

    // The index as the line store counts, once it is checked.
    std::size_t CheckIndex(LineIndex index) const {
        if (index.Value() < 0 || index.Value() >= Count())
            throw EListError(index.Value());
        return static_cast<std::size_t>(index.Value());
    }

    void CheckRoomFor(std::size_t added) const {
        if (added > static_cast<std::size_t>(INT_MAX) - lines.Size())
            throw std::length_error("Too many lines");
    }

    void InvalidateFrom(LineIndex index) const {
        const std::size_t sample =
            static_cast<std::size_t>(index.Value()) / SampleEvery * SampleEvery;
        sampledThrough = std::min(sampledThrough, sample);
    }

    // Makes the sample of line upTo (the one at or before it) valid.
    void EnsureSamples(std::size_t upTo) const {
        if (upTo / SampleEvery * SampleEvery <= sampledThrough)
            return;
        const std::size_t wanted = lines.Size() / SampleEvery + 1;
        if (samples.size() < wanted)
            samples.resize(wanted);
        std::size_t sample = sampledThrough / SampleEvery;
        std::uint64_t length = samples[sample];
        for (std::size_t i = sample * SampleEvery; i < upTo / SampleEvery * SampleEvery;
             i += SampleEvery) {
            length += lines.SumOfLengths(i, i + SampleEvery);
            samples[(i + SampleEvery) / SampleEvery] = length;
        }
        sampledThrough = upTo / SampleEvery * SampleEvery;
    }

    // Byte length of lines [0, index), breaks excluded.
    std::uint64_t LengthBefore(std::size_t index) const {
        EnsureSamples(index);
        return samples[index / SampleEvery] +
               lines.SumOfLengths(index / SampleEvery * SampleEvery, index);
    }

    std::uint64_t StartOf(std::size_t index, std::size_t breakLength) const {
        return LengthBefore(index) + index * static_cast<std::uint64_t>(breakLength);
    }

    std::uint64_t SampleStart(std::size_t sample, std::size_t breakLength) const {
        return samples[sample] + sample * SampleEvery * static_cast<std::uint64_t>(breakLength);
    }

    void Changed(const TSynLinesChange& change) {
        if (updateCount > 0) {
            pending = pending ? Coalesce(*pending, change, Count()) : change;
            return;
        }
        if (onChange)
            onChange(change);
    }

    // Puts `fresh` in place of all lines as one whole-text change.
    void ReplaceAll(LineStore fresh) {
        int oldCount = Count();
        lines.Swap(fresh);
        fresh = LineStore(); // the old lines go before anyone hears of the change
        samples.assign(1, 0);
        samples.shrink_to_fit();
        sampledThrough = 0;
        lastPosition = 0;
        Changed({LineIndex(0), oldCount, Count(), true});
    }

    // Lines of `text` as pieces of block, for loading (NUL breaks) and SetText (NUL kept).
    // With a format (the list's), every line keeps its own break and format becomes the most
    // common one; without, every line takes the list's format.
    LineStore Split(std::shared_ptr<const char> block, std::size_t size,
                    linesplit::NulBreaksLine nul, const ProgressHook& progress,
                    linesplit::BreaksSeen* seen, TSynEditFileFormat* format = nullptr) const {
        LineStore fresh;
        fresh.SetBlock(std::move(block), size);
        const char* const text = fresh.Block().get();
        ProgressReporter reporter(progress, size);
        // Lines are coded against the first break, which most files have throughout; the
        // codes are set right afterwards when another one is more common.
        const TSynEditFileFormat first =
            format ? FirstBreakFormat(text, size).value_or(*format) : TSynEditFileFormat::sffDos;
        std::array<std::size_t, 3> counts{};
        bool lastHasBreak = false;
        linesplit::BreaksSeen breaks = linesplit::SplitLines(
            text, text + size, nul,
            [&](const char* line, std::size_t length, linesplit::LineEnd end) {
                if (fresh.Size() >= static_cast<std::size_t>(INT_MAX))
                    throw std::length_error("Too many lines");
                const auto offset = static_cast<std::size_t>(line - text);
                detail::BreakCode code = detail::UsualBreak;
                lastHasBreak = end != linesplit::LineEnd::None;
                if (format) {
                    if (const std::optional<TSynEditFileFormat> own = FormatOfEnd(end)) {
                        ++counts[static_cast<std::size_t>(*own)];
                        code = CodeOf(*own, first);
                    }
                }
                fresh.AppendPiece(offset, length, code);
                reporter.Advance(offset);
            });
        fresh.Compact();
        if (seen)
            *seen = breaks;
        if (format)
            *format = MostCommon(fresh, counts, first, lastHasBreak);
        return fresh;
    }

    // The format most breaks have (first wins a tie), with the lines' codes made relative to it.
    static TSynEditFileFormat MostCommon(LineStore& fresh, const std::array<std::size_t, 3>& counts,
                                         TSynEditFileFormat first, bool lastHasBreak) {
        TSynEditFileFormat common = first;
        for (std::size_t f = 0; f < counts.size(); ++f) {
            if (counts[f] > counts[static_cast<std::size_t>(common)])
                common = static_cast<TSynEditFileFormat>(f);
        }
        if (common == first)
            return common;
        // A last line without a break of its own stays usual.
        const std::size_t broken = lastHasBreak ? fresh.Size() : fresh.Size() - 1;
        for (std::size_t i = 0; i < broken; ++i)
            fresh.SetBreak(i, CodeOf(FormatOfCode(fresh.Break(i), first), common));
        return common;
    }

    // After the last line is gone nothing is a piece of the block any more.
    void ReleaseBlockWhenEmpty() {
        if (lines.Size() == 0)
            lines.SetBlock(nullptr, 0);
    }
};

TSynEditStringList::TSynEditStringList() : impl(std::make_unique<Impl>()) {}

TSynEditStringList::~TSynEditStringList() = default;

int TSynEditStringList::Count() const {
    return impl->Count();
}

std::string_view TSynEditStringList::Get(LineIndex index) const {
    return impl->lines.Text(impl->CheckIndex(index));
}

void TSynEditStringList::Put(LineIndex index, std::string_view text) {
    impl->lines.SetText(impl->CheckIndex(index), text);
    impl->InvalidateFrom(index);
    impl->Changed({index, 1, 1});
}

void TSynEditStringList::ReplaceInLine(LineIndex index, ByteColumn at, std::size_t count,
                                       std::string_view text) {
    const std::size_t slot = impl->CheckIndex(index);
    const std::string_view line = impl->lines.Text(slot);
    const std::size_t column = at.Value();
    if (column > line.size() || count > line.size() - column)
        throw std::out_of_range("ReplaceInLine: the range passes the line's end");
    // Text taken from the line itself would move under the edit.
    const std::less<const char*> before;
    if (!text.empty() && !line.empty() && before(text.data(), line.data() + line.size()) &&
        before(line.data(), text.data() + text.size())) {
        ReplaceInLine(index, at, count, std::string(text));
        return;
    }
    impl->lines.ReplaceInText(slot, column, count, text);
    impl->InvalidateFrom(index);
    impl->Changed({index, 1, 1});
}

void TSynEditStringList::CutLine(LineIndex index, ByteColumn column) {
    const std::size_t slot = impl->CheckIndex(index);
    if (column.Value() > impl->lines.Text(slot).size())
        throw std::out_of_range("CutLine: the column passes the line's end");
    impl->CheckRoomFor(1);
    impl->lines.Cut(slot, column.Value());
    impl->InvalidateFrom(index);
    impl->Changed({index, 1, 2});
}

LineIndex TSynEditStringList::Add(std::string_view text) {
    const LineIndex index(Count());
    Insert(index, text);
    return index;
}

void TSynEditStringList::Insert(LineIndex index, std::string_view text) {
    InsertLines(index, std::vector<std::string>{std::string(text)});
}

void TSynEditStringList::InsertLines(LineIndex index, const std::vector<std::string>& lines) {
    if (index.Value() < 0 || index.Value() > Count())
        throw EListError(index.Value());
    if (lines.empty())
        return;
    impl->CheckRoomFor(lines.size());
    const std::size_t first = static_cast<std::size_t>(index.Value());
    impl->lines.Insert(first, lines.size());
    try {
        for (std::size_t i = 0; i < lines.size(); ++i)
            impl->lines.SetText(first + i, lines[i]);
    } catch (...) {
        impl->lines.Erase(first, lines.size());
        throw;
    }
    impl->InvalidateFrom(index);
    impl->Changed({index, 0, static_cast<int>(lines.size())});
}

void TSynEditStringList::Delete(LineIndex index) {
    DeleteLines(index, 1);
}

void TSynEditStringList::DeleteLines(LineIndex at, int count) {
    const int index = at.Value();
    if (count < 0)
        throw EListError(count);
    if (index < 0 || index > Count() - count)
        throw EListError(index < 0 ? index : std::max(index, Count()));
    if (count == 0)
        return;
    impl->lines.Erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    impl->ReleaseBlockWhenEmpty();
    impl->InvalidateFrom(at);
    impl->Changed({at, count, 0});
}

void TSynEditStringList::Exchange(LineIndex index1, LineIndex index2) {
    impl->lines.Exchange(impl->CheckIndex(index1), impl->CheckIndex(index2));
    impl->InvalidateFrom(std::min(index1, index2));
    impl->Changed({index1, 1, 1});
    if (index2 != index1)
        impl->Changed({index2, 1, 1});
}

void TSynEditStringList::Clear() {
    impl->ReplaceAll(LineStore());
}

void TSynEditStringList::Assign(const TSynEditStringList& source) {
    if (&source == this)
        return;
    LineStore copy = LineStore::CopyOf(source.impl->lines);
    // The copied lines' breaks are told against the source's format.
    fileFormat = source.fileFormat;
    impl->ReplaceAll(std::move(copy));
}

std::string TSynEditStringList::Text() const {
    std::string text;
    text.reserve(LineStartOffset(LineIndex(Count())).Value());
    WriteText(
        [&](std::string_view piece) {
            text.append(piece);
            return true;
        },
        "\r\n", TSynFinalBreak::Yes);
    return text;
}

TSynEditFileFormat TSynEditStringList::LineBreakAfter(LineIndex index) const {
    return FormatOfCode(impl->lines.Break(impl->CheckIndex(index)), fileFormat);
}

void TSynEditStringList::SetLineBreakAfter(LineIndex index, TSynEditFileFormat format) {
    impl->lines.SetBreak(impl->CheckIndex(index), CodeOf(format, fileFormat));
}

bool TSynEditStringList::MixedLineBreaks() const {
    return impl->lines.UnusualBreaks() > 0;
}

void TSynEditStringList::ConvertLineBreaks(TSynEditFileFormat format) {
    impl->lines.ClearBreaks();
    fileFormat = format;
}

TSynLineBreakMarks TSynEditStringList::LineBreakMarks(LineIndex from, LineIndex to) const {
    TSynLineBreakMarks marks;
    const LineStore& lines = impl->lines;
    const int end = std::min(to.Value(), Count());
    for (int line = std::max(from.Value(), 0); line < end && lines.UnusualBreaks() > 0; ++line) {
        const detail::BreakCode code = lines.Break(static_cast<std::size_t>(line));
        if (code != detail::UsualBreak)
            marks.push_back({LineIndex(line - from.Value()), FormatOfCode(code, fileFormat)});
    }
    return marks;
}

void TSynEditStringList::SetLineBreakMarks(LineIndex from, const TSynLineBreakMarks& marks) {
    for (const TSynLineBreakMark& mark : marks) {
        const long long line = static_cast<long long>(from.Value()) + mark.line.Value();
        if (line >= 0 && line < Count())
            impl->lines.SetBreak(static_cast<std::size_t>(line), CodeOf(mark.format, fileFormat));
    }
}

TSynLineBreaks TSynEditStringList::LineBreaks() const {
    return {fileFormat, LineBreakMarks(LineIndex(0), LineIndex(Count())), breakAfterLast};
}

void TSynEditStringList::SetLineBreaks(const TSynLineBreaks& breaks) {
    ConvertLineBreaks(breaks.format);
    SetLineBreakMarks(LineIndex(0), breaks.marks);
    breakAfterLast = breaks.breakAfterLast;
}

void TSynEditStringList::WriteFileText(const std::function<bool(std::string_view)>& write,
                                       TSynFinalBreak finalBreak) const {
    WriteLines(impl->lines, OwnBreaks(fileFormat), finalBreak, write);
}

TSynLinesSnapshot TSynEditStringList::Snapshot() const {
    const LineStore& lines = impl->lines;
    const std::size_t count = lines.Size();
    TSynLinesSnapshot snapshot;
    snapshot.block = lines.Block();
    std::size_t editedBytes = 0;
    for (std::size_t i = 0; i < count; ++i)
        editedBytes += lines.TextInBlock(i) ? 0 : lines.Text(i).size();
    // Reserved once: the views into it must not move while it fills.
    snapshot.edited.reserve(editedBytes);
    snapshot.lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view text = lines.Text(i);
        if (lines.TextInBlock(i)) {
            snapshot.lines.push_back(text);
            continue;
        }
        const std::size_t start = snapshot.edited.size();
        snapshot.edited.insert(snapshot.edited.end(), text.begin(), text.end());
        snapshot.lines.emplace_back(snapshot.edited.data() + start, text.size());
    }
    return snapshot;
}

std::size_t TSynLinesSnapshot::JoinedLength() const {
    std::size_t length = lines.empty() ? 0 : 2 * (lines.size() - 1);
    for (std::string_view line : lines)
        length += line.size();
    return length;
}

void TSynLinesSnapshot::AppendJoined(std::string& target) const {
    target.reserve(target.size() + JoinedLength());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            target += "\r\n";
        target += lines[i];
    }
}

void TSynEditStringList::SetText(std::string_view text) {
    TakeText(ByteBlock::CopyOf(text));
}

void TSynEditStringList::TakeText(ByteBlock block, const ProgressHook& progress,
                                  TSynTextBreaks breaks) {
    const std::size_t size = block.Size();
    TSynEditFileFormat format = fileFormat;
    LineStore fresh =
        impl->Split(std::move(block).Share(), size, linesplit::NulBreaksLine::No, progress, nullptr,
                    breaks == TSynTextBreaks::AsInText ? &format : nullptr);
    fileFormat = format;
    impl->ReplaceAll(std::move(fresh));
}

void TSynEditStringList::WriteText(const std::function<bool(std::string_view)>& write,
                                   std::string_view lineBreak, TSynFinalBreak finalBreak) const {
    WriteLines(impl->lines, SameBreaks(lineBreak), finalBreak, write);
}

void* TSynEditStringList::Objects(LineIndex index) const {
    return impl->lines.Object(impl->CheckIndex(index));
}

void TSynEditStringList::SetObject(LineIndex index, void* object) {
    impl->lines.SetObject(impl->CheckIndex(index), object);
}

TSynRange TSynEditStringList::Ranges(LineIndex index) const {
    return impl->lines.Range(impl->CheckIndex(index));
}

void TSynEditStringList::SetRange(LineIndex index, TSynRange range) {
    impl->lines.SetRange(impl->CheckIndex(index), range);
}

std::uint8_t TSynEditStringList::Flags(LineIndex index) const {
    return impl->lines.Flags(impl->CheckIndex(index));
}

void TSynEditStringList::SetFlags(LineIndex index, std::uint8_t flags) {
    impl->lines.SetFlags(impl->CheckIndex(index), flags);
}

void TSynEditStringList::LoadFromBuffer(std::string buffer) {
    auto owner = std::make_shared<const std::string>(std::move(buffer));
    LoadFromBlock(std::shared_ptr<const char>(owner, owner->data()), owner->size());
}

void TSynEditStringList::LoadFromBlock(std::shared_ptr<const char> block, std::size_t size) {
    linesplit::BreaksSeen seen;
    LineStore fresh = impl->Split(std::move(block), size, linesplit::NulBreaksLine::Yes, {}, &seen);
    BeginUpdate();
    fileFormat = FormatOf(seen);
    impl->ReplaceAll(std::move(fresh));
    EndUpdate();
}

TextOffset TSynEditStringList::LineStartOffset(LineIndex index, std::size_t breakLength) const {
    if (index.Value() < 0 || index.Value() > Count())
        throw EListError(index.Value());
    return TextOffset(impl->StartOf(static_cast<std::size_t>(index.Value()), breakLength));
}

BufferPosition TSynEditStringList::PositionOfOffset(TextOffset at, std::size_t breakLength) const {
    const std::size_t count = impl->lines.Size();
    if (count == 0)
        return {};
    const std::size_t offset = at.Value();
    impl->EnsureSamples(count);
    // The last line starting at or before offset. Lookups in text order (find, selections)
    // land after the previous answer within its block of lines; others search the samples.
    constexpr std::size_t block = Impl::SampleEvery;
    const auto startOf = [&](std::size_t sample) { return impl->SampleStart(sample, breakLength); };
    const std::size_t samples = (count - 1) / block + 1;
    std::size_t sample = std::min(impl->lastPosition, count - 1) / block;
    if (startOf(sample) > offset || (sample + 1 < samples && startOf(sample + 1) <= offset)) {
        std::size_t first = 0, last = samples;
        while (last - first > 1) {
            const std::size_t middle = first + (last - first) / 2;
            if (startOf(middle) <= offset)
                first = middle;
            else
                last = middle;
        }
        sample = first;
    }
    // Walk the lines of the sample's block.
    std::size_t line = sample * block;
    std::uint64_t start = startOf(sample);
    const std::size_t end = std::min(line + block, count);
    while (line + 1 < end) {
        const std::uint64_t next = start + impl->lines.Length(line) + breakLength;
        if (next > offset)
            break;
        start = next;
        ++line;
    }
    const std::size_t column = std::min<std::uint64_t>(offset - start, impl->lines.Length(line));
    impl->lastPosition = line;
    return MakePosition(static_cast<int>(line), column);
}

void TSynEditStringList::BeginUpdate() {
    ++impl->updateCount;
}

void TSynEditStringList::EndUpdate() {
    assert(impl->updateCount > 0 && "EndUpdate without BeginUpdate");
    if (impl->updateCount == 0 || --impl->updateCount > 0 || !impl->pending)
        return;
    TSynLinesChange change = *impl->pending;
    impl->pending.reset();
    if (impl->onChange)
        impl->onChange(change);
}

void TSynEditStringList::SetOnChange(ChangeHandler handler) {
    impl->onChange = std::move(handler);
}
