#include "codeedit/SynEditTextFile.h"

#include "platform/ByteBlock.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

constexpr std::size_t ReadChunkSize = 1 << 16;

std::string ErrorText(const char* what, const std::string& path, int error) {
    return std::string(what) + " \"" + path + "\". " + std::strerror(error);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

void LoadFromStream(TSynEditStringList& lines, std::istream& stream) {
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
    lines.LoadFromBuffer(std::move(buffer));
}

void LoadFromFile(TSynEditStringList& lines, const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw EFileStreamError(ErrorText("Cannot open file", path, errno));
    // Read straight into a block the size of the file: no zero-filling, no second copy.
    std::error_code sizeError;
    std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    ByteBlock block(sizeError ? 0 : static_cast<std::size_t>(size));
    std::size_t filled = std::fread(block.Data(), 1, block.Size(), file.get());
    // The size is only a hint: special files report none and a file may grow meanwhile.
    while (filled == block.Size() && !std::ferror(file.get()) && !std::feof(file.get())) {
        block.Resize(filled + std::max<std::size_t>(filled / 8, ReadChunkSize));
        filled += std::fread(block.Data() + filled, 1, block.Size() - filled, file.get());
    }
    if (std::ferror(file.get()))
        throw EFileStreamError(ErrorText("Cannot read file", path, errno));
    file.reset();
    block.Resize(filled);
    lines.LoadFromBlock(std::move(block).Share(), filled);
}

void SaveToStream(const TSynEditStringList& lines, std::ostream& stream) {
    lines.WriteText(
        [&](std::string_view piece) {
            if (!stream.write(piece.data(), static_cast<std::streamsize>(piece.size())))
                throw EFileStreamError("Stream write error");
            return true;
        },
        LineBreakOf(lines.FileFormat()), TSynFinalBreak::Yes);
}

void SaveToFile(const TSynEditStringList& lines, const std::string& path) {
    const auto error =
        SaveFileAtomically(path, [&](const std::function<bool(std::string_view)>& write) {
            lines.WriteText(write, LineBreakOf(lines.FileFormat()), TSynFinalBreak::Yes);
        });
    if (error)
        throw EFileStreamError(error->message);
}
