#pragma once
// Memory for large buffers such as picture surfaces, laid out so that the
// system can back it with huge pages.
//
// A full-HD surface is 8 MB. In ordinary 4 kB pages its first touch costs two
// thousand page faults, more processor time than drawing the button on it; in
// 2 MB pages it costs four. Huge pages are used only when a whole, aligned
// 2 MB block lies inside the buffer, so large buffers get their own mapping,
// aligned and rounded up to whole huge pages. Smaller buffers come from the
// ordinary heap. Either way the memory behaves the same: the huge pages are
// only a hint to the system.

#include <cstddef>
#include <new>

namespace vorbel::base {

// Buffers of at least this many bytes get their own huge-page mapping: a
// huge page costs less than the 256 faults of 1 MB in small pages, even when
// half of it is never used.
inline constexpr std::size_t kLargeBufferBytes = std::size_t{1} << 20;

// `bytes` of memory, aligned for any type; throws std::bad_alloc.
void* AllocateBuffer(std::size_t bytes);
// Gives back memory from AllocateBuffer; `bytes` must be the same count.
void FreeBuffer(void* p, std::size_t bytes) noexcept;

// An allocator for std::vector and the like that takes its memory from
// AllocateBuffer.
template <class T>
struct LargeBufferAllocator {
  using value_type = T;

  LargeBufferAllocator() = default;
  template <class U>
  constexpr LargeBufferAllocator(const LargeBufferAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateBuffer(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { FreeBuffer(p, n * sizeof(T)); }

  template <class U>
  friend constexpr bool operator==(const LargeBufferAllocator&, const LargeBufferAllocator<U>&) noexcept {
    return true;
  }
};

}  // namespace vorbel::base
