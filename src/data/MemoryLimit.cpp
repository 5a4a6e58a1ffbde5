#include "data/MemoryLimit.h"

#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace data {

namespace {

// Above this a v1 limit means "no limit" (the kernel's unlimited value is
// close to 2^63, rounded down to a page).
constexpr long double kUnlimited = 4.0e18L;

long double smallestKnown(long double a, long double b) {
    if (a <= 0)
        return b;
    if (b <= 0)
        return a;
    return a < b ? a : b;
}

// The number in a limit file; 0 for "max", a missing file or no limit.
long double readLimitFile(const std::string& path) {
    std::ifstream in(path);
    long double value = 0;
    if (!(in >> value) || value <= 0 || value >= kUnlimited)
        return 0;
    return value;
}

// The smallest limit in `fileName` of `group` and the groups above it.
long double smallestLimitUpwards(const std::string& base, std::string group,
                                 const std::string& fileName) {
    long double smallest = 0;
    while (true) {
        smallest = smallestKnown(smallest, readLimitFile(base + group + "/" + fileName));
        const size_t slash = group.find_last_of('/');
        if (group.empty() || slash == std::string::npos)
            return smallest;
        group.erase(slash);
    }
}

long double physicalMemoryBytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? static_cast<long double>(pages) * pageSize : 0;
}

long double addressSpaceLimitBytes() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 0;
    return static_cast<long double>(limit.rlim_cur);
}

std::string wholeFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

long double cgroupMemoryLimitBytes(const std::string& cgroupRoot, const std::string& selfCgroup) {
    long double smallest = 0;
    std::istringstream lines(selfCgroup);
    // Lines "hierarchy-id:controllers:path"; v2 has id 0 and no controllers.
    for (std::string line; std::getline(lines, line);) {
        const size_t first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        std::string group = line.substr(second + 1);
        if (group == "/")
            group.clear();
        if (controllers.empty())
            for (const char* hierarchy : {"", "/unified"}) // alone, or beside v1
                smallest = smallestKnown(
                    smallest, smallestLimitUpwards(cgroupRoot + hierarchy, group, "memory.max"));
        else if (("," + controllers + ",").find(",memory,") != std::string::npos)
            smallest = smallestKnown(smallest, smallestLimitUpwards(cgroupRoot + "/memory", group,
                                                                    "memory.limit_in_bytes"));
    }
    return smallest;
}

long double memoryLimitBytes() {
    const long double cgroup =
        cgroupMemoryLimitBytes("/sys/fs/cgroup", wholeFile("/proc/self/cgroup"));
    return smallestKnown(smallestKnown(physicalMemoryBytes(), cgroup), addressSpaceLimitBytes());
}

} // namespace data
