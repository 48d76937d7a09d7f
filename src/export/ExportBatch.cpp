// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportBatch.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace vandrix {

void RunExports(const std::vector<ExportJob>& jobs, const ExportSettings& settings, int threads,
                const std::function<void(std::size_t job, const ExportReport& report)>& done) {
    std::atomic<std::size_t> next{0};
    std::mutex reporting;
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            const ExportReport report = RunExport(jobs[i], settings);
            const std::lock_guard lock(reporting);
            done(i, report);
        }
    };
    const std::size_t workers =
        std::min(jobs.size(), static_cast<std::size_t>(std::max(threads, 1)));
    if (workers <= 1) {
        work();
        return;
    }
    std::vector<std::jthread> pool;
    pool.reserve(workers - 1);
    for (std::size_t w = 1; w < workers; ++w) {
        pool.emplace_back(work);
    }
    work();
}

}  // namespace vandrix
