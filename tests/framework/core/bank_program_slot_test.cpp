#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "framework/core/program_slot.h"

namespace mppi {
namespace {

std::vector<uint8_t> record_of(const ProgramSlot& prog) {
  std::vector<uint8_t> out(static_cast<std::size_t>(prog.get_size()), 0xEE);
  EXPECT_EQ(prog.write(out.data()), 0);
  return out;
}

TEST(BankProgramSlot, RecordLayout) {
  ProgramSlot prog;
  prog.set_name("Pad");
  prog.attribute = 0x01020304;
  prog.values = {0.5f, 1.0f, 0.0f};
  prog.extra = {0xA1, 0xB2};
  const std::vector<uint8_t> rec = record_of(prog);
  ASSERT_EQ(rec.size(), 76u + 12u + 2u);

  const std::vector<uint8_t> header = {1, 2, 3, 4, 0, 64, 0, 3, 0, 0, 0, 2, 'P', 'a', 'd', 0};
  EXPECT_EQ(std::vector<uint8_t>(rec.begin(), rec.begin() + 16), header);
  for (std::size_t i = 16; i < 76; ++i) EXPECT_EQ(rec[i], 0) << i;  // NUL padding
  const std::vector<uint8_t> tail = {0x3F, 0x00, 0x00, 0x00, 0x3F, 0x80, 0x00, 0x00,
                                     0x00, 0x00, 0x00, 0x00, 0xA1, 0xB2};
  EXPECT_EQ(std::vector<uint8_t>(rec.begin() + 76, rec.end()), tail);
}

TEST(BankProgramSlot, NamesKeepAtMost63Characters) {
  const std::string long_name(70, 'x');
  ProgramSlot prog;
  prog.set_name(long_name);
  EXPECT_EQ(prog.name, std::string(63, 'x'));

  // Written from an over-long public name, read from a field with no NUL.
  prog.name = long_name;
  std::vector<uint8_t> rec = record_of(prog);
  EXPECT_EQ(rec[12 + 62], 'x');
  EXPECT_EQ(rec[12 + 63], 0);
  std::fill(rec.begin() + 12, rec.begin() + 76, 'y');
  ProgramSlot back;
  ASSERT_EQ(back.read(rec.data(), static_cast<int>(rec.size())), 0);
  EXPECT_EQ(back.name, std::string(63, 'y'));

  // A name field of 4 bytes: the values start at offset 16.
  const std::vector<uint8_t> short_field = {0, 0, 0, 0, 0, 4, 0, 1, 0, 0, 0, 0, 'A', 'b', 'c', 'd', 0x3E, 0x80, 0, 0};
  ASSERT_EQ(back.read(short_field.data(), static_cast<int>(short_field.size())), 0);
  EXPECT_EQ(back.name, "Abcd");
  EXPECT_EQ(back.values, std::vector<float>{0.25f});
}

TEST(BankProgramSlot, StoredValuesAreCheckedAndClamped) {
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float stored;
    bool accepted;
    float read;
  } cases[] = {{0.25f, true, 0.25f}, {-0.5f, true, 0.0f}, {2.0f, true, 1.0f}, {inf, true, 1.0f},
               {-inf, true, 0.0f},   {std::numeric_limits<float>::quiet_NaN(), false, 0.0f}};
  for (const auto& c : cases) {
    ProgramSlot src;
    src.values = {0.5f, c.stored};
    const std::vector<uint8_t> rec = record_of(src);
    ProgramSlot prog;
    prog.set_name("Kept");
    prog.values = {0.75f};
    const int result = prog.read(rec.data(), static_cast<int>(rec.size()));
    EXPECT_EQ(result == 0, c.accepted) << c.stored;
    const std::vector<float> expected = c.accepted ? std::vector<float>{0.5f, c.read} : std::vector<float>{0.75f};
    EXPECT_EQ(prog.values, expected) << c.stored;
  }
}

TEST(BankProgramSlot, AssignmentLeavesTheAttribute) {
  ProgramSlot src;
  src.values = {0.3f};
  src.attribute = 5;
  ProgramSlot applied;
  applied.attribute = 9;
  applied = src;
  EXPECT_EQ(applied.attribute, 9u);
  EXPECT_EQ(applied.values, src.values);
  EXPECT_EQ(ProgramSlot(src).attribute, 5u);
}

}  // namespace
}  // namespace mppi
