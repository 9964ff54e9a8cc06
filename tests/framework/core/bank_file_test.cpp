#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bank_test_util.h"
#include "framework/core/bank_file.h"
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

class CountingValidator : public BankValidatorInterface {
public:
  explicit CountingValidator(bool answer) : answer_(answer) {}
  bool check(const BankManager& bank) const override {
    seen_programs = bank.get_nbr_programs();
    return answer_;
  }
  mutable int seen_programs = -1;

private:
  bool answer_;
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

TEST_F(BankFile, ValidatorSeesTheLoadedBank) {
  const std::vector<uint8_t> image = envelope_of(make_bank(7, 62));
  BankManager bank = make_bank(64, 62);
  CountingValidator refuse(false);
  EXPECT_EQ(load_bank_memory(image.data(), static_cast<int>(image.size()), bank, &refuse, false), kBankRefused);
  EXPECT_EQ(refuse.seen_programs, 7);
  EXPECT_EQ(bank.get_nbr_programs(), 64);
}

}  // namespace
}  // namespace mppi
