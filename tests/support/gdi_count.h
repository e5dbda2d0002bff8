// Counts of this process's live GDI objects and windows, for leak tests. Under Wine GetGuiResources is
// a stub, so the GDI handle table that the PEB points to is read instead.
#pragma once

namespace testing_support {

bool RunningUnderWine();
// Live GDI objects of this process.
int GdiObjectCount();
// Windows (top-level and children) of the calling thread.
int ThreadWindowCount();

}  // namespace testing_support
