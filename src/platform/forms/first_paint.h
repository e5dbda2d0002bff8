// A report of how fast the program showed its first page, for the benchmarks: when the environment
// variable CATALOG_FIRST_PAINT_REPORT names a file, the first page painted whole (the page and its
// controls) writes there the time since the process was created and the peak working set; with
// CATALOG_FIRST_PAINT_EXIT=1 the program then ends at once. Without the variable nothing happens.
#pragma once

namespace platform {

// Called by pages when they have painted whole; only the first call of the run reports.
void NoteFirstPaint();

}  // namespace platform
