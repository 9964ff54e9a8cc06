// The DSP object registers the parameters of the table, in index order, and
// points each at the flag of its group.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "synth/plugin/zindle_dsp.h"
#include "synth/params/param_classes.h"

namespace {

std::string name_of(const mppi::NormalizedParamInterface& p) {
  char buf[64];
  p.get_name(buf, sizeof(buf));
  return buf;
}

std::string text_at(const mppi::NormalizedParamInterface& p, float nrm) {
  char buf[64];
  p.conv_val_to_str(buf, sizeof(buf), p.conv_nrm_to_val(nrm));
  return buf;
}

TEST(ZindleDspParamTable, RegistersTheRowsInIndexOrder) {
  synth::ZindleDsp dsp;
  dsp.init();
  ASSERT_EQ(dsp.get_nbr_param(), synth::kNbrParams);
  for (int i = 0; i < synth::kNbrParams; ++i) {
    const auto expected = synth::create_param(synth::param_id(i));
    const mppi::NormalizedParamInterface* p = dsp.get_param(i);
    ASSERT_NE(p, nullptr) << i;
    const std::string at = "#" + std::to_string(i) + " " + name_of(*expected);
    EXPECT_EQ(name_of(*p), name_of(*expected)) << at;
    EXPECT_EQ(p->get_val(), expected->get_val()) << at;
    EXPECT_EQ(p->nrm(), expected->nrm()) << at;
    for (float n : {0.0f, 0.3f, 1.0f}) EXPECT_EQ(text_at(*p, n), text_at(*expected, n)) << at << " at " << n;
  }
}

TEST(ZindleDspParamTable, EachGroupHasItsOwnFlag) {
  // One letter per group, in index order: synth core a-f, control stage g-k,
  // generator l-n, noise o, sample-and-hold p-r, mixer s-v.
  const std::string groups = std::string("ababcdcdcdcd" "f" "eeeeee" "ff")  // 0-20
                             + "gggghhiijkkk"                              // 21-32
                             + "lmlmlmln" "o"                              // 33-41
                             + "pqqrr"                                     // 42-46
                             + "ssssss" "tt" "u" "vvvv" "t" "s";           // 47-61
  ASSERT_EQ(groups.size(), static_cast<size_t>(synth::kNbrParams));
  synth::ZindleDsp dsp;
  dsp.init();
  std::map<char, mppi::NotifiedInterface*> flag_of_group;
  for (int i = 0; i < synth::kNbrParams; ++i) {
    mppi::NotifiedInterface* flag = dsp.get_param(i)->notified;
    ASSERT_NE(flag, nullptr) << i;
    const auto inserted = flag_of_group.emplace(groups[static_cast<size_t>(i)], flag);
    EXPECT_EQ(inserted.first->second, flag) << "#" << i << " is not with its group " << groups[static_cast<size_t>(i)];
  }
  ASSERT_EQ(flag_of_group.size(), static_cast<size_t>(synth::kNbrParamGroups));
  for (const auto& a : flag_of_group) {
    for (const auto& b : flag_of_group) {
      if (a.first != b.first) {
        EXPECT_NE(a.second, b.second) << a.first << " and " << b.first;
      }
    }
  }
}

}  // namespace
