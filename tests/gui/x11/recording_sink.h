#pragma once
// Keeps what a native window reports, in order.

#include <algorithm>
#include <vector>

#include "gui/native_window.h"

namespace pengui::testing {

struct SinkRecord {
  enum Kind { down, up, move, wheel, key_down, key_up, focus_in, destroyed } kind;
  MouseEvent mouse;
  KeyEvent key;
  int steps = 0;
};

class RecordingSink : public NativeEventSink {
public:
  std::vector<SinkRecord> records;
  bool use_keys = true;  // what native_key answers

  int count(SinkRecord::Kind k) const {
    return static_cast<int>(
        std::count_if(records.begin(), records.end(), [k](const SinkRecord& r) { return r.kind == k; }));
  }
  const SinkRecord* last(SinkRecord::Kind k) const {
    for (auto it = records.rbegin(); it != records.rend(); ++it)
      if (it->kind == k) return &*it;
    return nullptr;
  }

  void native_mouse_down(const MouseEvent& e) override { records.push_back({SinkRecord::down, e, {}, 0}); }
  void native_mouse_up(const MouseEvent& e) override { records.push_back({SinkRecord::up, e, {}, 0}); }
  void native_mouse_move(const MouseEvent& e) override { records.push_back({SinkRecord::move, e, {}, 0}); }
  void native_mouse_wheel(const MouseEvent& e, int steps) override {
    records.push_back({SinkRecord::wheel, e, {}, steps});
  }
  void native_mouse_leave() override {}
  bool native_key(const KeyEvent& e, bool down) override {
    records.push_back({down ? SinkRecord::key_down : SinkRecord::key_up, {}, e, 0});
    return use_keys;
  }
  void native_focus(bool has_focus) override {
    if (has_focus) records.push_back({SinkRecord::focus_in, {}, {}, 0});
  }
  void native_tick() override {}
  void native_destroyed() override { records.push_back({SinkRecord::destroyed, {}, {}, 0}); }
};

}  // namespace pengui::testing
