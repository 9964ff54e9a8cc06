#pragma once
// The desktop portal's file chooser over the session bus. Nothing waits:
// start() only connects, and poll() moves the exchange along (the bus's
// welcome, the call, the user's answer). No session bus, or no bus or
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

  // Waiting for the bus's welcome, for the portal to take the call, then
  // for the user; the first two have a deadline.
  enum class Stage { hello, call, shown };

  std::string parent_window_;
  FileDialogRequest request_;
  DBusConnection* connection_ = nullptr;
  Stage stage_ = Stage::hello;
  dbus_uint32_t hello_serial_ = 0;
  dbus_uint32_t call_serial_ = 0;
  std::string request_handle_;
  std::chrono::steady_clock::time_point answer_deadline_;
  Finished finished_;
};

}  // namespace pengui
