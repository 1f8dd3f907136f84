// LargestAllocation, LiveAllocations: the largest single operator new request made while it lives; the blocks not yet deleted.
#pragma once

#include <cstddef>

// Works in test programs that link korvane_test_allocations, which replaces
// the global operator new.
class LargestAllocation {
public:
    LargestAllocation();
    ~LargestAllocation();
    LargestAllocation(const LargestAllocation&) = delete;
    LargestAllocation& operator=(const LargestAllocation&) = delete;

    size_t Bytes() const;
};

// The number of operator new blocks not yet deleted (in programs that link korvane_test_allocations).
long LiveAllocations();
