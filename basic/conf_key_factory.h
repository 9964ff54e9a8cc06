#pragma once
// Reads configuration text into a key tree. Faults in the text never
// throw: the factory answers no tree and keeps a status code.
//
//   section:   name = { key key ... }
//   data key:  name = content
//   content:   string | { content content ... }

#include <memory>
#include <string>
#include <vector>

#include "basic/conf_key_content_interface.h"
#include "basic/conf_key_interface.h"
#include "basic/conf_key_tokenizer.h"

namespace basic {

enum ConfKeyStatus : int {
  kConfKeyOk = 0,
  kConfKeyTokensLeft = -1015,       // tokens after the root key
  kConfKeyStringMissing = -1016,    // a value expected, the tokens ran out
  kConfKeyBadList = -1017,          // a list not closed before the end
  kConfKeyBadData = -1018,          // a data key without name, '=' or value
  kConfKeyBadSection = -1019,       // a section not closed before the end
  kConfKeyTokenizer = -1020,        // the text could not be split (quotes)
  kConfKeyUnknownNode = -1024,      // a node of a kind the reader doesn't know
};

class ConfKeyFactory {
public:
  // Deeper nesting is refused rather than risking the stack.
  static constexpr int kMaxDepth = 200;

  // The root key of `text`, or null with get_status() telling why.
  std::unique_ptr<ConfKeyInterface> create_from_string(const std::string& text);
  int get_status() const { return status_; }

private:
  std::unique_ptr<ConfKeyInterface> parse_key(std::size_t& pos, int depth);
  std::unique_ptr<ConfKeyInterface> parse_section(std::size_t& pos, int depth);
  std::unique_ptr<ConfKeyInterface> parse_data(std::size_t& pos, int depth);
  std::unique_ptr<ConfKeyContentInterface> parse_content(std::size_t& pos, int depth);

  bool is_symbol_at(std::size_t pos, char c) const;
  bool is_name_at(std::size_t pos) const;

  std::vector<ConfKeyToken> tokens_;
  int status_ = kConfKeyOk;
};

}  // namespace basic
