#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "basic/conf_key_compare.h"
#include "basic/conf_key_content_multi.h"
#include "basic/conf_key_content_string.h"
#include "basic/conf_key_data.h"
#include "basic/conf_key_factory.h"
#include "basic/conf_key_multi.h"
#include "basic/conf_key_tokenizer.h"
#include "basic/conf_key_writer.h"

namespace basic {
namespace {

std::unique_ptr<ConfKeyContentMulti> make_list(const std::vector<std::string>& elts) {
  auto list = std::make_unique<ConfKeyContentMulti>();
  for (const auto& e : elts) list->add_elt(std::make_unique<ConfKeyContentString>(e));
  return list;
}

void add_list(ConfKeyMulti& root, const std::string& name, std::unique_ptr<ConfKeyContentMulti> list) {
  dynamic_cast<ConfKeyData&>(root.add_key(std::make_unique<ConfKeyData>(name))).set_content(std::move(list));
}

std::unique_ptr<ConfKeyInterface> parse(const std::string& text, int* status = nullptr) {
  ConfKeyFactory factory;
  auto root = factory.create_from_string(text);
  if (status != nullptr) *status = factory.get_status();
  return root;
}

TEST(ConfKeyText, CommentsAreWrittenOnOneLine) {
  ConfKeyMulti root("root");
  root.set_comment("first\nsecond");
  root.set_string("k", "v");
  root.use_key("k").set_comment("why\nnot");
  EXPECT_EQ(write_conf_text(root),
            "// first second\n"
            "root =\n"
            "{\n"
            "   k = v\t// why not\n"
            "}\n");
  // Comments are not kept by the reader, everything else is.
  auto back = parse(write_conf_text(root));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->get_comment(), "");
  EXPECT_EQ(dynamic_cast<ConfKeyMulti&>(*back).get_string("k"), "v");
}

TEST(ConfKeyText, EveryConstructAndAwkwardStringRoundTrips) {
  const std::vector<std::string> values = {"plain", "a, b", "two words", "tab\there", "x//y", "=",  "{",  "}",
                                           "a=b",   "",     "cr\rhere",  "1.00",     "é",    "back\\slash"};
  ConfKeyMulti root("root");
  for (std::size_t i = 0; i < values.size(); ++i) root.add_key(std::make_unique<ConfKeyData>("k" + std::to_string(i), values[i]));
  root.add_key(std::make_unique<ConfKeyData>("name with blank", "v"));
  root.add_key(std::make_unique<ConfKeyData>("=", "v"));
  root.set_string("a/b/c", "deep");
  auto outer = make_list({"x", "y z"});
  outer->add_elt(make_list({}));
  outer->add_elt(make_list({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  add_list(root, "list", std::move(outer));
  root.add_key(std::make_unique<ConfKeyData>("k0", "again"));  // names may repeat

  const std::string text = write_conf_text(root);
  EXPECT_NE(text.find("k0 = plain\n"), std::string::npos);
  int status = 1;
  auto back = parse(text, &status);
  ASSERT_EQ(status, kConfKeyOk) << text;
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(is_same_conf_tree(root, *back)) << text;
  EXPECT_EQ(write_conf_text(*back), text);
}

TEST(ConfKeyText, MalformedTextGivesItsCode) {
  const int deep = 100000;  // refused, not crashed
  std::string sections;
  for (int i = 0; i < deep; ++i) sections += "s = { ";
  const std::pair<std::string, int> cases[] = {
      {"a = b c = d", kConfKeyTokensLeft},
      {"a =", kConfKeyStringMissing},
      {"a = { b c", kConfKeyBadList},
      {"", kConfKeyBadData},
      {"a = }", kConfKeyBadData},
      {"a/b = c", kConfKeyBadData},
      {"s = { a = b", kConfKeyBadSection},
      {"a = \"b", kConfKeyTokenizer},
      {"a = " + std::string(deep, '{') + std::string(deep, '}'), kConfKeyBadList},
      {sections + "k = v" + std::string(deep, '}'), kConfKeyBadSection},
  };
  for (const auto& [text, code] : cases) {
    int status = 0;
    EXPECT_EQ(parse(text, &status), nullptr) << text.substr(0, 40);
    EXPECT_EQ(status, code) << text.substr(0, 40);
  }
  std::string moderate;
  for (int i = 0; i < 50; ++i) moderate += "s = { ";
  EXPECT_NE(parse(moderate + "k = v" + std::string(50, '}')), nullptr);
}

TEST(ConfKeyTokenizer, SplitsLinesIntoTokens) {
  std::vector<ConfKeyToken> tokens;
  ASSERT_EQ(tokenize_conf_text("a= \"x // y\"\t// note\r\nb={c}\v\"\"\bd\n", tokens),
            kConfTokenizeOk);
  const std::vector<std::string> expected = {"a", "=", "x // y", "b", "=", "{", "c", "}", "", "d"};
  ASSERT_EQ(tokens.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(tokens[i].text, expected[i]) << i;
  EXPECT_TRUE(tokens[1].is_symbol('='));
  EXPECT_TRUE(tokens[2].quoted);
  EXPECT_TRUE(tokens[8].quoted);
  EXPECT_FALSE(tokens[9].quoted);
}

}  // namespace
}  // namespace basic
