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
  EXPECT_EQ(loaded.use_program(63).attribute, 189u);
  EXPECT_EQ(loaded.use_program(63).extra, (std::vector<uint8_t>{63, 63, 63}));

  const std::vector<uint8_t> image = envelope_of(make_bank(64, 62));
  ASSERT_EQ(image.size(), 20752u);
  EXPECT_EQ(load_bank_memory(image.data(), static_cast<int>(image.size()), loaded, nullptr, true),
            kBankOk);
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

  struct Case {
    const char* file;
    int code;
  };
  for (const Case& c : {Case{"snpx.pbk", kBankBadMagic}, Case{"ten.pbk", kBankBodyReadShort},
                        Case{"five.pbk", kBankHeaderRead}, Case{"empty.pbk", kBankHeaderRead},
                        Case{"zero.pbk", kBankBodyRead}, Case{"huge.pbk", kBankBodyReadShort},
                        Case{"absent.pbk", kBankCantOpen}}) {
    BankManager bank = make_bank(64, 62);
    const std::vector<uint8_t> before = bytes_of(bank);
    EXPECT_EQ(load_bank_file(path(c.file), bank, nullptr, false), c.code) << c.file;
    EXPECT_EQ(bytes_of(bank), before) << c.file;
  }
  BankManager bank;
  EXPECT_EQ(load_bank_memory(snpx.data(), static_cast<int>(snpx.size()), bank, nullptr, false),
            kBankBadMagic);
  EXPECT_EQ(save_bank_file(folder_.path().string(), make_bank(1, 1)), kBankCantOpen);
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
  EXPECT_EQ(load_bank_memory(image.data(), static_cast<int>(image.size()), bank, &refuse, false),
            kBankRefused);
  EXPECT_EQ(refuse.seen_programs, 7);
  EXPECT_EQ(bank.get_nbr_programs(), 64);
  CountingValidator accept(true);
  EXPECT_EQ(load_bank_memory(image.data(), static_cast<int>(image.size()), bank, &accept, false),
            kBankOk);
  EXPECT_EQ(bank.get_nbr_programs(), 7);
}

TEST_F(BankFile, SaveRefusesABankThatCannotWriteItself) {
  BankManager bank = make_bank(3, 62);
  bank.use_program(1).extra = {1};
  EXPECT_EQ(save_bank_file(path("bad.pbk"), bank), kBankBodyWrite);
}

}  // namespace
}  // namespace mppi
