#include "base/large_buffer.h"

#include <sys/mman.h>

#include <cstdint>

namespace vorbel::base {

namespace {

// Under AddressSanitizer every buffer comes from the heap, where overruns of
// a surface are caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kOwnMappings = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kOwnMappings = false;
#else
constexpr bool kOwnMappings = true;
#endif
#else
constexpr bool kOwnMappings = true;
#endif

constexpr std::size_t kHugePage = std::size_t{2} << 20;

bool OwnMapping(std::size_t bytes) { return kOwnMappings && bytes >= kLargeBufferBytes; }

std::size_t MappedSize(std::size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

}  // namespace

void* AllocateBuffer(std::size_t bytes) {
  if (!OwnMapping(bytes)) return ::operator new(bytes);
  if (bytes > static_cast<std::size_t>(-1) - 2 * kHugePage) throw std::bad_alloc();
  const std::size_t size = MappedSize(bytes);
  // One huge page more than needed, so that an aligned start lies inside;
  // what lies before and after it is given back at once.
  void* const mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto from = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t start = (from + kHugePage - 1) & ~(kHugePage - 1);
  if (start > from) ::munmap(mapped, start - from);
  const std::uintptr_t end = from + size + kHugePage;
  if (end > start + size) ::munmap(reinterpret_cast<void*>(start + size), end - (start + size));
#ifdef MADV_HUGEPAGE
  ::madvise(reinterpret_cast<void*>(start), size, MADV_HUGEPAGE);  // only a hint
#endif
  return reinterpret_cast<void*>(start);
}

void FreeBuffer(void* p, std::size_t bytes) noexcept {
  if (p == nullptr) return;
  if (OwnMapping(bytes)) {
    ::munmap(p, MappedSize(bytes));
  } else {
    ::operator delete(p);
  }
}

}  // namespace vorbel::base
