#include "support/largest_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_tracking{false};
std::atomic<size_t> g_largest{0};
std::atomic<long> g_live{0};

void Record(size_t size)
{
    size_t largest = g_largest;
    while (size > largest && !g_largest.compare_exchange_weak(largest, size)) {
    }
}

} // namespace

LargestAllocation::LargestAllocation()
{
    g_largest = 0;
    g_tracking = true;
}

LargestAllocation::~LargestAllocation()
{
    g_tracking = false;
}

size_t LargestAllocation::Bytes() const
{
    return g_largest;
}

long LiveAllocations()
{
    return g_live;
}

void* operator new(size_t size)
{
    if (g_tracking)
        Record(size);
    if (void* p = std::malloc(size != 0 ? size : 1)) {
        ++g_live;
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    if (p != nullptr)
        --g_live;
    std::free(p);
}

void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}
