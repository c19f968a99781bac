#include "codeedit/SynEditTextBuffer.h"

#include "codeedit/detail/TextBufferLineStore.h"
#include "codeedit/detail/TextBufferSplit.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

using detail::LineRecord;
using detail::LineStore;

EListError::EListError(long long index)
    : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")"), index(index) {}

namespace {

// Saving hands the bytes over in pieces of about this size, so a large list never needs a
// second copy of its text in memory.
constexpr std::size_t WriteChunkSize = 1 << 20;

constexpr std::size_t ReadChunkSize = 1 << 16;

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

TSynEditFileFormat FormatOf(detail::BreaksSeen seen) {
    if (seen.cr && !seen.lf)
        return TSynEditFileFormat::sffMac;
    if (seen.lf && !seen.cr)
        return TSynEditFileFormat::sffUnix;
    return TSynEditFileFormat::sffDos;
}

// Every line followed by lineBreak, handed to sink in pieces of about WriteChunkSize bytes.
template <typename Sink>
void WriteLines(const LineStore& lines, std::string_view lineBreak, Sink sink) {
    std::string chunk;
    chunk.reserve(WriteChunkSize + 2 * lineBreak.size());
    auto flush = [&] {
        if (!chunk.empty())
            sink(std::string_view(chunk));
        chunk.clear();
    };
    lines.ForEachSpan([&](const LineRecord* first, std::size_t count) {
        for (const LineRecord* record = first; record != first + count; ++record) {
            if (record->length >= WriteChunkSize) {
                flush();
                sink(record->Text());
            } else {
                chunk.append(record->Text());
            }
            chunk.append(lineBreak);
            if (chunk.size() >= WriteChunkSize)
                flush();
        }
    });
    flush();
}

std::string ErrorText(const char* what, const std::string& path, int error) {
    return std::string(what) + " \"" + path + "\". " + std::strerror(error);
}

std::shared_ptr<const char> CopyOf(std::string_view text) {
    std::shared_ptr<char[]> copy(new char[text.size()]);
    if (!text.empty())
        std::memcpy(copy.get(), text.data(), text.size());
    return std::shared_ptr<const char>(copy, copy.get());
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The smallest record covering `pending` followed by `next`; see the header.
TSynLinesChange Coalesce(const TSynLinesChange& pending, const TSynLinesChange& next,
                         int countAfter) {
    if (pending.wholeText || next.wholeText) {
        int countBetween = countAfter - next.inserted + next.removed;
        int countBefore = countBetween - pending.inserted + pending.removed;
        return {0, countBefore, countAfter, true};
    }
    int index = std::min(pending.index, next.index);
    int end = std::max(pending.index + pending.inserted, next.index + next.removed);
    return {index, end - pending.inserted + pending.removed - index,
            end - next.removed + next.inserted - index, false};
}

} // namespace

struct TSynEditStringList::Impl {
    LineStore lines;
    // The text that records not marked owned point into; shared with lists assigned from us.
    std::shared_ptr<const char> loadBuffer;
    // prefix[i] is the byte length of lines [0, i), breaks excluded; valid for i <= prefixValid.
    mutable std::vector<std::uint64_t> prefix{0};
    mutable std::size_t prefixValid = 0;
    // samples[k] = prefix[k * SampleEvery], small enough to stay in cache, so that a lookup
    // touches few cold places of prefix. Kept in step with prefix.
    static constexpr std::size_t SampleEvery = 64;
    mutable std::vector<std::uint64_t> samples{0};
    // The line PositionOfOffset found last: where the next lookup starts searching.
    mutable std::size_t lastPosition = 0;
    int updateCount = 0;
    std::optional<TSynLinesChange> pending;
    ChangeHandler onChange;

    int Count() const { return static_cast<int>(lines.Size()); }

    void CheckIndex(int index) const {
        if (index < 0 || index >= Count())
            throw EListError(index);
    }

    void CheckRoomFor(std::size_t added) const {
        if (added > static_cast<std::size_t>(INT_MAX) - lines.Size())
            throw std::length_error("Too many lines");
    }

    void InvalidateFrom(int index) const {
        prefixValid = std::min(prefixValid, static_cast<std::size_t>(index));
    }

    void EnsurePrefix(std::size_t upTo) const {
        if (upTo <= prefixValid)
            return;
        if (prefix.size() < lines.Size() + 1)
            prefix.resize(lines.Size() + 1);
        if (samples.size() < lines.Size() / SampleEvery + 1)
            samples.resize(lines.Size() / SampleEvery + 1);
        for (std::size_t i = prefixValid; i < upTo; ++i) {
            prefix[i + 1] = prefix[i] + lines[i].length;
            if ((i + 1) % SampleEvery == 0)
                samples[(i + 1) / SampleEvery] = prefix[i + 1];
        }
        prefixValid = upTo;
    }

    std::uint64_t StartOf(std::size_t index, std::size_t breakLength) const {
        return prefix[index] + index * static_cast<std::uint64_t>(breakLength);
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
    void ReplaceAll(LineStore fresh, std::shared_ptr<const char> buffer) {
        int oldCount = Count();
        lines.Swap(fresh);
        fresh = LineStore(); // the old lines go before anyone hears of the change
        loadBuffer = std::move(buffer);
        prefix.assign(1, 0);
        prefix.shrink_to_fit();
        samples.assign(1, 0);
        samples.shrink_to_fit();
        prefixValid = 0;
        Changed({0, oldCount, Count(), true});
    }

    // Lines of `text` as views into it, for loading (NUL breaks) and SetText (NUL kept).
    LineStore Split(const char* text, std::size_t size, detail::NulBreaksLine nul,
                    detail::BreaksSeen* seen) const {
        LineStore fresh;
        std::size_t count = 0;
        detail::BreaksSeen breaks =
            detail::SplitLines(text, text + size, nul, [&](const char* first, std::size_t length) {
                detail::CheckLineLength(length);
                if (++count > static_cast<std::size_t>(INT_MAX))
                    throw std::length_error("Too many lines");
                fresh.Append(detail::ViewRecord(first, length));
            });
        fresh.Compact();
        if (seen)
            *seen = breaks;
        return fresh;
    }

    // After the last line is gone nothing points into the load buffer any more.
    void ReleaseBufferWhenEmpty() {
        if (lines.Size() == 0)
            loadBuffer.reset();
    }
};

TSynEditStringList::TSynEditStringList() : impl(std::make_unique<Impl>()) {}

TSynEditStringList::~TSynEditStringList() = default;

int TSynEditStringList::Count() const {
    return impl->Count();
}

std::string_view TSynEditStringList::Get(int index) const {
    impl->CheckIndex(index);
    return impl->lines[index].Text();
}

void TSynEditStringList::Put(int index, std::string_view text) {
    impl->CheckIndex(index);
    LineRecord copy = detail::OwnedRecord(text);
    LineRecord& record = impl->lines[index];
    detail::ReleaseText(record);
    record.text = copy.text;
    record.length = copy.length;
    record.owned = copy.owned;
    impl->InvalidateFrom(index);
    impl->Changed({index, 1, 1});
}

int TSynEditStringList::Add(std::string_view text) {
    int index = Count();
    Insert(index, text);
    return index;
}

void TSynEditStringList::Insert(int index, std::string_view text) {
    if (index < 0 || index > Count())
        throw EListError(index);
    impl->CheckRoomFor(1);
    impl->lines.MakeRoom(1);
    LineRecord record = detail::OwnedRecord(text);
    *impl->lines.Open(index, 1) = record;
    impl->InvalidateFrom(index);
    impl->Changed({index, 0, 1});
}

void TSynEditStringList::InsertLines(int index, const std::vector<std::string>& lines) {
    if (index < 0 || index > Count())
        throw EListError(index);
    if (lines.empty())
        return;
    impl->CheckRoomFor(lines.size());
    impl->lines.MakeRoom(lines.size());
    LineRecord* slots = impl->lines.Open(index, lines.size());
    std::fill(slots, slots + lines.size(), LineRecord{});
    try {
        for (std::size_t i = 0; i < lines.size(); ++i)
            slots[i] = detail::OwnedRecord(lines[i]);
    } catch (...) {
        impl->lines.Erase(index, lines.size());
        throw;
    }
    impl->InvalidateFrom(index);
    impl->Changed({index, 0, static_cast<int>(lines.size())});
}

void TSynEditStringList::Delete(int index) {
    DeleteLines(index, 1);
}

void TSynEditStringList::DeleteLines(int index, int count) {
    if (count < 0)
        throw EListError(count);
    if (index < 0 || index > Count() - count)
        throw EListError(index < 0 ? index : std::max(index, Count()));
    if (count == 0)
        return;
    impl->lines.Erase(index, count);
    impl->ReleaseBufferWhenEmpty();
    impl->InvalidateFrom(index);
    impl->Changed({index, count, 0});
}

void TSynEditStringList::Exchange(int index1, int index2) {
    impl->CheckIndex(index1);
    impl->CheckIndex(index2);
    std::swap(impl->lines[index1], impl->lines[index2]);
    impl->InvalidateFrom(std::min(index1, index2));
    impl->Changed({index1, 1, 1});
    if (index2 != index1)
        impl->Changed({index2, 1, 1});
}

void TSynEditStringList::Clear() {
    impl->ReplaceAll(LineStore(), nullptr);
}

void TSynEditStringList::Assign(const TSynEditStringList& source) {
    if (&source == this)
        return;
    LineStore fresh;
    fresh.MakeRoom(source.impl->lines.Size());
    source.impl->lines.ForEachSpan([&](const LineRecord* first, std::size_t count) {
        for (const LineRecord* record = first; record != first + count; ++record) {
            LineRecord copy = *record;
            if (record->owned) {
                LineRecord text = detail::OwnedRecord(record->Text());
                copy.text = text.text;
                copy.owned = text.owned;
            }
            fresh.Append(copy);
        }
    });
    impl->ReplaceAll(std::move(fresh), source.impl->loadBuffer);
}

std::string TSynEditStringList::Text() const {
    std::string text;
    text.reserve(LineStartOffset(Count(), 2));
    WriteLines(impl->lines, "\r\n", [&](std::string_view piece) { text.append(piece); });
    return text;
}

TSynLinesSnapshot TSynEditStringList::Snapshot() const {
    TSynLinesSnapshot snapshot;
    snapshot.loadBuffer = impl->loadBuffer;
    std::size_t editedBytes = 0;
    impl->lines.ForEachSpan([&](const LineRecord* first, std::size_t count) {
        for (const LineRecord* record = first; record != first + count; ++record)
            editedBytes += record->owned ? record->length : 0;
    });
    // Reserved once: the views into it must not move while it fills.
    snapshot.edited.reserve(editedBytes);
    snapshot.lines.reserve(impl->lines.Size());
    impl->lines.ForEachSpan([&](const LineRecord* first, std::size_t count) {
        for (const LineRecord* record = first; record != first + count; ++record) {
            if (!record->owned) {
                snapshot.lines.push_back(record->Text());
                continue;
            }
            const std::size_t start = snapshot.edited.size();
            snapshot.edited.insert(snapshot.edited.end(), record->text,
                                   record->text + record->length);
            snapshot.lines.emplace_back(snapshot.edited.data() + start, record->length);
        }
    });
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
    std::shared_ptr<const char> buffer = CopyOf(text);
    LineStore fresh = impl->Split(buffer.get(), text.size(), detail::NulBreaksLine::No, nullptr);
    impl->ReplaceAll(std::move(fresh), std::move(buffer));
}

void* TSynEditStringList::Objects(int index) const {
    impl->CheckIndex(index);
    return impl->lines[index].object;
}

void TSynEditStringList::SetObject(int index, void* object) {
    impl->CheckIndex(index);
    impl->lines[index].object = object;
}

TSynRange TSynEditStringList::Ranges(int index) const {
    impl->CheckIndex(index);
    return impl->lines[index].range;
}

void TSynEditStringList::SetRange(int index, TSynRange range) {
    impl->CheckIndex(index);
    impl->lines[index].range = range;
}

std::uint8_t TSynEditStringList::Flags(int index) const {
    impl->CheckIndex(index);
    return impl->lines[index].flags;
}

void TSynEditStringList::SetFlags(int index, std::uint8_t flags) {
    impl->CheckIndex(index);
    impl->lines[index].flags = flags;
}

void TSynEditStringList::LoadFromStream(std::istream& stream) {
    std::string buffer;
    stream.clear();
    stream.seekg(0, std::ios::end);
    std::streamoff size = stream.fail() ? -1 : static_cast<std::streamoff>(stream.tellg());
    stream.clear();
    stream.seekg(0, std::ios::beg);
    if (stream.fail() || size < 0) {
        // Not seekable: read what is left from where the stream stands.
        stream.clear();
        size = 0;
    }
    buffer.resize(static_cast<std::size_t>(size));
    stream.read(buffer.data(), size);
    buffer.resize(static_cast<std::size_t>(stream.gcount()));
    char piece[ReadChunkSize];
    while (stream) {
        stream.read(piece, sizeof piece);
        buffer.append(piece, static_cast<std::size_t>(stream.gcount()));
    }
    if (stream.bad())
        throw EFileStreamError("Stream read error");
    LoadFromBuffer(std::move(buffer));
}

void TSynEditStringList::LoadFromFile(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw EFileStreamError(ErrorText("Cannot open file", path, errno));
    // Read straight into a block the size of the file: no zero-filling, no second copy.
    std::error_code sizeError;
    std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    std::shared_ptr<char[]> block;
    std::size_t filled = 0;
    if (!sizeError && size > 0) {
        block.reset(new char[static_cast<std::size_t>(size)]);
        filled = std::fread(block.get(), 1, static_cast<std::size_t>(size), file.get());
    }
    // The size is only a hint: special files report none and a file may grow meanwhile.
    std::string rest;
    char piece[ReadChunkSize];
    while (!std::ferror(file.get()) && !std::feof(file.get()))
        rest.append(piece, std::fread(piece, 1, sizeof piece, file.get()));
    if (std::ferror(file.get()))
        throw EFileStreamError(ErrorText("Cannot read file", path, errno));
    file.reset();
    if (rest.empty())
        LoadBlock(std::shared_ptr<const char>(block, block.get()), filled);
    else
        LoadFromBuffer(std::string(block.get(), filled) + rest);
}

void TSynEditStringList::LoadFromBuffer(std::string buffer) {
    auto owner = std::make_shared<const std::string>(std::move(buffer));
    LoadBlock(std::shared_ptr<const char>(owner, owner->data()), owner->size());
}

void TSynEditStringList::LoadBlock(std::shared_ptr<const char> block, std::size_t size) {
    detail::BreaksSeen seen;
    LineStore fresh = impl->Split(block.get(), size, detail::NulBreaksLine::Yes, &seen);
    BeginUpdate();
    fileFormat = FormatOf(seen);
    impl->ReplaceAll(std::move(fresh), std::move(block));
    EndUpdate();
}

void TSynEditStringList::SaveToStream(std::ostream& stream) const {
    WriteLines(impl->lines, LineBreakOf(fileFormat), [&](std::string_view piece) {
        if (!stream.write(piece.data(), static_cast<std::streamsize>(piece.size())))
            throw EFileStreamError("Stream write error");
    });
}

// Through the platform's atomic save: a failure leaves the old file whole, never a truncated one.
void TSynEditStringList::SaveToFile(const std::string& path) const {
    const std::string_view lineBreak = LineBreakOf(fileFormat);
    std::string bytes;
    bytes.reserve(LineStartOffset(Count(), lineBreak.size()));
    WriteLines(impl->lines, lineBreak, [&](std::string_view piece) { bytes.append(piece); });
    if (const auto error = SaveFileAtomically(path, bytes))
        throw EFileStreamError(error->message);
}

std::size_t TSynEditStringList::LineStartOffset(int index, std::size_t breakLength) const {
    if (index < 0 || index > Count())
        throw EListError(index);
    impl->EnsurePrefix(index);
    return impl->StartOf(index, breakLength);
}

TSynEditStringList::Position TSynEditStringList::PositionOfOffset(std::size_t offset,
                                                                  std::size_t breakLength) const {
    std::size_t count = impl->lines.Size();
    if (count == 0)
        return {0, 0};
    impl->EnsurePrefix(count);
    // The last line starting at or before offset. Invariant: StartOf(low) <= offset <
    // StartOf(high), StartOf(count) being past everything. Lookups in text order (find,
    // selections) land in the block after the previous answer; others search the samples.
    auto startOf = [&](std::size_t line) { return impl->StartOf(line, breakLength); };
    constexpr std::size_t block = Impl::SampleEvery;
    std::size_t low = std::min(impl->lastPosition, count - 1);
    std::size_t high = std::min(low + block, count);
    if (startOf(low) > offset || (high < count && startOf(high) <= offset)) {
        std::size_t first = 0, last = (count - 1) / block + 1;
        while (last - first > 1) {
            std::size_t middle = first + (last - first) / 2;
            if (impl->SampleStart(middle, breakLength) <= offset)
                first = middle;
            else
                last = middle;
        }
        low = first * block;
        high = std::min(low + block, count);
    }
    while (high - low > 1) {
        std::size_t middle = low + (high - low) / 2;
        if (startOf(middle) <= offset)
            low = middle;
        else
            high = middle;
    }
    std::size_t column = std::min<std::uint64_t>(offset - startOf(low), impl->lines[low].length);
    impl->lastPosition = low;
    return {static_cast<int>(low), column};
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
