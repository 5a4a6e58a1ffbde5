#pragma once
// How much memory this process can have: the least of the physical memory,
// the memory limit of its control group and its address-space limit.

#include <string>

namespace data {

// The smallest of the physical memory, the memory cgroup limits (v2
// memory.max, v1 memory.limit_in_bytes, of the process's group and every
// group above it) and RLIMIT_AS, in bytes; 0 when none of them is known.
long double memoryLimitBytes();

// The smallest cgroup memory limit in bytes, read below `cgroupRoot` (the
// mount point, normally /sys/fs/cgroup) for the groups that `selfCgroup`
// (the text of /proc/self/cgroup) names; 0 when there is none.
long double cgroupMemoryLimitBytes(const std::string& cgroupRoot, const std::string& selfCgroup);

} // namespace data
