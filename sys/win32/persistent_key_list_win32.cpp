#include "sys/persistent_key_list.h"

#include <windows.h>

#include <sstream>
#include <stdexcept>
#include <vector>

namespace sys {

struct PersistentKeyList::Impl {
  HKEY key = nullptr;
};

std::string user_config_folder() { return {}; }

PersistentKeyList::PersistentKeyList(const std::string& path) : impl_(new Impl) {
  HKEY current = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &current) != ERROR_SUCCESS) {
    delete impl_;
    throw std::runtime_error("sys::PersistentKeyList::PersistentKeyList () : Cannot open path.");
  }
  std::string level;
  std::istringstream parts(path);
  while (std::getline(parts, level, '/')) {
    if (level.empty()) continue;
    HKEY next = nullptr;
    const LONG rc = RegCreateKeyExA(current, level.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &next, nullptr);
    RegCloseKey(current);
    if (rc != ERROR_SUCCESS) {
      delete impl_;
      throw std::runtime_error("sys::PersistentKeyList::PersistentKeyList () : Cannot create path.");
    }
    current = next;
  }
  impl_->key = current;
}

PersistentKeyList::~PersistentKeyList() {
  if (impl_->key) RegCloseKey(impl_->key);
  delete impl_;
}

bool PersistentKeyList::read_string(const std::string& name, std::string& value) const {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(impl_->key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(impl_->key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return false;
  value.assign(data.data());
  return true;
}

bool PersistentKeyList::write_string(const std::string& name, const std::string& value) {
  return RegSetValueExA(impl_->key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace sys
