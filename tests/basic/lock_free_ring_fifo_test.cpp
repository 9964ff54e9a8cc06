#include <gtest/gtest.h>

#include <cstdint>
#include <thread>

#include "basic/lock_free_ring_fifo.h"

TEST(LockFreeRingFifo, KeepsOrderAcrossTheWrap) {
  basic::LockFreeRingFifo<int, 5> fifo;
  int next_in = 0;
  int next_out = 0;
  // Uneven batches move the indexes through every wrap position.
  for (int round = 0; round < 20; ++round) {
    for (int k = 0; k < 1 + round % 4; ++k) ASSERT_TRUE(fifo.push(next_in++));
    EXPECT_EQ(fifo.size(), 1 + round % 4) << round;
    if (round % 4 == 3) {
      EXPECT_FALSE(fifo.push(-1)) << "holds one less than its slots";
    }
    int value = 0;
    while (fifo.pop(value)) EXPECT_EQ(value, next_out++);
  }
  EXPECT_EQ(next_out, next_in);
  int untouched = 77;
  EXPECT_FALSE(fifo.pop(untouched));
  EXPECT_EQ(untouched, 77);
}

struct Stamped {
  uint32_t sequence;
  uint32_t check;  // a torn slot would break sequence * 3 + 1
};

TEST(LockFreeRingFifoThread, ProducerAndConsumerSeeEveryElementInOrder) {
  constexpr uint32_t kCount = 200000;
  basic::LockFreeRingFifo<Stamped, 64> fifo;  // small, so both sides meet often
  std::thread producer([&] {
    for (uint32_t i = 0; i < kCount;) {
      if (fifo.push({i, i * 3 + 1})) {
        ++i;
      } else {
        std::this_thread::yield();
      }
    }
  });
  uint32_t expected = 0;
  bool intact = true;
  while (expected < kCount) {
    Stamped item{};
    if (!fifo.pop(item)) {
      std::this_thread::yield();
      continue;
    }
    intact = intact && item.sequence == expected && item.check == expected * 3 + 1;
    ++expected;
  }
  producer.join();
  EXPECT_TRUE(intact);
  EXPECT_TRUE(fifo.empty());
}
