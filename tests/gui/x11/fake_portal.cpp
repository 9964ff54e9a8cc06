#include "tests/gui/x11/fake_portal.h"

#include <dbus/dbus.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

extern char** environ;

namespace pengui::testing {

namespace {

std::string string_variant(DBusMessageIter& variant) {
  if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_STRING) return {};
  const char* s = nullptr;
  dbus_message_iter_get_basic(&variant, &s);
  return s;
}

std::string bytes_variant(DBusMessageIter& variant) {
  if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_ARRAY) return {};
  DBusMessageIter array;
  dbus_message_iter_recurse(&variant, &array);
  const char* data = nullptr;
  int n = 0;
  dbus_message_iter_get_fixed_array(&array, &data, &n);
  std::string s(data, static_cast<std::size_t>(n));
  if (!s.empty() && s.back() == '\0') s.pop_back();
  return s;
}

// filters a(sa(us)): the first pattern of the first filter.
std::string first_pattern(DBusMessageIter& variant) {
  DBusMessageIter filters, filter, patterns, item;
  if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_ARRAY) return {};
  dbus_message_iter_recurse(&variant, &filters);
  if (dbus_message_iter_get_arg_type(&filters) != DBUS_TYPE_STRUCT) return {};
  dbus_message_iter_recurse(&filters, &filter);
  dbus_message_iter_next(&filter);
  dbus_message_iter_recurse(&filter, &patterns);
  dbus_message_iter_recurse(&patterns, &item);
  dbus_message_iter_next(&item);
  return string_variant(item);
}

}  // namespace

FakePortal::FakePortal() {
  int fds[2];
  if (pipe(fds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  char* argv[] = {const_cast<char*>("dbus-daemon"), const_cast<char*>("--session"), const_cast<char*>("--nofork"),
                  const_cast<char*>("--nopidfile"), const_cast<char*>("--print-address=1"), nullptr};
  const int rc = posix_spawnp(&daemon_, "dbus-daemon", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    daemon_ = -1;
    close(fds[0]);
    return;
  }
  // dbus-daemon prints its address once it listens, or exits.
  FILE* out = fdopen(fds[0], "r");
  char line[512] = {};
  if (out && std::fgets(line, sizeof line, out)) address_.assign(line, std::strcspn(line, "\n"));
  if (out) std::fclose(out);
}

FakePortal::~FakePortal() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (daemon_ > 0) {
    kill(daemon_, SIGTERM);
    waitpid(daemon_, nullptr, 0);
  }
}

void FakePortal::serve(Behaviour behaviour, std::string uri) {
  thread_ = std::thread([this, behaviour, uri] { run(behaviour, uri); });
  while (!ready_ && !stop_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

PortalCall FakePortal::last_call() {
  std::lock_guard<std::mutex> lock(mutex_);
  return last_;
}

void FakePortal::run(Behaviour behaviour, std::string uri) {
  DBusError error;
  dbus_error_init(&error);
  DBusConnection* c = dbus_connection_open_private(address_.c_str(), &error);
  if (!c || !dbus_bus_register(c, &error)) {
    dbus_error_free(&error);
    ready_ = true;
    stop_ = true;
    return;
  }
  dbus_connection_set_exit_on_disconnect(c, FALSE);
  dbus_bus_request_name(c, "org.freedesktop.portal.Desktop", DBUS_NAME_FLAG_DO_NOT_QUEUE, &error);
  ready_ = true;
  while (!stop_) {
    dbus_connection_read_write(c, 10);
    while (DBusMessage* m = dbus_connection_pop_message(c)) {
      if (dbus_message_is_method_call(m, "org.freedesktop.portal.Request", "Close")) ++closes_;
      const bool open = dbus_message_is_method_call(m, "org.freedesktop.portal.FileChooser", "OpenFile");
      const bool save = dbus_message_is_method_call(m, "org.freedesktop.portal.FileChooser", "SaveFile");
      if ((open || save) && behaviour != Behaviour::never_answer) {
        PortalCall call;
        call.method = open ? "OpenFile" : "SaveFile";
        std::string token;
        DBusMessageIter args, dict;
        dbus_message_iter_init(m, &args);
        dbus_message_iter_next(&args);  // parent window
        call.title = string_variant(args);
        dbus_message_iter_next(&args);
        dbus_message_iter_recurse(&args, &dict);
        for (; dbus_message_iter_get_arg_type(&dict) == DBUS_TYPE_DICT_ENTRY; dbus_message_iter_next(&dict)) {
          DBusMessageIter entry, variant;
          dbus_message_iter_recurse(&dict, &entry);
          const std::string key = string_variant(entry);
          dbus_message_iter_next(&entry);
          dbus_message_iter_recurse(&entry, &variant);
          if (key == "handle_token") token = string_variant(variant);
          if (key == "current_name") call.current_name = string_variant(variant);
          if (key == "current_folder") call.current_folder = bytes_variant(variant);
          if (key == "filters") call.first_filter_pattern = first_pattern(variant);
        }
        {
          std::lock_guard<std::mutex> lock(mutex_);
          last_ = call;
        }
        ++calls_;
        std::string sender = dbus_message_get_sender(m);
        sender.erase(0, 1);
        for (char& ch : sender)
          if (ch == '.') ch = '_';
        const std::string handle = "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
        DBusMessage* reply = dbus_message_new_method_return(m);
        const char* h = handle.c_str();
        dbus_message_append_args(reply, DBUS_TYPE_OBJECT_PATH, &h, DBUS_TYPE_INVALID);
        dbus_connection_send(c, reply, nullptr);
        dbus_message_unref(reply);

        if (behaviour == Behaviour::hold) {
          dbus_connection_flush(c);
          dbus_message_unref(m);
          continue;
        }
        DBusMessage* signal = dbus_message_new_signal(h, "org.freedesktop.portal.Request", "Response");
        dbus_message_set_destination(signal, dbus_message_get_sender(m));
        DBusMessageIter out, results, entry, variant, uris;
        dbus_message_iter_init_append(signal, &out);
        const dbus_uint32_t response = behaviour == Behaviour::choose ? 0 : 1;
        dbus_message_iter_append_basic(&out, DBUS_TYPE_UINT32, &response);
        dbus_message_iter_open_container(&out, DBUS_TYPE_ARRAY, "{sv}", &results);
        if (behaviour == Behaviour::choose) {
          const char* key = "uris";
          const char* u = uri.c_str();
          dbus_message_iter_open_container(&results, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
          dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
          dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "as", &variant);
          dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "s", &uris);
          dbus_message_iter_append_basic(&uris, DBUS_TYPE_STRING, &u);
          dbus_message_iter_close_container(&variant, &uris);
          dbus_message_iter_close_container(&entry, &variant);
          dbus_message_iter_close_container(&results, &entry);
        }
        dbus_message_iter_close_container(&out, &results);
        // The user takes a moment.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        dbus_connection_send(c, signal, nullptr);
        dbus_message_unref(signal);
        dbus_connection_flush(c);
      } else if (open || save) {
        ++calls_;
      }
      dbus_message_unref(m);
    }
  }
  dbus_connection_close(c);
  dbus_connection_unref(c);
}

}  // namespace pengui::testing
