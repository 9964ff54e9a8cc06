#pragma once
// Saves and loads the settings of a list of clients as one configuration
// text file. A concrete manager names and checks the root section through
// the four hooks.
//
// A load reads and checks the whole file before any client reads. When a
// client refuses what it reads, the clients that had already read get
// back what they held before (from a snapshot taken just before).

#include <string>
#include <vector>

namespace basic {

class ConfKeyMulti;
class SettingClientInterface;

enum SettingMgrStatus : int {
  kSettingOk = 0,
  kSettingRootNotSection = -1016,   // the root key is not a section
  kSettingParseOffset = -1024,      // added to the parser's status
  kSettingFileUnreadable = -3072,   // missing, unreadable or too large
  kSettingFileUnwritable = -3073,
};

class SettingMgrInterface {
public:
  // Larger files are refused rather than read into memory.
  static constexpr long long kMaxFileSize = 16 * 1024 * 1024;

  SettingMgrInterface() = default;
  virtual ~SettingMgrInterface() = default;
  SettingMgrInterface(const SettingMgrInterface&) = delete;
  SettingMgrInterface& operator=(const SettingMgrInterface&) = delete;

  // Not owned; clients are asked in the order they were added.
  void add_client(SettingClientInterface& client);
  int get_nbr_clients() const { return static_cast<int>(clients_.size()); }

  // Both return 0 or an error code. A failed save leaves the file alone.
  int save(const std::string& path);
  int load(const std::string& path);

  // The same on the text of a file.
  int save_to_text(std::string& text);
  int load_from_text(const std::string& text);

protected:
  // A non-zero return vetoes the load; no client reads.
  virtual int do_before_load(const ConfKeyMulti& root) = 0;
  virtual void do_after_load(int ret_val) = 0;
  // May rename the root and add keys of its own.
  virtual int do_before_save(ConfKeyMulti& root) = 0;
  virtual void do_after_save(int ret_val) = 0;

private:
  int read_clients(const ConfKeyMulti& root);

  std::vector<SettingClientInterface*> clients_;
};

}  // namespace basic
