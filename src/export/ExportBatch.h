// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExportJob.h"

#include <functional>
#include <vector>

namespace vandrix {

// Runs the jobs on `threads` workers (the calling thread alone for one). `done` is called for
// each finished job, one call at a time, in the order the jobs finish.
void RunExports(const std::vector<ExportJob>& jobs, const ExportSettings& settings, int threads,
                const std::function<void(std::size_t job, const ExportReport& report)>& done);

}  // namespace vandrix
