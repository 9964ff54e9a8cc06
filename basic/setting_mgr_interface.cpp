#include "basic/setting_mgr_interface.h"

#include <fstream>
#include <memory>

#include "basic/conf_key_content_multi.h"
#include "basic/conf_key_data.h"
#include "basic/conf_key_factory.h"
#include "basic/conf_key_multi.h"
#include "basic/conf_key_writer.h"
#include "basic/setting_client_interface.h"

namespace basic {
namespace {

bool read_whole_file(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0 || size > SettingMgrInterface::kMaxFileSize) return false;
  text.assign(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  return static_cast<bool>(in.read(text.data(), size));
}

bool write_whole_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return static_cast<bool>(out);
}

// `name = { }` reads as a data key holding an empty list: an empty section.
std::unique_ptr<ConfKeyMulti> as_section(std::unique_ptr<ConfKeyInterface> key) {
  if (auto* section = dynamic_cast<ConfKeyMulti*>(key.get())) {
    key.release();
    return std::unique_ptr<ConfKeyMulti>(section);
  }
  const auto* data = dynamic_cast<const ConfKeyData*>(key.get());
  if (data == nullptr) return nullptr;
  const auto* list = dynamic_cast<const ConfKeyContentMulti*>(&data->use_content());
  if (list == nullptr || list->get_nbr_elt() != 0) return nullptr;
  auto section = std::make_unique<ConfKeyMulti>(data->get_name());
  section->set_comment(data->get_comment());
  return section;
}

}  // namespace

void SettingMgrInterface::add_client(SettingClientInterface& client) { clients_.push_back(&client); }

int SettingMgrInterface::save(const std::string& path) {
  std::string text;
  const int ret_val = save_to_text(text);
  if (ret_val != kSettingOk) return ret_val;
  return write_whole_file(path, text) ? kSettingOk : kSettingFileUnwritable;
}

int SettingMgrInterface::load(const std::string& path) {
  std::string text;
  if (!read_whole_file(path, text)) return kSettingFileUnreadable;
  return load_from_text(text);
}

int SettingMgrInterface::save_to_text(std::string& text) {
  ConfKeyMulti root("Default");
  int ret_val = do_before_save(root);
  for (auto it = clients_.begin(); ret_val == kSettingOk && it != clients_.end(); ++it) {
    ret_val = (*it)->write_settings(root);
  }
  do_after_save(ret_val);
  if (ret_val == kSettingOk) text = write_conf_text(root);
  return ret_val;
}

int SettingMgrInterface::load_from_text(const std::string& text) {
  ConfKeyFactory factory;
  std::unique_ptr<ConfKeyInterface> key = factory.create_from_string(text);
  if (!key) return factory.get_status() + kSettingParseOffset;
  const std::unique_ptr<ConfKeyMulti> root = as_section(std::move(key));
  if (!root) return kSettingRootNotSection;

  int ret_val = do_before_load(*root);
  if (ret_val == kSettingOk) ret_val = read_clients(*root);
  do_after_load(ret_val);
  return ret_val;
}

int SettingMgrInterface::read_clients(const ConfKeyMulti& root) {
  ConfKeyMulti snapshot("snapshot");
  bool can_restore = true;
  for (const SettingClientInterface* client : clients_) {
    if (client->write_settings(snapshot) != kSettingOk) {
      can_restore = false;
      break;
    }
  }
  for (std::size_t i = 0; i < clients_.size(); ++i) {
    const int ret_val = clients_[i]->read_settings(root);
    if (ret_val == kSettingOk) continue;
    if (can_restore) {
      // The refusing client too: it may have taken part of the file.
      for (std::size_t j = 0; j <= i; ++j) clients_[j]->read_settings(snapshot);
    }
    return ret_val;
  }
  return kSettingOk;
}

}  // namespace basic
