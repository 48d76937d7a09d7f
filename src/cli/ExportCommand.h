// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vandrix {

// vandrix-export: parses the command line, exports every input and returns the exit status
// (0 all written, 1 some input or output failed, 2 a usage error).
int RunExportCommand(int& argc, char** argv);

}  // namespace vandrix
