#include "tools/lab_threads.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <system_error>
#include <thread>

#include "physics/engine/b2layer.h"

std::vector<LabJob> labJobs(std::size_t levels, std::uint32_t first, int seeds) {
    std::vector<LabJob> jobs;
    for (std::size_t level = 0; level < levels; ++level) {
        for (int i = 0; i < seeds; ++i) jobs.push_back(LabJob{level, first + static_cast<std::uint32_t>(i)});
    }
    return jobs;
}

int labThreadsDefault() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

std::vector<LabOutcome> runLabJobs(const Design& design, const LabSweep& sweep, const std::vector<LabJob>& jobs,
                                   int threads) {
    std::vector<LabOutcome> outcomes(jobs.size());
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::atomic<bool> failed{false};
    // Each worker takes the next job not yet taken, so a slow run holds up no other.
    const auto work = [&](std::exception_ptr& mine) {
        try {
            for (std::size_t i = next++; i < jobs.size() && !failed; i = next++) {
                outcomes[i] = runLab(design, settingsAtLevel(sweep, jobs[i].level), jobs[i].seed);
            }
        } catch (...) {
            mine = std::current_exception();
            failed = true;
        }
    };
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, threads)), jobs.size());
    if (count <= 1) {
        work(failure);
    } else {
        b2PrepareForThreads();
        std::vector<std::exception_ptr> failures(count);
        std::vector<std::thread> pool;
        for (std::size_t t = 1; t < count; ++t) {
            try {
                pool.emplace_back(work, std::ref(failures[t]));
            } catch (const std::system_error&) {
                break;  // no more threads to be had: those started share the work
            }
        }
        work(failures[0]);
        for (std::thread& t : pool) t.join();
        for (const std::exception_ptr& f : failures) {
            if (f && !failure) failure = f;
        }
    }
    if (failure) std::rethrow_exception(failure);
    return outcomes;
}
