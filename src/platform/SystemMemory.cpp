#include "platform/SystemMemory.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The kilobytes of a "Key:   123 kB" line; nothing when the key is missing.
std::optional<std::uint64_t> KilobytesOf(std::string_view meminfo, std::string_view key) {
    for (std::size_t start = 0; start < meminfo.size();) {
        std::size_t end = meminfo.find('\n', start);
        if (end == std::string_view::npos)
            end = meminfo.size();
        std::string_view line = meminfo.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with(key) || line.substr(key.size()).find(':') != 0)
            continue;
        line.remove_prefix(key.size() + 1);
        const std::size_t digits = line.find_first_not_of(' ');
        if (digits == std::string_view::npos)
            return std::nullopt;
        std::uint64_t kilobytes = 0;
        const char* first = line.data() + digits;
        const auto [last, error] = std::from_chars(first, line.data() + line.size(), kilobytes);
        if (error != std::errc() || last == first || kilobytes > UINT64_MAX / 1024)
            return std::nullopt;
        return kilobytes;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint64_t> AvailableMemoryIn(std::string_view meminfo) {
    const std::optional<std::uint64_t> available = KilobytesOf(meminfo, "MemAvailable");
    if (!available)
        return std::nullopt;
    const std::uint64_t swap = KilobytesOf(meminfo, "SwapFree").value_or(0);
    return (*available + swap) * 1024;
}

bool MemoryFits(std::uint64_t bytes) {
    std::ifstream file("/proc/meminfo");
    std::ostringstream text;
    text << file.rdbuf();
    const std::optional<std::uint64_t> available = AvailableMemoryIn(text.str());
    return !available || bytes <= *available;
}
