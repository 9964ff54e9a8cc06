#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bank_test_util.h"
#include "framework/core/bank_manager.h"

namespace mppi {
namespace {

using mppi_test::bytes_of;
using mppi_test::make_bank;

TEST(BankManager, SynthBankBodyLayout) {
  const BankManager bank = make_bank(64, 62);
  const std::vector<uint8_t> body = bytes_of(bank);
  ASSERT_EQ(body.size(), 20744u);
  EXPECT_EQ(bank.get_size(), 20744);
  const std::vector<uint8_t> header = {0, 0, 0, 64, 0, 0, 0x01, 0x44};
  EXPECT_EQ(std::vector<uint8_t>(body.begin(), body.begin() + 8), header);
  // Program 5's record sits at 8 + 5 * 324 and starts with its attribute.
  EXPECT_EQ(body[8 + 5 * 324 + 3], 15);
  EXPECT_EQ(body[8 + 5 * 324 + 12], 'P');
}

TEST(BankManager, ReadResizesToTheStoredCount) {
  BankManager bank = make_bank(64, 62);
  const std::vector<uint8_t> three = bytes_of(make_bank(3, 5, 2));
  ASSERT_EQ(bank.read(three.data(), static_cast<int>(three.size())), 0);
  EXPECT_EQ(bank.get_nbr_programs(), 3);
  EXPECT_EQ(bytes_of(bank), three);
}

TEST(BankManager, ReadRefusesImpossibleHeadersAndKeepsTheBank) {
  const std::vector<uint8_t> good = bytes_of(make_bank(4, 3));
  // Count and record size: none, a record below a header, more programs or a
  // larger record than the data holds, counts overflowing 32 bits.
  const uint32_t cases[][2] = {{0, 88}, {4, 11}, {5, 88}, {4, 89}, {0x80000000u, 0x10}, {0xFFFFFFFFu, 88}};
  for (const auto& c : cases) {
    std::vector<uint8_t> data = good;
    for (int i = 0; i < 8; ++i) data[size_t(i)] = uint8_t(c[i / 4] >> (24 - 8 * (i % 4)));
    BankManager bank = make_bank(2, 62);
    const std::vector<uint8_t> before = bytes_of(bank);
    EXPECT_NE(bank.read(data.data(), static_cast<int>(data.size())), 0) << c[0] << " " << c[1];
    EXPECT_EQ(bytes_of(bank), before);
  }
}

TEST(BankManager, ResizeCopiesThePrototypeAndKeepsOneProgram) {
  BankManager bank = make_bank(2, 3);
  ProgramSlot proto;
  proto.set_name("Init");
  proto.attribute = 4;
  bank.resize(4, proto);
  ASSERT_EQ(bank.get_nbr_programs(), 4);
  EXPECT_EQ(bank.use_program(1).name, "Prog 1");
  EXPECT_EQ(bank.use_program(3).attribute, 4u);
  bank.resize(0);
  ASSERT_EQ(bank.get_nbr_programs(), 1);
  EXPECT_EQ(bank.use_program(0).name, "Prog 0");
}

TEST(BankManager, CopiesKeepAttributes) {
  const BankManager src = make_bank(5, 2);
  BankManager dst = make_bank(5, 2);
  for (int i = 0; i < 5; ++i) dst.use_program(i).attribute = 99;
  dst = src;
  EXPECT_EQ(bytes_of(dst), bytes_of(src));
}

}  // namespace
}  // namespace mppi
