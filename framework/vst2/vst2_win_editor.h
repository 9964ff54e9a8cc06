#pragma once
// The editor as the host drives it: size, open, close, idle and keys go to
// the GUI object, which draws everything itself. The rectangle is the GUI's
// logical size times its scale (1 or 2).
// (Despite "Win" in the name, this runs on every platform we build for.)

#include "framework/vst2/aeff_editor.h"

namespace mppi {

class GuiInterface;
class Vst2Plugin;

class Vst2WinEditor : public AEffEditor {
public:
  // Registers itself as the adapter's editor, which takes ownership.
  Vst2WinEditor(Vst2Plugin& adapter, GuiInterface& gui);

  bool getRect(ERect** rect) override;
  // Idempotent: a second open without a close keeps the first window.
  bool open(void* parent) override;
  void close() override;
  void idle() override;
  bool onKeyDown(VstKeyCode& key) override;
  bool onKeyUp(VstKeyCode& key) override;

  // The window takes a new size in device pixels (the GUI asked for it).
  void set_size(int width, int height);
  double get_last_tempo() const { return last_tempo_; }
  void set_last_tempo(double bpm) { last_tempo_ = bpm; }

private:
  Vst2Plugin& adapter_;
  GuiInterface& gui_;
  ERect rect_{0, 0, 0, 0};
  double last_tempo_ = 0.0;
};

}  // namespace mppi
