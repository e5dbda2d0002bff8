// Counts of this process's live GDI objects, windows and private memory, for leak tests. Under Wine
// GetGuiResources is a stub, so the GDI handle table that the PEB points to is read instead.
#pragma once

#include <cstddef>
#include <string>

namespace testing_support {

bool RunningUnderWine();
// Live GDI objects of this process.
int GdiObjectCount();
// Windows (top-level and children) of the calling thread.
int ThreadWindowCount();
// Bytes of memory that belong to this process alone (its private usage; under Wine the resident
// anonymous memory of the process).
std::size_t PrivateBytes();

// All three at one moment.
struct ResourceCounts {
    int gdiObjects = 0;
    int windows = 0;
    std::size_t privateBytes = 0;

    static ResourceCounts Now();
    // What grew from `before` to this, in words ("GDI objects 812 -> 815"), or empty when nothing did.
    std::string GrowthSince(const ResourceCounts& before) const;
};

}  // namespace testing_support
