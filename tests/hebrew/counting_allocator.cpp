// Global allocation functions that count and can refuse; see
// counting_allocator.h.  In a source file of its own, so that the compiler
// does not pair them with the standard ones.  The library's array, nothrow
// and sized forms all come down to these two.
#include "tests/hebrew/counting_allocator.h"

#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    if (tarsil::testing::refuseAllocations) throw std::bad_alloc();
    ++tarsil::testing::allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
