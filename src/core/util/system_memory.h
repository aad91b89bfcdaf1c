// How much memory the program may use: the machine's, and a control group's limit where one is set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wexbo {

// The machine's physical memory in bytes (0 when it cannot be told).
std::uint64_t PhysicalMemory();

// A limit file's content ("max", or a number of bytes with a line end): none for "max" or for a
// number so large that it means no limit, or for text that is no number.
std::optional<std::uint64_t> ParseMemoryLimit(std::string_view text);

// The memory limit of the program's control group: cgroup v2's memory.max, or v1's
// memory.limit_in_bytes, under `root` (normally /sys/fs/cgroup) for the group /proc/self/cgroup
// names, else at the root of the hierarchy as a container sees it. None where no limit is set.
std::optional<std::uint64_t> ControlGroupMemoryLimit(const std::string& root = "/sys/fs/cgroup/",
                                                     const std::string& membership = "/proc/self/cgroup");

// Keeps the picture buffers of one conversion (a few megabytes each, allocated and freed for every
// picture) in the heap for the next one, instead of mapping fresh pages from the system each time,
// which the system must clear first. Freed memory beyond 32 MB still goes back. Call once, first.
void KeepPictureBuffersForReuse();

}  // namespace wexbo
