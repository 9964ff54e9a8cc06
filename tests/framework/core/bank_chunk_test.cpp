#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bank_test_util.h"
#include "framework/core/chunk_storage.h"

namespace mppi {
namespace {

using mppi_test::bytes_of;
using mppi_test::make_bank;

class FakeState : public basic::SerializableInterface {
public:
  int read(const uint8_t* data, int len) override { return len == 3 ? bytes.assign(data, data + len), 0 : -1; }
  int write(uint8_t* data) const override { return std::copy(bytes.begin(), bytes.end(), data), 0; }
  int get_size() const override { return static_cast<int>(bytes.size()); }
  std::vector<uint8_t> bytes = {7, 8, 9};
};

TEST(BankChunk, BankAndProgramChunksRoundTrip) {
  BankManager bank = make_bank(64, 62);
  std::vector<uint8_t> chunk;
  EXPECT_EQ(get_chunk(bank, 0, nullptr, false, chunk), 20744);
  EXPECT_EQ(chunk, bytes_of(bank));

  std::vector<uint8_t> prog_chunk;
  EXPECT_EQ(get_chunk(bank, 9, nullptr, true, prog_chunk), 324);
  std::vector<uint8_t> none;
  EXPECT_EQ(get_chunk(bank, 64, nullptr, true, none), 0);  // no such program
  EXPECT_EQ(get_chunk(bank, -1, nullptr, true, none), 0);

  BankManager other = make_bank(1, 62);
  int cur = 0;
  EXPECT_EQ(set_chunk(other, cur, nullptr, chunk.data(), static_cast<int>(chunk.size()), false), 1);
  EXPECT_EQ(bytes_of(other), chunk);

  cur = 3;
  EXPECT_EQ(set_chunk(other, cur, nullptr, prog_chunk.data(), 324, true), 1);
  EXPECT_EQ(other.use_program(3).values, bank.use_program(9).values);

  // The current program follows a shorter bank.
  const std::vector<uint8_t> three = bytes_of(make_bank(3, 62));
  cur = 40;
  EXPECT_EQ(set_chunk(other, cur, nullptr, three.data(), static_cast<int>(three.size()), false), 1);
  EXPECT_EQ(cur, 2);
}

TEST(BankChunk, DspStateReplacesTheBankChunk) {
  BankManager bank = make_bank(4, 62);
  const std::vector<uint8_t> before = bytes_of(bank);
  FakeState state;
  std::vector<uint8_t> chunk;
  EXPECT_EQ(get_chunk(bank, 0, &state, false, chunk), 3);
  EXPECT_EQ(chunk, (std::vector<uint8_t>{7, 8, 9}));

  const uint8_t data[] = {1, 2, 3};
  int cur = 0;
  EXPECT_EQ(set_chunk(bank, cur, &state, data, 3, false), 1);
  EXPECT_EQ(state.bytes, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(set_chunk(bank, cur, &state, data, 2, false), 0);
  EXPECT_EQ(bytes_of(bank), before);
  // A program chunk still comes from the bank.
  EXPECT_EQ(get_chunk(bank, 1, &state, true, chunk), 324);
}

}  // namespace
}  // namespace mppi
