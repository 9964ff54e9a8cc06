#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/core/prog_st_ld_default.h"
#include "framework/core/program_slot.h"
#include "framework/params/normalized_param_interface.h"

namespace mppi {
namespace {

class FakeParam : public NormalizedParamInterface {
public:
  FakeParam(bool automatable, int discrete) : automatable_(automatable), discrete_(discrete) {}
  void get_name(char* buf, int len) const override { if (len > 0) buf[0] = '\0'; }
  void get_unit(char* buf, int len) const override { if (len > 0) buf[0] = '\0'; }
  int is_discrete() const override { return discrete_; }
  bool is_automatable() const override { return automatable_; }
  double conv_nrm_to_val(float nrm) const override { return nrm; }
  float conv_val_to_nrm(double val) const override { return static_cast<float>(val); }
  void conv_val_to_str(char* buf, int len, double) const override { if (len > 0) buf[0] = '\0'; }
  double conv_str_to_val(const char*, bool*) const override { return 0.0; }

private:
  bool automatable_;
  int discrete_;
};

TEST(BankInterpolate, ContinuousGlideSteppedJumpOthersStay) {
  // 0 continuous, 1 two-state, 2 not automatable, 3 past the last parameter.
  std::vector<std::unique_ptr<FakeParam>> params;
  params.push_back(std::make_unique<FakeParam>(true, 0));
  params.push_back(std::make_unique<FakeParam>(true, 1));
  params.push_back(std::make_unique<FakeParam>(false, 0));
  ProgStLdDefault blender([&params](int i) -> const NormalizedParamInterface* {
    return i < static_cast<int>(params.size()) ? params[static_cast<std::size_t>(i)].get()
                                                : nullptr;
  });

  ProgramSlot from;
  from.values = {0.2f, 0.0f, 0.1f, 0.0f};
  ProgramSlot to;
  to.values = {0.6f, 1.0f, 0.9f, 1.0f};
  to.extra = {5, 6};

  struct Case {
    double t;
    float continuous;
    float extra_value;
  };
  for (const Case& c : {Case{0.0, 0.2f, 0.0f}, Case{0.5, 0.4f, 0.5f}, Case{1.0, 0.6f, 1.0f}}) {
    ProgramSlot out;
    out.values = {0.0f, 0.0f, 0.33f};
    blender.interpolate(out, from, to, c.t);
    ASSERT_EQ(out.values.size(), 4u);
    EXPECT_FLOAT_EQ(out.values[0], c.continuous) << c.t;
    EXPECT_EQ(out.values[1], 1.0f) << c.t;
    EXPECT_EQ(out.values[2], 0.33f) << c.t;
    EXPECT_FLOAT_EQ(out.values[3], c.extra_value) << c.t;
    EXPECT_EQ(out.extra, to.extra);
  }
}

TEST(BankInterpolate, OutTakesTheTargetsLength) {
  ProgStLdDefault blender([](int) -> const NormalizedParamInterface* { return nullptr; });
  ProgramSlot from;
  from.values = {0.0f};
  ProgramSlot to;
  to.values = {1.0f, 0.5f};
  ProgramSlot out;
  out.values = {9.0f, 9.0f, 9.0f};
  out.extra = {1};
  blender.interpolate(out, from, to, 0.25);
  ASSERT_EQ(out.values.size(), 2u);
  EXPECT_FLOAT_EQ(out.values[0], 0.25f);
  EXPECT_FLOAT_EQ(out.values[1], 0.5f);  // nothing to glide from
  EXPECT_TRUE(out.extra.empty());
}

}  // namespace
}  // namespace mppi
