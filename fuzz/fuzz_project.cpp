// Arbitrary bytes as a project file: reading never fails on anything but content that cannot be
// a list of files, every path it gives is absolute and non-blank, and writing those paths as a
// project reads back to the same paths.

#include "app/DocumentText.h"
#include "app/ProjectFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view folder = "/p/";
    const FileResult<std::vector<std::string>> paths = ProjectPaths(bytes, folder);
    if (paths.error) {
        Check(!paths.error->message.empty());
        return 0;
    }
    Check(paths.value.size() <= static_cast<std::size_t>(kMaxProjectEntries));
    for (const std::string& path : paths.value) {
        Check(IsAbsolutePath(path));
        Check(!IsBlankText(path));
        Check(path.find_first_of("\r\n") == std::string::npos);
    }
    const FileResult<std::vector<std::string>> again =
        ProjectPaths(ProjectText(paths.value, folder), folder);
    Check(!again.error);
    Check(again.value == paths.value);
    return 0;
}
