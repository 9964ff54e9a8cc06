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

TEST(ConfKeyTree, NamesWithPathSeparatorsAreRefused) {
  const std::string msg = "basic::ConfKeyInterface::check_name_throw() : Invalid name.";
  for (const char* bad : {"a/b", "a\\b", "//", "/", "x\\"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(fault_text([&] { ConfKeyData key(bad); }), msg);
    EXPECT_EQ(fault_text([&] { ConfKeyMulti key(bad); }), msg);
    ConfKeyData key("ok");
    EXPECT_EQ(fault_text([&] { key.set_name(bad); }), msg);
    EXPECT_EQ(key.get_name(), "ok");
  }
}

TEST(ConfKeyTree, AnonymousKeyCannotBeWritten) {
  const std::string msg =
      "basic::ConfKeyInterface::do_write_to_string() : Key can't be anonymous.";
  std::string out;
  EXPECT_EQ(fault_text([&] { ConfKeyData().write_to_string(out, 0); }), msg);
  ConfKeyMulti root("root");
  root.add_key(std::make_unique<ConfKeyData>());
  EXPECT_EQ(fault_text([&] { root.write_to_string(out, 0); }), msg);
}

TEST(ConfKeyTree, FindIndexTakesFirstMatchFromStart) {
  ConfKeyMulti root("root");
  root.add_key(std::make_unique<ConfKeyData>("a", "1"));
  root.add_key(std::make_unique<ConfKeyData>("b", "2"));
  root.add_key(std::make_unique<ConfKeyData>("a", "3"));
  EXPECT_EQ(root.find_index("a"), 0);
  EXPECT_EQ(root.find_index("a", 1), 2);
  EXPECT_EQ(root.find_index("a", 3), -1);
  EXPECT_EQ(root.find_index("c"), -1);
  EXPECT_EQ(root.get_string("a"), "1");
  EXPECT_EQ(fault_text([&] { root.find_index_throw("c"); }),
            "basic::ConfKeyMulti::find_index_throw() : Key not found.");
  root.remove_key(0);
  EXPECT_EQ(root.get_string("a"), "3");
  EXPECT_EQ(root.get_nbr_keys(), 2);
}

TEST(ConfKeyTree, LookupByPath) {
  ConfKeyMulti root("root");
  root.set_string("midi/port_in", "Keys 1");
  root.set_string("midi\\control_map/cc7", "12");
  root.set_string("version", "1.00");

  EXPECT_EQ(root.get_string("midi/port_in"), "Keys 1");
  EXPECT_EQ(root.get_string("midi/control_map\\cc7"), "12");
  EXPECT_EQ(root.get_string("midi"), "");           // a section
  EXPECT_EQ(root.get_string("midi/absent"), "");
  EXPECT_EQ(root.get_key("version/deeper"), nullptr);  // through a data key
  EXPECT_EQ(root.get_key("absent/x"), nullptr);
  EXPECT_EQ(&root.use_key("midi/control_map"), root.get_key("midi/control_map"));

  const std::string msg = "basic::ConfKeyMulti::use_key() : Key doesn't exist.";
  EXPECT_EQ(fault_text([&] { root.use_key("midi/absent"); }), msg);
  EXPECT_EQ(fault_text([&] { root.use_key("version/deeper"); }), msg);
  EXPECT_EQ(fault_text([&] { root.get_string("midi//x"); }),
            "basic::ConfKeyMulti::split_key_path_first() : Invalid key path.");
}

TEST(ConfKeyTree, SetStringReplacesKeysOfTheWrongKindInPlace) {
  ConfKeyMulti root("root");
  root.set_string("a", "1");
  root.set_string("b", "2");
  root.set_string("c", "3");

  root.set_string("b/x", "4");  // data key b becomes a section
  ASSERT_EQ(root.get_nbr_keys(), 3);
  EXPECT_EQ(root.find_index("b"), 1);
  ASSERT_NE(dynamic_cast<ConfKeyMulti*>(&root.use_child(1)), nullptr);
  EXPECT_EQ(root.get_string("b/x"), "4");

  root.set_string("b", "5");  // and back
  EXPECT_EQ(root.find_index("b"), 1);
  EXPECT_EQ(root.get_string("b"), "5");

  root.set_string("a", "6");  // same key, new value
  EXPECT_EQ(root.get_nbr_keys(), 3);
  EXPECT_EQ(root.get_string("a"), "6");

  auto& c = dynamic_cast<ConfKeyData&>(root.use_key("c"));
  c.set_content(std::make_unique<ConfKeyContentMulti>());
  EXPECT_EQ(root.get_string("c"), "");
  root.set_string("c", "7");
  EXPECT_EQ(root.get_string("c"), "7");
}

TEST(ConfKeyTree, KeyPathUniqueness) {
  ConfKeyMulti root("root");
  root.set_string("s/a", "1");
  root.set_string("t", "1");
  auto& s = dynamic_cast<ConfKeyMulti&>(root.use_key("s"));
  s.add_key(std::make_unique<ConfKeyData>("a", "2"));
  root.add_key(std::make_unique<ConfKeyData>("t", "2"));

  EXPECT_TRUE(root.is_key_path_unique("s"));
  EXPECT_FALSE(root.is_key_path_unique("s/a"));
  EXPECT_FALSE(root.is_key_path_unique("t"));
  EXPECT_FALSE(root.is_key_path_unique("absent"));
  root.set_string("u/v/w", "1");
  EXPECT_TRUE(root.is_key_path_unique("u/v/w"));
  EXPECT_FALSE(root.is_key_path_unique("u/v/w/deeper"));
}

}  // namespace
}  // namespace basic
