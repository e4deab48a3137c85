#pragma once
// Memory for arrays of millions of values. Filled a 4 KiB page at a time, such an array
// costs the kernel a fault and a cleared page every 512 doubles; where the kernel offers
// huge pages for memory that asks for them, it costs one fault every 2 MiB instead.

#include <cstddef>

namespace curvist {

// Asks for huge pages under the whole 2 MiB steps of the `bytes` at `data` (memory of
// this program's own, not yet written); a mere request, which the kernel may not grant.
void ask_for_huge_pages(void* data, std::size_t bytes);

// Memory for `bytes` that, from 2 MiB on, starts and ends at 2 MiB boundaries and asks for
// huge pages, so that they can hold all of it, its ends too. Given back with
// free_large_memory.
void* large_memory(std::size_t bytes);
void free_large_memory(void* data);

// For a std::unique_ptr of such memory.
struct LargeMemoryRelease {
  void operator()(void* data) const { free_large_memory(data); }
};

// The allocator of a container of such arrays (std::vector<float, LargeArrayAllocator<float>>).
template <typename T>
struct LargeArrayAllocator {
  using value_type = T;
  LargeArrayAllocator() = default;
  template <typename Other>
  LargeArrayAllocator(const LargeArrayAllocator<Other>&) {}
  T* allocate(std::size_t count) { return static_cast<T*>(large_memory(count * sizeof(T))); }
  void deallocate(T* data, std::size_t) { free_large_memory(data); }
  template <typename Other>
  bool operator==(const LargeArrayAllocator<Other>&) const {
    return true;
  }
};

}  // namespace curvist
