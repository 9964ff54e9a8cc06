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
  void get_name(char*, int) const override {}
  void get_unit(char*, int) const override {}
  int is_discrete() const override { return discrete_; }
  bool is_automatable() const override { return automatable_; }
  double conv_nrm_to_val(float nrm) const override { return nrm; }
  float conv_val_to_nrm(double val) const override { return static_cast<float>(val); }
  void conv_val_to_str(char*, int, double) const override {}
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

  const double cases[][3] = {{0.0, 0.2, 0.0}, {0.5, 0.4, 0.5}, {1.0, 0.6, 1.0}};  // t, continuous, past the last
  for (const auto& c : cases) {
    ProgramSlot out;
    out.values = {0.0f, 0.0f, 0.33f};
    blender.interpolate(out, from, to, c[0]);
    const std::vector<float> expected = {float(c[1]), 1.0f, 0.33f, float(c[2])};
    ASSERT_EQ(out.values.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(out.values[i], expected[i]) << c[0] << " " << i;
    EXPECT_EQ(out.extra, to.extra);
  }
  // The out program takes the target's length; values with nothing to glide from jump.
  ProgramSlot out;
  out.values = {9.0f, 9.0f, 9.0f, 9.0f, 9.0f};
  from.values = {0.2f};
  blender.interpolate(out, from, to, 0.5);
  ASSERT_EQ(out.values.size(), 4u);
  EXPECT_FLOAT_EQ(out.values[3], 1.0f);
}

}  // namespace
}  // namespace mppi
