#pragma once
// Splits configuration text into tokens, line by line. Outside double
// quotes "//" starts a comment, '=', '{' and '}' are tokens of their own,
// carriage returns are dropped, and blanks, tabs, backspaces and vertical
// tabs separate tokens. Inside quotes every character is kept; the quotes
// themselves are not.

#include <string>
#include <vector>

namespace basic {

struct ConfKeyToken {
  std::string text;
  // Written with quotes: never a symbol, even when it reads "=".
  bool quoted = false;

  bool is_symbol(char c) const { return !quoted && text.size() == 1 && text[0] == c; }
};

constexpr int kConfTokenizeOk = 0;
constexpr int kConfTokenizeUnterminatedQuote = -1021;

// Appends the tokens of `text`; stops at the first line ending inside quotes.
int tokenize_conf_text(const std::string& text, std::vector<ConfKeyToken>& tokens);

}  // namespace basic
