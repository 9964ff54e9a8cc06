#pragma once
// A native window without a display: records what the toolkit asks of it
// so tests can read open/close, capture and cursor state.

#include <functional>
#include <memory>
#include <vector>

#include "gui/native_window.h"

namespace pengui::testing {

struct FakeNativeRecord {
  int opens = 0;
  int closes = 0;            // calls that closed an open window
  int calls_after_gone = 0;  // any call once native_destroyed() was reported
  bool open = false, gone = false;
  bool captured = false;
  bool cursor_visible = true;
  Point cursor;  // device pixels
  // Runs inside pump(), with the sink, to inject input as a display would.
  std::function<void(NativeEventSink&)> on_pump;

  // What a display reports when the host destroys the parent window.
  void die(NativeEventSink& sink) {
    open = false, gone = true;
    sink.native_destroyed();
  }
};

class FakeNativeWindow : public NativeWindow {
public:
  FakeNativeWindow(NativeEventSink& sink, std::shared_ptr<FakeNativeRecord> record)
      : sink_(sink), rec_(std::move(record)) {}

  bool open(void*, const RenderBuffer*) override {
    touch();
    ++rec_->opens;
    return rec_->open = true;
  }
  void close() override {
    touch();
    rec_->closes += rec_->open;
    rec_->open = false;
  }
  bool is_open() const override { return rec_->open; }
  void* handle() const override { return rec_->open ? rec_.get() : nullptr; }
  void pump() override {
    touch();
    if (rec_->on_pump) rec_->on_pump(sink_);
  }
  void present(const Rect&) override { touch(); }
  void capture(CaptureMode mode) override {
    touch();
    rec_->captured = true;
    rec_->cursor_visible = mode != CaptureMode::relative;
  }
  void release_capture() override { touch(), rec_->captured = false, rec_->cursor_visible = true; }
  void set_cursor_visible(bool visible) override { touch(), rec_->cursor_visible = visible; }
  bool get_cursor_pos(Point& p) const override { return p = rec_->cursor, rec_->open; }
  void set_cursor_pos(Point p) override { touch(), rec_->cursor = p; }
  int desktop_scale() const override { return 1; }

private:
  void touch() const { rec_->calls_after_gone += rec_->gone; }

  NativeEventSink& sink_;
  std::shared_ptr<FakeNativeRecord> rec_;
};

// Installs a fake on `window`; the record outlives the fake.
template <typename WindowT>
std::shared_ptr<FakeNativeRecord> install_fake_native(WindowT& window) {
  auto record = std::make_shared<FakeNativeRecord>();
  window.set_native_factory([record](NativeEventSink& sink) -> std::unique_ptr<NativeWindow> {
    return std::make_unique<FakeNativeWindow>(sink, record);
  });
  return record;
}

}  // namespace pengui::testing
