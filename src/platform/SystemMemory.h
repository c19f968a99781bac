#pragma once
// How much memory the system can still give. The system grants allocations it cannot back and
// ends the process when the memory is touched, so a large allocation is measured against this
// first and refused while refusing is still an exception the program can report.

#include <cstdint>
#include <optional>
#include <string_view>

// Available memory plus free swap, in bytes, from the text of /proc/meminfo; nothing when the
// text does not say.
std::optional<std::uint64_t> AvailableMemoryIn(std::string_view meminfo);

// Whether `bytes` more fit in what the system can still give; true when it does not say.
bool MemoryFits(std::uint64_t bytes);
