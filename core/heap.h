#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <type_traits>

// The program's heap blocks come from the C allocator and go back with
// std::free: operator new reports a failure by throwing, and the program is
// built without exceptions. A failed allocation is a null pointer.

struct FreeDeleter {
  void operator()(void* block) const { std::free(block); }
};

template <typename T>
using HeapArray = std::unique_ptr<T[], FreeDeleter>;

// `count` zero-filled elements, or null when the memory cannot be had
// (calloc also refuses a count whose byte size overflows).
template <typename T>
HeapArray<T> ZeroedArray(std::size_t count) {
  static_assert(std::is_trivial_v<T>, "the elements are used as calloc leaves them");
  return HeapArray<T>(static_cast<T*>(std::calloc(count, sizeof(T))));
}
