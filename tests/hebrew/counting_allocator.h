// The global allocation functions of a test binary that links
// counting_allocator.cpp count, and can be told to refuse, so that tests
// can see whether code allocates.
#pragma once

#include <atomic>
#include <cstddef>

namespace tarsil::testing {

inline std::atomic<long> allocations{0};
inline std::atomic<bool> refuseAllocations{false};

// Allocations made while it lives.
class AllocationCount {
  public:
    AllocationCount() : start_(allocations.load()) {}
    long operator()() const { return allocations.load() - start_; }

  private:
    long start_;
};

// While it lives, every allocation fails.
class RefuseAllocations {
  public:
    RefuseAllocations() { refuseAllocations = true; }
    ~RefuseAllocations() { refuseAllocations = false; }
};

}  // namespace tarsil::testing
