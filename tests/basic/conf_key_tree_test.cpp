#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "basic/conf_key_content_multi.h"
#include "basic/conf_key_data.h"
#include "basic/conf_key_multi.h"

namespace basic {
namespace {

template <typename F>
std::string fault_text(F&& f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "(no fault)";
}

TEST(ConfKeyTree, BadNamesAreRefusedAndAnonymousKeysCannotBeWritten) {
  const std::string msg = "basic::ConfKeyInterface::check_name_throw() : Invalid name.";
  for (const char* bad : {"a/b", "a\\b", "/", "x\\"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(fault_text([&] { ConfKeyMulti key(bad); }), msg);
    ConfKeyData key("ok");
    EXPECT_EQ(fault_text([&] { key.set_name(bad); }), msg);
    EXPECT_EQ(key.get_name(), "ok");
  }
  ConfKeyMulti root("root");
  root.add_key(std::make_unique<ConfKeyData>());
  std::string out;
  EXPECT_EQ(fault_text([&] { root.write_to_string(out, 0); }),
            "basic::ConfKeyInterface::do_write_to_string() : Key can't be anonymous.");
}

TEST(ConfKeyTree, LookupByPathTakesTheFirstMatch) {
  ConfKeyMulti root("root");
  root.set_string("midi/port_in", "Keys 1");
  root.set_string("midi\\control_map/cc7", "12");
  root.set_string("version", "1.00");
  root.add_key(std::make_unique<ConfKeyData>("version", "2.00"));
  EXPECT_EQ(root.find_index("version"), 1);
  EXPECT_EQ(root.find_index("version", 2), 2);
  EXPECT_EQ(root.find_index("version", 3), -1);
  EXPECT_EQ(root.get_string("version"), "1.00");

  EXPECT_EQ(root.get_string("midi/control_map\\cc7"), "12");
  EXPECT_EQ(root.get_string("midi"), "");  // a section
  EXPECT_EQ(root.get_key("version/deeper"), nullptr);  // through a data key
  EXPECT_EQ(root.get_key("absent/x"), nullptr);
  EXPECT_EQ(fault_text([&] { root.use_key("midi/absent"); }), "basic::ConfKeyMulti::use_key() : Key doesn't exist.");
  EXPECT_EQ(fault_text([&] { root.get_string("midi//x"); }),
            "basic::ConfKeyMulti::split_key_path_first() : Invalid key path.");

  EXPECT_TRUE(root.is_key_path_unique("midi/port_in"));
  EXPECT_FALSE(root.is_key_path_unique("version"));
  EXPECT_FALSE(root.is_key_path_unique("absent"));
  root.remove_key(1);
  EXPECT_EQ(root.get_string("version"), "2.00");
}

TEST(ConfKeyTree, SetStringReplacesKeysOfTheWrongKindInPlace) {
  ConfKeyMulti root("root");
  root.set_string("a", "1");
  root.set_string("b", "2");
  root.set_string("c", "3");

  root.set_string("b/x", "4");  // data key b becomes a section
  ASSERT_EQ(root.get_nbr_keys(), 3);
  ASSERT_NE(dynamic_cast<ConfKeyMulti*>(&root.use_child(1)), nullptr);
  EXPECT_EQ(root.get_string("b/x"), "4");
  root.set_string("b", "5");  // and back
  EXPECT_EQ(root.find_index("b"), 1);
  EXPECT_EQ(root.get_string("b"), "5");

  dynamic_cast<ConfKeyData&>(root.use_key("c")).set_content(std::make_unique<ConfKeyContentMulti>());
  EXPECT_EQ(root.get_string("c"), "");
  root.set_string("c", "7");
  EXPECT_EQ(root.get_string("c"), "7");
  EXPECT_EQ(root.get_nbr_keys(), 3);
}

}  // namespace
}  // namespace basic
