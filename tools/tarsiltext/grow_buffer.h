// A growable array that leaves new elements uninitialised: its users write
// every element before they read it, so zeroing would be wasted work, and
// it keeps its storage so that a loop over records allocates only when a
// record is larger than any before.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>

namespace tarsil::tools {

template <typename T>
class GrowBuffer {
  public:
    T* data() { return data_.get(); }
    std::size_t capacity() const { return capacity_; }

    // Room for n elements; the first `keep` elements are kept.  Grows by
    // half again at least, so that slowly growing records do not allocate
    // every time.
    T* Reserve(std::size_t n, std::size_t keep = 0) {
        if (n > capacity_) {
            const std::size_t grown = std::max(n, capacity_ + capacity_ / 2);
            auto storage = std::make_unique_for_overwrite<T[]>(grown);
            std::copy_n(data_.get(), std::min(keep, capacity_), storage.get());
            data_ = std::move(storage);
            capacity_ = grown;
        }
        return data_.get();
    }

  private:
    std::unique_ptr<T[]> data_;
    std::size_t capacity_ = 0;
};

}  // namespace tarsil::tools
