// Open and close cycles, what they leave behind, and what an idle editor costs.

#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "gui/linux/x11_native_window.h"
#include "tests/gui/x11/recording_sink.h"
#include "tests/gui/x11/x11_test_host.h"

namespace pengui::testing {
namespace {

int open_fd_count() {
  int n = 0;
  if (DIR* d = opendir("/proc/self/fd")) {
    while (readdir(d)) ++n;
    closedir(d);
  }
  return n;
}

// Shared memory segments this process created that still exist.
int own_shm_segments() {
  std::ifstream in("/proc/sysvipc/shm");
  std::string line;
  std::getline(in, line);  // header
  int n = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    long key, shmid, perms, size, cpid;
    if (fields >> key >> shmid >> perms >> size >> cpid && cpid == getpid()) ++n;
  }
  return n;
}

double cpu_seconds() {
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

TEST(X11Lifecycle, FiftyOpenCloseCyclesFreeEveryResource) {
  SKIP_WITHOUT_DISPLAY();
  X11TestHost host;
  ASSERT_TRUE(host.ok());
  RenderBuffer buffer(900, 446);
  buffer.fill(buffer.bounds(), 0x336699);
  RecordingSink sink;
  X11NativeWindow native(sink);
  const int fds = open_fd_count();
  const int segments = own_shm_segments();
  const int clients = host.client_count();
  for (int cycle = 0; cycle < 50; ++cycle) {
    ASSERT_TRUE(native.open(host.parent_handle(), &buffer)) << cycle;
    if (cycle == 0) {
      EXPECT_EQ(open_fd_count(), fds + 1);  // the editor's connection
      EXPECT_EQ(own_shm_segments(), segments + (native.uses_shm() ? 1 : 0));
      if (clients >= 0) {
        EXPECT_EQ(host.client_count(), clients + 1);
      }
    }
    native.present(buffer.bounds());
    native.pump();
    native.close();
  }
  EXPECT_EQ(open_fd_count(), fds);
  EXPECT_EQ(own_shm_segments(), segments);
  if (clients >= 0) {
    EXPECT_EQ(host.client_count(), clients);
  }
  EXPECT_EQ(X11TestHost::host_errors(), 0);
}

// Figures for the report; the bounds are only sanity checks.
TEST(X11Lifecycle, IdleEditorCostAndTimeToFirstPicture) {
  SKIP_WITHOUT_DISPLAY();
  X11TestHost host(1900, 1000);
  ASSERT_TRUE(host.ok());
  for (const int scale : {1, 2}) {
    RenderBuffer buffer(900 * scale, 446 * scale);
    buffer.fill(buffer.bounds(), 0x202020);
    RecordingSink sink;
    X11NativeWindow native(sink);
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(native.open(host.parent_handle(), &buffer));
    native.present(buffer.bounds());
    const double first_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();

    const double seconds = 2.0;
    const int idles = static_cast<int>(seconds * 50);
    const double cpu0 = cpu_seconds();
    auto next = std::chrono::steady_clock::now();
    for (int i = 0; i < idles; ++i) {
      native.pump();
      next += std::chrono::milliseconds(20);
      std::this_thread::sleep_until(next);
    }
    const double cpu_percent = (cpu_seconds() - cpu0) / seconds * 100.0;

    // A knob-sized change.
    const auto t1 = std::chrono::steady_clock::now();
    const int repaints = 100;
    for (int i = 0; i < repaints; ++i) native.present({100, 100, 48 * scale, 48 * scale});
    const double knob_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t1).count() / repaints;

    std::printf("scale %d (%s): first picture %.2f ms, idle at 50 Hz %.3f %% of a core, %dx%d knob upload %.3f ms\n",
                scale, native.uses_shm() ? "MIT-SHM" : "XPutImage", first_ms, cpu_percent, 48 * scale, 48 * scale,
                knob_ms);
    EXPECT_LT(first_ms, 1000.0);
    EXPECT_LT(cpu_percent, 20.0);
  }
}

}  // namespace
}  // namespace pengui::testing
