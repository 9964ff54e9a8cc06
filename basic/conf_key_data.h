#pragma once
// A leaf key holding exactly one value, an empty string when new.

#include <memory>
#include <string>

#include "basic/conf_key_content_interface.h"
#include "basic/conf_key_interface.h"

namespace basic {

class ConfKeyData : public ConfKeyInterface {
public:
  explicit ConfKeyData(const std::string& name = "");
  ConfKeyData(const std::string& name, const std::string& str);
  ~ConfKeyData() override = default;

  const ConfKeyContentInterface& use_content() const { return *content_; }
  ConfKeyContentInterface& use_content() { return *content_; }
  // Takes ownership and deletes the previous content.
  void set_content(std::unique_ptr<ConfKeyContentInterface> content);

  // The string value, or an empty string when the content is a list.
  std::string get_string() const;
  void set_string(const std::string& str);

protected:
  void do_write_key(std::string& out, int level) const override;

private:
  std::unique_ptr<ConfKeyContentInterface> content_;
};

}  // namespace basic
