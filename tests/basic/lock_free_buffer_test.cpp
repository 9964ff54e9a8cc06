#include <gtest/gtest.h>

#include <vector>

#include "basic/lock_free_buffer.h"

TEST(LockFreeBuffer, EachPublicationIsConsumedOnce) {
  basic::LockFreeBuffer<std::vector<int>> buffer;
  // The slots start apart, so the first block refreshes the host once.
  EXPECT_TRUE(buffer.consume());
  EXPECT_FALSE(buffer.consume());

  buffer.publish({1});
  std::vector<int> seen;
  EXPECT_TRUE(buffer.consume([&](const std::vector<int>& v) { seen = v; }));
  EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_FALSE(buffer.consume());

  // The next publication goes to the other slot.
  const int first_slot = buffer.write_index();
  buffer.publish({2});
  EXPECT_NE(buffer.write_index(), first_slot);
  EXPECT_TRUE(buffer.consume([&](const std::vector<int>& v) { seen = v; }));
  EXPECT_EQ(seen, std::vector<int>{2});
  EXPECT_FALSE(buffer.consume());
}

TEST(LockFreeBuffer, TwoPublicationsBeforeAReadGiveOneRefresh) {
  basic::LockFreeBuffer<std::vector<int>> buffer;
  buffer.publish({1});
  const int slot = buffer.write_index();
  buffer.publish({2});
  EXPECT_EQ(buffer.write_index(), slot);  // overwritten in place
  int refreshes = 0;
  std::vector<int> seen;
  for (int block = 0; block < 3; ++block) {
    if (buffer.consume([&](const std::vector<int>& v) { seen = v; })) ++refreshes;
  }
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(seen, std::vector<int>{2});
}
