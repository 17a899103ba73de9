#include "failing_new.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// Allocations left before the failing one; negative while nothing is armed.
std::atomic<long> gLeft{-1};
std::atomic<bool> gFailed{false};

void* Allocate(std::size_t size, std::size_t alignment) {
  if (gLeft.load(std::memory_order_relaxed) >= 0 && gLeft.fetch_sub(1) == 0) {
    gFailed = true;
    throw std::bad_alloc();
  }
  if (size == 0) size = 1;
  void* p = alignment > alignof(std::max_align_t)
                ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)
                : std::malloc(size);
  if (!p) throw std::bad_alloc();
  return p;
}
}  // namespace

void FailAllocationAfter(long n) {
  gFailed = false;
  gLeft = n;
}

bool Disarm() {
  gLeft = -1;
  return gFailed;
}

void* operator new(std::size_t size) {
  return Allocate(size, 0);
}
void* operator new[](std::size_t size) {
  return Allocate(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size, 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size, 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
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
void operator delete(void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
