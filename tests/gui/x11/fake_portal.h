#pragma once
// A private session bus (dbus-daemon) with a stand-in for the desktop
// portal's file chooser, served from a thread of the test.

#include <sys/types.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace pengui::testing {

struct PortalCall {
  std::string method;        // "OpenFile" or "SaveFile"
  std::string title;
  std::string current_name;
  std::string current_folder;
  std::string first_filter_pattern;
};

class FakePortal {
public:
  // hold: answers the call, then waits for the user for ever.
  enum class Behaviour { choose, cancel, hold, never_answer };

  // Starts the bus; ok() is false when dbus-daemon is not there.
  FakePortal();
  ~FakePortal();
  bool ok() const { return !address_.empty(); }
  const std::string& address() const { return address_; }

  // Claims the portal's name and answers as told; `uri` for choose.
  void serve(Behaviour behaviour, std::string uri = {});
  PortalCall last_call();
  int calls() const { return calls_; }
  int closes() const { return closes_; }

private:
  void run(Behaviour behaviour, std::string uri);

  pid_t daemon_ = -1;
  std::string address_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ready_{false};
  std::atomic<int> calls_{0};
  std::atomic<int> closes_{0};
  std::mutex mutex_;
  PortalCall last_;
};

}  // namespace pengui::testing
