#pragma once
// The lab's runs spread over threads, one world per thread at a time. A run's outcome
// depends on its design, settings and seed only, so the outcomes are the same however
// many threads share the work; they come back in the order the runs were asked for.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/lab_levels.h"
#include "tools/quake_lab.h"

struct LabJob {
    std::size_t level = 0;  // a sweep's level (see settingsAtLevel)
    std::uint32_t seed = 0;
};

// Every level with seeds first .. first + seeds - 1, level by level.
std::vector<LabJob> labJobs(std::size_t levels, std::uint32_t first, int seeds);

// The threads to use when not told: every core the machine reports, at least one.
int labThreadsDefault();

// Runs every job on at most `threads` threads (never more than there are jobs); the
// outcome of job i at index i.
std::vector<LabOutcome> runLabJobs(const Design& design, const LabSweep& sweep, const std::vector<LabJob>& jobs,
                                   int threads);
