#pragma once
// Counts heap allocations made by the current thread while a scope is
// active, so that tests can prove that rendering allocates nothing.

#include <cstddef>

namespace zindle_test {

class AllocationCounter {
public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  std::size_t count() const;

private:
  std::size_t start_;
};

}  // namespace zindle_test
