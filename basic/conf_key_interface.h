#pragma once
// A named key of the configuration tree, with a one-line comment. An empty
// name makes an anonymous key, which can be held but not written.

#include <string>

#include "basic/conf_key_stream_interface.h"

namespace basic {

class ConfKeyInterface : public ConfKeyStreamInterface {
public:
  ~ConfKeyInterface() override = default;

  const std::string& get_name() const { return name_; }
  void set_name(const std::string& name);
  bool is_anonymous() const { return name_.empty(); }

  const std::string& get_comment() const { return comment_; }
  // Line feeds become blanks: a comment always fits on one line.
  void set_comment(const std::string& comment);

  void write_to_string(std::string& out, int level) const final;

  // A name must not contain a key-path separator.
  static bool is_name_valid(const std::string& name);
  static void check_name_throw(const std::string& name);

protected:
  explicit ConfKeyInterface(const std::string& name);
  ConfKeyInterface(const ConfKeyInterface&) = default;
  ConfKeyInterface& operator=(const ConfKeyInterface&) = default;

  virtual void do_write_key(std::string& out, int level) const = 0;

private:
  void do_write_to_string(std::string& out, int level) const;

  std::string name_;
  std::string comment_;
};

}  // namespace basic
