#include "basic/conf_key_tokenizer.h"

namespace basic {

namespace {

bool is_separator(char c) {
  return c == ' ' || c == '\t' || c == '\b' || c == '\v' || c == '\n';
}

class LineTokenizer {
public:
  explicit LineTokenizer(std::vector<ConfKeyToken>& tokens) : tokens_(tokens) {}

  // Returns false when the line ends inside quotes.
  bool run(const std::string& text, std::size_t begin, std::size_t end) {
    bool in_quotes = false;
    for (std::size_t i = begin; i < end; ++i) {
      const char c = text[i];
      if (c == '"') {
        in_quotes = !in_quotes;
        cur_.quoted = true;
        started_ = true;
      } else if (in_quotes) {
        append(c);
      } else if (c == '/' && i + 1 < end && text[i + 1] == '/') {
        break;
      } else if (c == '=' || c == '{' || c == '}') {
        flush();
        tokens_.push_back(ConfKeyToken{std::string(1, c), false});
      } else if (c == '\r') {
        // dropped
      } else if (is_separator(c)) {
        flush();
      } else {
        append(c);
      }
    }
    if (in_quotes) return false;
    flush();
    return true;
  }

private:
  void append(char c) {
    cur_.text += c;
    started_ = true;
  }

  void flush() {
    if (started_) tokens_.push_back(std::move(cur_));
    cur_ = ConfKeyToken{};
    started_ = false;
  }

  std::vector<ConfKeyToken>& tokens_;
  ConfKeyToken cur_;
  bool started_ = false;  // "" is a token too
};

}  // namespace

int tokenize_conf_text(const std::string& text, std::vector<ConfKeyToken>& tokens) {
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    LineTokenizer line(tokens);
    if (!line.run(text, begin, end)) return kConfTokenizeUnterminatedQuote;
    begin = end + 1;
  }
  return kConfTokenizeOk;
}

}  // namespace basic
