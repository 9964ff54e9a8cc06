#include "sys/persistent_key_list.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sys {
namespace {

const char* const kOpenError = "sys::PersistentKeyList::PersistentKeyList () : Cannot open path.";
const char* const kCreateError = "sys::PersistentKeyList::PersistentKeyList () : Cannot create path.";

std::string escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '=': out += "\\e"; break;
      default: out += c;
    }
  }
  return out;
}

std::string unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 'e' ? '=' : c;
  }
  return out;
}

bool make_folder(const std::string& folder) {
  struct stat st {};
  if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  return mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace

std::string user_config_folder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.config";
  return {};
}

struct PersistentKeyList::Impl {
  std::string file;
  std::map<std::string, std::string> values;

  void load() {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
      // The first unescaped '=' separates name and value ('=' itself is escaped).
      const size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      values[unescape(line.substr(0, eq))] = unescape(line.substr(eq + 1));
    }
  }

  bool save() const {
    std::ostringstream text;
    for (const auto& [name, value] : values) text << escape(name) << '=' << escape(value) << '\n';
    // Write beside and rename, so a crash never leaves half a file.
    const std::string temp = file + ".tmp";
    {
      std::ofstream out(temp, std::ios::trunc);
      if (!out) return false;
      out << text.str();
      if (!out.flush()) return false;
    }
    return std::rename(temp.c_str(), file.c_str()) == 0;
  }
};

PersistentKeyList::PersistentKeyList(const std::string& path) : impl_(new Impl) {
  std::string folder = user_config_folder();
  if (folder.empty() || !make_folder(folder)) {
    delete impl_;
    throw std::runtime_error(kOpenError);
  }
  std::string level;
  std::istringstream parts(path);
  while (std::getline(parts, level, '/')) {
    if (level.empty() || level == "." || level == "..") continue;
    folder += "/" + level;
    if (!make_folder(folder)) {
      delete impl_;
      throw std::runtime_error(kCreateError);
    }
  }
  impl_->file = folder + "/values.keys";
  impl_->load();
}

PersistentKeyList::~PersistentKeyList() { delete impl_; }

bool PersistentKeyList::read_string(const std::string& name, std::string& value) const {
  const auto it = impl_->values.find(name);
  if (it == impl_->values.end()) return false;
  value = it->second;
  return true;
}

bool PersistentKeyList::write_string(const std::string& name, const std::string& value) {
  const auto previous = impl_->values;
  impl_->values[name] = value;
  if (impl_->save()) return true;
  impl_->values = previous;
  return false;
}

}  // namespace sys
