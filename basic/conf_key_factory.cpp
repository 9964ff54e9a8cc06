#include "basic/conf_key_factory.h"

#include "basic/conf_key_content_multi.h"
#include "basic/conf_key_content_string.h"
#include "basic/conf_key_data.h"
#include "basic/conf_key_multi.h"

namespace basic {

std::unique_ptr<ConfKeyInterface> ConfKeyFactory::create_from_string(const std::string& text) {
  tokens_.clear();
  status_ = kConfKeyOk;
  if (tokenize_conf_text(text, tokens_) != kConfTokenizeOk) {
    tokens_.clear();
    status_ = kConfKeyTokenizer;
    return nullptr;
  }
  std::size_t pos = 0;
  auto root = parse_key(pos, 0);
  if (root && pos != tokens_.size()) {
    root.reset();
    status_ = kConfKeyTokensLeft;
  }
  tokens_.clear();
  return root;
}

bool ConfKeyFactory::is_symbol_at(std::size_t pos, char c) const {
  return pos < tokens_.size() && tokens_[pos].is_symbol(c);
}

// A key name: any token but a symbol, not empty and without path separators.
bool ConfKeyFactory::is_name_at(std::size_t pos) const {
  if (pos >= tokens_.size()) return false;
  const ConfKeyToken& tok = tokens_[pos];
  if (!tok.quoted && (tok.text == "=" || tok.text == "{" || tok.text == "}")) return false;
  return !tok.text.empty() && ConfKeyInterface::is_name_valid(tok.text);
}

std::unique_ptr<ConfKeyInterface> ConfKeyFactory::parse_key(std::size_t& pos, int depth) {
  if (!is_name_at(pos) || !is_symbol_at(pos + 1, '=')) {
    status_ = kConfKeyBadData;
    return nullptr;
  }
  // A section when the first thing inside the braces is itself a key.
  if (is_symbol_at(pos + 2, '{') && is_symbol_at(pos + 4, '=')) {
    return parse_section(pos, depth);
  }
  return parse_data(pos, depth);
}

std::unique_ptr<ConfKeyInterface> ConfKeyFactory::parse_section(std::size_t& pos, int depth) {
  if (depth >= kMaxDepth) {
    status_ = kConfKeyBadSection;
    return nullptr;
  }
  auto section = std::make_unique<ConfKeyMulti>(tokens_[pos].text);
  pos += 3;
  while (!is_symbol_at(pos, '}')) {
    if (pos >= tokens_.size()) {
      status_ = kConfKeyBadSection;
      return nullptr;
    }
    auto child = parse_key(pos, depth + 1);
    if (!child) return nullptr;
    section->add_key(std::move(child));
  }
  ++pos;
  return section;
}

std::unique_ptr<ConfKeyInterface> ConfKeyFactory::parse_data(std::size_t& pos, int depth) {
  auto data = std::make_unique<ConfKeyData>(tokens_[pos].text);
  pos += 2;
  auto content = parse_content(pos, depth);
  if (!content) return nullptr;
  data->set_content(std::move(content));
  return data;
}

std::unique_ptr<ConfKeyContentInterface> ConfKeyFactory::parse_content(std::size_t& pos,
                                                                       int depth) {
  if (pos >= tokens_.size()) {
    status_ = kConfKeyStringMissing;
    return nullptr;
  }
  if (is_symbol_at(pos, '=') || is_symbol_at(pos, '}')) {
    status_ = kConfKeyBadData;
    return nullptr;
  }
  if (!is_symbol_at(pos, '{')) {
    return std::make_unique<ConfKeyContentString>(tokens_[pos++].text);
  }
  if (depth >= kMaxDepth) {
    status_ = kConfKeyBadList;
    return nullptr;
  }
  auto list = std::make_unique<ConfKeyContentMulti>();
  ++pos;
  while (!is_symbol_at(pos, '}')) {
    if (pos >= tokens_.size()) {
      status_ = kConfKeyBadList;
      return nullptr;
    }
    auto elt = parse_content(pos, depth + 1);
    if (!elt) return nullptr;
    list->add_elt(std::move(elt));
  }
  ++pos;
  return list;
}

}  // namespace basic
