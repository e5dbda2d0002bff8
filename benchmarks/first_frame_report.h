// The benchmarks' report of a program's first frame: when the environment variable
// CATALOG_FIRST_PAINT_REPORT names a file, ReportFirstFrame writes there the time since the process
// was created and its peak working set; with CATALOG_FIRST_PAINT_EXIT=1 the process then ends at once.
// Both benchmark programs (the catalog's start-up and the minimal window) report through this code.
#pragma once

namespace bench {

// Only the first call of a run reports.
void ReportFirstFrame();

}  // namespace bench
