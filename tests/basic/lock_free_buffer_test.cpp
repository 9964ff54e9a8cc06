#include <gtest/gtest.h>

#include <vector>

#include "basic/lock_free_buffer.h"

TEST(LockFreeBuffer, EachPublicationIsConsumedOnceAndTheLatestWins) {
  basic::LockFreeBuffer<std::vector<int>> buffer;
  // The slots start apart, so the first block refreshes the host once.
  EXPECT_TRUE(buffer.consume());
  EXPECT_FALSE(buffer.consume());

  std::vector<int> seen;
  const auto read = [&](const std::vector<int>& v) { seen = v; };
  buffer.publish({1});
  EXPECT_TRUE(buffer.consume(read));
  EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_FALSE(buffer.consume(read));

  // Two publications before a read: one refresh, with the second.
  buffer.publish({2});
  buffer.publish({3});
  EXPECT_TRUE(buffer.consume(read));
  EXPECT_EQ(seen, std::vector<int>{3});
  EXPECT_FALSE(buffer.consume(read));
}
