#pragma once
// What both start-up children report to the driver: one line on stdout,
// "READY <peak resident kB>", written the moment the first result is on
// screen. The driver measures the wall time itself, from before it starts
// the child to the arrival of that line, so loading and linking count too.

#include <cstdio>
#include <cstring>

namespace ampora::bench {

// The resident-set high-water mark of this process, from /proc (0 elsewhere).
inline long PeakResidentKb() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::strtol(line + 6, nullptr, 10);
    std::fclose(f);
    return kb;
}

inline void ReportReady() {
    std::printf("READY %ld\n", PeakResidentKb());
    std::fflush(stdout);
}

}  // namespace ampora::bench
