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

TEST(ZindleDspParamTable, RegistersTheRowsInIndexOrderEachWithItsGroupsFlag) {
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
  ASSERT_EQ(dsp.get_nbr_param(), synth::kNbrParams);
  std::map<char, mppi::NotifiedInterface*> flag_of_group;
  for (int i = 0; i < synth::kNbrParams; ++i) {
    const mppi::NormalizedParamInterface* p = dsp.get_param(i);
    ASSERT_NE(p, nullptr) << i;
    const auto row = synth::create_param(synth::param_id(i));
    EXPECT_EQ(name_of(*p), name_of(*row)) << i;
    EXPECT_EQ(p->get_val(), row->get_val()) << i;
    ASSERT_NE(p->notified, nullptr) << i;
    const auto inserted = flag_of_group.emplace(groups[static_cast<size_t>(i)], p->notified);
    EXPECT_EQ(inserted.first->second, p->notified) << "#" << i << " is not with its group " << groups[static_cast<size_t>(i)];
  }
  ASSERT_EQ(flag_of_group.size(), static_cast<size_t>(synth::kNbrParamGroups));
  std::map<mppi::NotifiedInterface*, char> group_of_flag;
  for (const auto& [group, flag] : flag_of_group) {
    EXPECT_TRUE(group_of_flag.emplace(flag, group).second) << group << " shares its flag";
  }
}

}  // namespace
