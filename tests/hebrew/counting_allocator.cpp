// Global allocation functions that count and can refuse; see
// counting_allocator.h.  In a source file of its own, so that the compiler
// does not pair them with the standard ones.  Every form is replaced: a
// sanitizer run brings its own of each.
#include "tests/hebrew/counting_allocator.h"

#include <cstdlib>
#include <new>

namespace {

void* Allocate(std::size_t size) {
    if (tarsil::testing::refuseAllocations) return nullptr;
    ++tarsil::testing::allocations;
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
