#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "bank_test_util.h"
#include "framework/core/bank_file.h"
#include "framework/core/chunk_storage.h"
#include "framework/core/program_slot.h"
#include "support/temp_folder.h"

namespace mppi {
namespace {

using mppi_test::bytes_of;
using mppi_test::envelope_of;
using mppi_test::make_bank;

class BankFile : public ::testing::Test {
protected:
  std::string path(const char* name) const { return folder_.file(name); }
  void put(const char* name, const std::vector<uint8_t>& data) const {
    std::ofstream(path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  }

  zindle_test::TempFolder folder_;
};

TEST_F(BankFile, SaveAndReloadGiveTheSameBank) {
  const BankManager bank = make_bank(64, 62, 3);
  ASSERT_EQ(save_bank_file(path("a.pbk"), bank), kBankOk);
  EXPECT_EQ(std::filesystem::file_size(path("a.pbk")), 8u + 64u * (324u + 3u) + 8u);

  BankManager loaded;
  ASSERT_EQ(load_bank_file(path("a.pbk"), loaded, nullptr, false), kBankOk);
  EXPECT_EQ(bytes_of(loaded), bytes_of(bank));
}

TEST_F(BankFile, EnvelopeFaultsGiveTheirCodes) {
  std::vector<uint8_t> snpx = envelope_of(make_bank(2, 62));
  snpx[3] = 'X';
  put("snpx.pbk", snpx);
  put("ten.pbk", {'S', 'N', 'P', 'B', 0, 0, 0x51, 0x08, 1, 2});  // B = 20744
  put("five.pbk", {'S', 'N', 'P', 'B', 0});
  put("empty.pbk", {});
  put("zero.pbk", {'S', 'N', 'P', 'B', 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 76});
  put("huge.pbk", {'S', 'N', 'P', 'B', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1});

  const std::pair<const char*, int> cases[] = {
      {"snpx.pbk", kBankBadMagic},  {"ten.pbk", kBankBodyReadShort}, {"five.pbk", kBankHeaderRead},
      {"empty.pbk", kBankHeaderRead}, {"zero.pbk", kBankBodyRead},    {"huge.pbk", kBankBodyReadShort},
      {"absent.pbk", kBankCantOpen}};
  for (const auto& [file, code] : cases) {
    BankManager bank = make_bank(64, 62);
    const std::vector<uint8_t> before = bytes_of(bank);
    EXPECT_EQ(load_bank_file(path(file), bank, nullptr, false), code) << file;
    EXPECT_EQ(bytes_of(bank), before) << file;
  }
  EXPECT_EQ(save_bank_file(folder_.path().string(), make_bank(1, 1)), kBankCantOpen);
  BankManager bad_bank = make_bank(3, 62);
  bad_bank.use_program(1).extra = {1};  // records of unequal size
  EXPECT_EQ(save_bank_file(path("bad.pbk"), bad_bank), kBankBodyWrite);
}

TEST_F(BankFile, StrictModeKeepsTheShape) {
  put("thirty_two.pbk", envelope_of(make_bank(32, 62)));
  BankManager bank = make_bank(64, 62);
  EXPECT_EQ(load_bank_file(path("thirty_two.pbk"), bank, nullptr, true), kBankStrictCount);
  EXPECT_EQ(bank.get_nbr_programs(), 64);
  EXPECT_EQ(load_bank_file(path("thirty_two.pbk"), bank, nullptr, false), kBankOk);
  EXPECT_EQ(bank.get_nbr_programs(), 32);

  BankManager other_values = make_bank(32, 61);
  const std::vector<uint8_t> image = envelope_of(other_values);
  const std::vector<uint8_t> before = bytes_of(bank);
  EXPECT_EQ(load_bank_memory(image.data(), static_cast<int>(image.size()), bank, nullptr, true),
            kBankStrictValues);
  EXPECT_EQ(bytes_of(bank), before);
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

std::vector<uint8_t> record_of(const ProgramSlot& prog) {
  std::vector<uint8_t> out(static_cast<std::size_t>(prog.get_size()), 0xEE);
  EXPECT_EQ(prog.write(out.data()), 0);
  return out;
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

}  // namespace
}  // namespace mppi
