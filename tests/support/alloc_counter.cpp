#include "support/alloc_counter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t t_allocations = 0;
thread_local int t_counting = 0;

void* counted_alloc(std::size_t size) {
  if (t_counting > 0) ++t_allocations;
  if (size == 0) size = 1;
  if (void* p = std::malloc(size)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return counted_alloc(size); }
void* operator new[](std::size_t size) { return counted_alloc(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try { return counted_alloc(size); } catch (...) { return nullptr; }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try { return counted_alloc(size); } catch (...) { return nullptr; }
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace zindle_test {

AllocationCounter::AllocationCounter() : start_(t_allocations) { ++t_counting; }
AllocationCounter::~AllocationCounter() { --t_counting; }
std::size_t AllocationCounter::count() const { return t_allocations - start_; }

}  // namespace zindle_test
