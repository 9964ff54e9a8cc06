#include "gui/linux/portal_file_chooser.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <vector>

namespace pengui {

namespace {

constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kChooserInterface = "org.freedesktop.portal.FileChooser";
constexpr const char* kRequestInterface = "org.freedesktop.portal.Request";
constexpr auto kAnswerTimeout = std::chrono::seconds(1);
constexpr dbus_uint32_t kGlobPattern = 0;
constexpr dbus_uint32_t kResponseSuccess = 0;

std::atomic<unsigned> next_token{0};

// a{sv} entries.
void add_string(DBusMessageIter& dict, const char* key, const std::string& value) {
  DBusMessageIter entry, variant;
  const char* v = value.c_str();
  dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
  dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
  dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "s", &variant);
  dbus_message_iter_append_basic(&variant, DBUS_TYPE_STRING, &v);
  dbus_message_iter_close_container(&entry, &variant);
  dbus_message_iter_close_container(&dict, &entry);
}

void add_bool(DBusMessageIter& dict, const char* key, bool value) {
  DBusMessageIter entry, variant;
  const dbus_bool_t v = value ? TRUE : FALSE;
  dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
  dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
  dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "b", &variant);
  dbus_message_iter_append_basic(&variant, DBUS_TYPE_BOOLEAN, &v);
  dbus_message_iter_close_container(&entry, &variant);
  dbus_message_iter_close_container(&dict, &entry);
}

// A byte string with its terminating zero, as the portal takes folders.
void add_bytes(DBusMessageIter& dict, const char* key, const std::string& value) {
  DBusMessageIter entry, variant, array;
  const char* data = value.c_str();
  const int length = static_cast<int>(value.size()) + 1;
  dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
  dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
  dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "ay", &variant);
  dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "y", &array);
  dbus_message_iter_append_fixed_array(&array, DBUS_TYPE_BYTE, &data, length);
  dbus_message_iter_close_container(&variant, &array);
  dbus_message_iter_close_container(&entry, &variant);
  dbus_message_iter_close_container(&dict, &entry);
}

// One filter (sa(us)): a name and its glob patterns.
void append_filter(DBusMessageIter& container, const std::string& name, const std::string& pattern) {
  DBusMessageIter filter, patterns, item;
  const char* n = name.c_str();
  const char* p = pattern.c_str();
  dbus_message_iter_open_container(&container, DBUS_TYPE_STRUCT, nullptr, &filter);
  dbus_message_iter_append_basic(&filter, DBUS_TYPE_STRING, &n);
  dbus_message_iter_open_container(&filter, DBUS_TYPE_ARRAY, "(us)", &patterns);
  dbus_message_iter_open_container(&patterns, DBUS_TYPE_STRUCT, nullptr, &item);
  dbus_message_iter_append_basic(&item, DBUS_TYPE_UINT32, &kGlobPattern);
  dbus_message_iter_append_basic(&item, DBUS_TYPE_STRING, &p);
  dbus_message_iter_close_container(&patterns, &item);
  dbus_message_iter_close_container(&filter, &patterns);
  dbus_message_iter_close_container(&container, &filter);
}

void add_filters(DBusMessageIter& dict, const std::string& name, const std::string& pattern) {
  DBusMessageIter entry, variant, array;
  const char* key = "filters";
  dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
  dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
  dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "a(sa(us))", &variant);
  dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "(sa(us))", &array);
  append_filter(array, name, pattern);
  append_filter(array, "All files", "*");
  dbus_message_iter_close_container(&variant, &array);
  dbus_message_iter_close_container(&entry, &variant);
  dbus_message_iter_close_container(&dict, &entry);

  key = "current_filter";
  dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
  dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
  dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "(sa(us))", &variant);
  append_filter(variant, name, pattern);
  dbus_message_iter_close_container(&entry, &variant);
  dbus_message_iter_close_container(&dict, &entry);
}

// The first string of the "uris" entry in the results a{sv}.
std::string first_uri(DBusMessageIter& results) {
  if (dbus_message_iter_get_arg_type(&results) != DBUS_TYPE_ARRAY) return {};
  DBusMessageIter dict;
  dbus_message_iter_recurse(&results, &dict);
  for (; dbus_message_iter_get_arg_type(&dict) == DBUS_TYPE_DICT_ENTRY; dbus_message_iter_next(&dict)) {
    DBusMessageIter entry, variant, uris;
    dbus_message_iter_recurse(&dict, &entry);
    if (dbus_message_iter_get_arg_type(&entry) != DBUS_TYPE_STRING) continue;
    const char* key = nullptr;
    dbus_message_iter_get_basic(&entry, &key);
    if (std::string(key) != "uris" || !dbus_message_iter_next(&entry)) continue;
    dbus_message_iter_recurse(&entry, &variant);
    if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_ARRAY) return {};
    dbus_message_iter_recurse(&variant, &uris);
    if (dbus_message_iter_get_arg_type(&uris) != DBUS_TYPE_STRING) return {};
    const char* uri = nullptr;
    dbus_message_iter_get_basic(&uris, &uri);
    return uri;
  }
  return {};
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

PortalFileChooser::PortalFileChooser(std::string parent_window) : parent_window_(std::move(parent_window)) {}

PortalFileChooser::~PortalFileChooser() { cancel(); }

std::string PortalFileChooser::session_bus_address() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return address;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return {};
  const std::string socket = std::string(runtime) + "/bus";
  struct stat st;
  if (stat(socket.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return {};
  return "unix:path=" + socket;
}

std::string PortalFileChooser::path_from_uri(const std::string& uri) {
  const std::string scheme = "file://";
  if (uri.compare(0, scheme.size(), scheme) != 0) return {};
  std::string encoded = uri.substr(scheme.size());
  if (encoded.compare(0, 9, "localhost") == 0) encoded.erase(0, 9);
  if (encoded.empty() || encoded[0] != '/') return {};
  std::string path;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '%' && i + 2 < encoded.size() && hex_value(encoded[i + 1]) >= 0 &&
        hex_value(encoded[i + 2]) >= 0) {
      const char c = static_cast<char>(hex_value(encoded[i + 1]) * 16 + hex_value(encoded[i + 2]));
      if (c == '\0') return {};
      path += c;
      i += 2;
    } else {
      path += encoded[i];
    }
  }
  return path;
}

bool PortalFileChooser::start(const FileDialogRequest& request, Finished finished) {
  if (is_running()) return false;
  const std::string address = session_bus_address();
  if (address.empty()) return false;
  DBusError error;
  dbus_error_init(&error);
  connection_ = dbus_connection_open_private(address.c_str(), &error);
  if (!connection_) {
    dbus_error_free(&error);
    return false;
  }
  // A bus that goes away must not take the host with it.
  dbus_connection_set_exit_on_disconnect(connection_, FALSE);
  // Our own Hello instead of dbus_bus_register, which waits, without any
  // time limit while authenticating, for a bus that may never answer. The
  // message goes out as poll() moves the connection along.
  DBusMessage* hello =
      dbus_message_new_method_call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "Hello");
  const bool sent = hello && dbus_connection_send(connection_, hello, &hello_serial_);
  if (hello) dbus_message_unref(hello);
  if (!sent) {
    disconnect();
    return false;
  }
  request_ = request;
  stage_ = Stage::hello;
  answer_deadline_ = std::chrono::steady_clock::now() + kAnswerTimeout;
  finished_ = std::move(finished);
  return true;
}

bool PortalFileChooser::send_request(const FileDialogRequest& request) {
  std::string sender = dbus_bus_get_unique_name(connection_);
  if (!sender.empty() && sender[0] == ':') sender.erase(0, 1);
  for (char& c : sender)
    if (c == '.') c = '_';
  const std::string token = "zindle" + std::to_string(getpid()) + "_" + std::to_string(next_token++);
  // Watch before asking, so that a quick answer is not missed.
  watch_request(std::string(kPortalPath) + "/request/" + sender + "/" + token);

  DBusMessage* call = dbus_message_new_method_call(kPortalService, kPortalPath, kChooserInterface,
                                                   request.save ? "SaveFile" : "OpenFile");
  if (!call) return false;
  DBusMessageIter args, dict;
  dbus_message_iter_init_append(call, &args);
  const char* parent = parent_window_.c_str();
  const char* title = request.title.c_str();
  dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &parent);
  dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &title);
  dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "{sv}", &dict);
  add_string(dict, "handle_token", token);
  add_bool(dict, "modal", true);
  add_filters(dict, request.filter_name, request.pattern.empty() ? "*" : request.pattern);
  if (!request.folder.empty()) add_bytes(dict, "current_folder", request.folder);
  if (request.save && !request.file_name.empty()) add_string(dict, "current_name", request.file_name);
  dbus_message_iter_close_container(&args, &dict);

  const bool sent = dbus_connection_send(connection_, call, &call_serial_);
  dbus_message_unref(call);
  if (!sent) return false;
  stage_ = Stage::call;
  answer_deadline_ = std::chrono::steady_clock::now() + kAnswerTimeout;
  return true;
}

void PortalFileChooser::watch_request(const std::string& handle) {
  if (handle == request_handle_) return;
  request_handle_ = handle;
  const std::string rule = "type='signal',interface='" + std::string(kRequestInterface) +
                           "',member='Response',path='" + handle + "'";
  dbus_bus_add_match(connection_, rule.c_str(), nullptr);  // no error object: does not wait
}

void PortalFileChooser::poll() {
  if (!is_running()) return;
  // Non-blocking: moves whatever the socket holds into the queue.
  dbus_connection_read_write(connection_, 0);
  while (connection_) {
    DBusMessage* m = dbus_connection_pop_message(connection_);
    if (!m) break;
    handle(m);
    dbus_message_unref(m);
  }
  if (!connection_) return;
  if (!dbus_connection_get_is_connected(connection_) ||
      (stage_ != Stage::shown && std::chrono::steady_clock::now() > answer_deadline_))
    finish(Outcome::unavailable, {});
  else
    dbus_connection_read_write(connection_, 0);  // sends what handling queued
}

void PortalFileChooser::handle(DBusMessage* m) {
  const int type = dbus_message_get_type(m);
  if (stage_ == Stage::hello && dbus_message_get_reply_serial(m) == hello_serial_) {
    const char* name = nullptr;
    if (type != DBUS_MESSAGE_TYPE_METHOD_RETURN ||
        !dbus_message_get_args(m, nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID) ||
        !dbus_bus_set_unique_name(connection_, name) || !send_request(request_))
      finish(Outcome::unavailable, {});
    return;
  }
  if (stage_ == Stage::call && (type == DBUS_MESSAGE_TYPE_METHOD_RETURN || type == DBUS_MESSAGE_TYPE_ERROR) &&
      dbus_message_get_reply_serial(m) == call_serial_) {
    if (type == DBUS_MESSAGE_TYPE_ERROR) {
      finish(Outcome::unavailable, {});  // no portal, or no file chooser in it
      return;
    }
    stage_ = Stage::shown;
    const char* handle = nullptr;
    // Older portals choose the handle themselves.
    if (dbus_message_get_args(m, nullptr, DBUS_TYPE_OBJECT_PATH, &handle, DBUS_TYPE_INVALID)) watch_request(handle);
    return;
  }
  const char* path = dbus_message_get_path(m);
  if (stage_ != Stage::hello && dbus_message_is_signal(m, kRequestInterface, "Response") && path &&
      request_handle_ == path)
    on_response(m);
}

void PortalFileChooser::on_response(DBusMessage* m) {
  DBusMessageIter args;
  dbus_uint32_t response = 2;
  if (!dbus_message_iter_init(m, &args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_UINT32) {
    finish(Outcome::cancelled, {});
    return;
  }
  dbus_message_iter_get_basic(&args, &response);
  std::string path;
  if (response == kResponseSuccess && dbus_message_iter_next(&args)) path = path_from_uri(first_uri(args));
  finish(path.empty() ? Outcome::cancelled : Outcome::chosen, path);
}

void PortalFileChooser::finish(Outcome outcome, const std::string& path) {
  Finished f = std::move(finished_);
  finished_ = nullptr;
  disconnect();
  if (f) f(outcome, path);
}

void PortalFileChooser::cancel() {
  if (!connection_) return;
  if (stage_ == Stage::shown && !request_handle_.empty() && dbus_connection_get_is_connected(connection_)) {
    // Takes the portal's dialog off the screen.
    if (DBusMessage* close = dbus_message_new_method_call(kPortalService, request_handle_.c_str(),
                                                          kRequestInterface, "Close")) {
      dbus_message_set_no_reply(close, TRUE);
      dbus_connection_send(connection_, close, nullptr);
      dbus_message_unref(close);
      dbus_connection_flush(connection_);
    }
  }
  finished_ = nullptr;
  disconnect();
}

void PortalFileChooser::disconnect() {
  if (!connection_) return;
  dbus_connection_close(connection_);
  dbus_connection_unref(connection_);
  connection_ = nullptr;
  request_handle_.clear();
  stage_ = Stage::hello;
}

}  // namespace pengui
