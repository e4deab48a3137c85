#include "array/LargeArrays.hpp"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace curvist {
namespace {

constexpr std::size_t huge_page = std::size_t(2) << 20;

std::size_t whole_huge_pages(std::size_t bytes) {
  return (bytes + huge_page - 1) / huge_page * huge_page;
}

}  // namespace

void ask_for_huge_pages(void* data, std::size_t bytes) {
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + huge_page - 1) / huge_page * huge_page;
  const std::uintptr_t last = (start + bytes) / huge_page * huge_page;
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

void* large_memory(std::size_t bytes) {
  void* data = bytes < huge_page ? std::malloc(bytes)
                                 : std::aligned_alloc(huge_page, whole_huge_pages(bytes));
  if (data == nullptr && bytes > 0) throw std::bad_alloc();
  if (bytes >= huge_page) ask_for_huge_pages(data, whole_huge_pages(bytes));
  return data;
}

void free_large_memory(void* data) { std::free(data); }

}  // namespace curvist
