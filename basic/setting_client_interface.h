#pragma once
// Anything that owns settings: writes its keys into a section of the
// settings tree and reads them back. Both return 0 or an error code.

namespace basic {

class ConfKeyMulti;

class SettingClientInterface {
public:
  virtual ~SettingClientInterface() = default;
  virtual int write_settings(ConfKeyMulti& section) const = 0;
  virtual int read_settings(const ConfKeyMulti& section) = 0;
};

}  // namespace basic
