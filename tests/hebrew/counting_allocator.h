// The global allocation functions of a test binary that links
// counting_allocator.cpp count, and can be told to refuse, so that tests
// can see whether code allocates.
#pragma once

#include <atomic>

namespace tarsil::testing {

inline std::atomic<long> allocations{0};
inline std::atomic<bool> refuseAllocations{false};

// Allocations made while it lives.
struct AllocationCount {
    long start = allocations.load();
    long operator()() const { return allocations.load() - start; }
};

// While it lives, every allocation fails.
struct RefuseAllocations {
    RefuseAllocations() { refuseAllocations = true; }
    ~RefuseAllocations() { refuseAllocations = false; }
};

}  // namespace tarsil::testing
