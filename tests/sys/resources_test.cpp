#include <gtest/gtest.h>

#include "sys/resources.h"

TEST(Resources, FoundByNameAndTypeOnly) {
  static const unsigned char bank[] = {'S', 'N', 'P', 'B'};
  static const unsigned char picture[] = {1, 2, 3};
  static const sys::EmbeddedResource table[] = {
      {"STATIC_PRESETS", "SNPB", bank, sizeof bank},
      {"STATIC_PRESETS", "APIC", picture, sizeof picture},
  };
  sys::register_embedded_resources(table, 2);

  sys::ResourceView view;
  ASSERT_TRUE(sys::get_resource("STATIC_PRESETS", "APIC", view));
  EXPECT_EQ(view.data, picture);
  EXPECT_EQ(view.size, 3u);

  sys::ResourceView missing;
  EXPECT_FALSE(sys::get_resource("STATIC_PRESET", "SNPB", missing));
  // Letter case does not matter, as with Windows resources.
  ASSERT_TRUE(sys::get_resource("static_presets", "snpb", view));
  EXPECT_EQ(view.data, bank);
  EXPECT_FALSE(sys::get_resource(nullptr, "SNPB", missing));
  EXPECT_EQ(missing.data, nullptr);
}
