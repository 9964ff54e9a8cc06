#include <gtest/gtest.h>

#include <vector>

#include "basic/conf_key_multi.h"
#include "framework/params/param_reorder.h"
#include "support/fake_param_access.h"
#include "support/framework_reorder_section.h"

namespace {

using FakeAccess = zindle_test::FakeParamAccess;
using zindle_test::reorder_section;

void expect_permutation(const mppi::ParamReorder& map) {
  for (int i = 0; i < map.get_nbr_param(); ++i) {
    EXPECT_EQ(map.to_host(map.to_internal(i)), i);
    EXPECT_EQ(map.to_internal(map.to_host(i)), i);
  }
}

}  // namespace

TEST(ParamReorder, RepeatedAndNonNumericEntriesAreCompletedByIdentity) {
  FakeAccess access(62);
  mppi::ParamReorder map;
  map.init(access);
  ASSERT_EQ(map.read_settings(*reorder_section({"5_x", "5_y", "abc"})), 0);
  EXPECT_EQ(map.to_internal(0), 5);
  EXPECT_EQ(map.to_internal(5), 0);
  for (int k : {1, 2, 61}) EXPECT_EQ(map.to_internal(k), k);
  expect_permutation(map);
  EXPECT_EQ(map.to_internal(62), 62);  // indices outside the list pass through
  EXPECT_EQ(map.to_host(-1), -1);

  // A missing or malformed key keeps the mapping.
  map.read_settings(basic::ConfKeyMulti("root"));
  basic::ConfKeyMulti not_a_list("root");
  not_a_list.set_string("parameter_reorder_map", "7_x");
  map.read_settings(not_a_list);
  EXPECT_EQ(map.to_internal(0), 5);
}
