#pragma once
// Base of a plug-in's editor window as the dispatcher drives it. A derived
// editor registers itself with `AudioEffect::setEditor`.

#include "framework/vst2/vst2_abi.h"

class AudioEffect;

class AEffEditor {
public:
  explicit AEffEditor(AudioEffect* effect = nullptr) : effect(effect) {}
  virtual ~AEffEditor() = default;
  AEffEditor(const AEffEditor&) = delete;
  AEffEditor& operator=(const AEffEditor&) = delete;

  virtual AudioEffect* getEffect() { return effect; }
  // Points *rect at a rectangle that lives as long as the editor.
  virtual bool getRect(ERect** rect) {
    *rect = nullptr;
    return false;
  }
  // ptr: the parent window the host made for the editor.
  virtual bool open(void* ptr) {
    systemWindow = ptr;
    return false;
  }
  virtual void close() { systemWindow = nullptr; }
  virtual bool isOpen() { return systemWindow != nullptr; }
  virtual void idle() {}
  virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
  virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
  virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

protected:
  AudioEffect* effect = nullptr;
  void* systemWindow = nullptr;
};
