#pragma once
// Keeps what a native window reports, in order.

#include <algorithm>
#include <vector>

#include "gui/native_window.h"

namespace pengui::testing {

struct SinkRecord {
  enum Kind { down, up, move, destroyed } kind;
  MouseEvent mouse;
};

class RecordingSink : public NativeEventSink {
public:
  std::vector<SinkRecord> records;

  int count(SinkRecord::Kind k) const {
    return static_cast<int>(
        std::count_if(records.begin(), records.end(), [k](const SinkRecord& r) { return r.kind == k; }));
  }

  void native_mouse_down(const MouseEvent& e) override { records.push_back({SinkRecord::down, e}); }
  void native_mouse_up(const MouseEvent& e) override { records.push_back({SinkRecord::up, e}); }
  void native_mouse_move(const MouseEvent& e) override { records.push_back({SinkRecord::move, e}); }
  void native_mouse_wheel(const MouseEvent&, int) override {}
  void native_mouse_leave() override {}
  bool native_key(const KeyEvent&, bool) override { return true; }
  void native_focus(bool) override {}
  void native_tick() override {}
  void native_destroyed() override { records.push_back({SinkRecord::destroyed, {}}); }
};

}  // namespace pengui::testing
