#pragma once
// The desktop portal's file chooser over the session bus: the request goes
// out at once and the answer is picked up by poll(). No session bus, or no
// portal answering within a second, makes it unavailable.

#include <dbus/dbus.h>

#include <chrono>
#include <string>

#include "gui/linux/file_chooser_backend.h"

namespace pengui {

class PortalFileChooser : public FileChooserBackend {
public:
  // `parent_window` is the portal's "x11:<hex id>" form, or "".
  explicit PortalFileChooser(std::string parent_window = {});
  ~PortalFileChooser() override;
  PortalFileChooser(const PortalFileChooser&) = delete;
  PortalFileChooser& operator=(const PortalFileChooser&) = delete;

  void set_parent_window(std::string parent_window) { parent_window_ = std::move(parent_window); }
  bool start(const FileDialogRequest& request, Finished finished) override;
  void poll() override;
  bool is_running() const override { return connection_ != nullptr; }
  void cancel() override;

  // The session bus address: DBUS_SESSION_BUS_ADDRESS, else the usual
  // socket in XDG_RUNTIME_DIR; "" when neither exists (we never autolaunch).
  static std::string session_bus_address();
  // "file:///a%20b" -> "/a b"; "" for anything but a local file URI.
  static std::string path_from_uri(const std::string& uri);

private:
  bool send_request(const FileDialogRequest& request);
  void handle(DBusMessage* message);
  void on_response(DBusMessage* message);
  void watch_request(const std::string& handle);
  void finish(Outcome outcome, const std::string& path);
  void disconnect();

  std::string parent_window_;
  DBusConnection* connection_ = nullptr;
  dbus_uint32_t call_serial_ = 0;
  bool call_answered_ = false;
  std::string request_handle_;
  std::chrono::steady_clock::time_point answer_deadline_;
  Finished finished_;
};

}  // namespace pengui
