#pragma once
// The small objects that tie each control of the preset section to the
// preset manager. Each holds the manager and turns its control's events
// into one of the manager's actions. Editor thread only.

#include "framework/core/program_slot.h"
#include "gui/default_event_listener.h"
#include "gui/menu_listener_interface.h"
#include "gui/timer_listener.h"

namespace pengui {
class TextBox;
}

namespace mppi {

class PresetManager2;

class PresetListenerRefBase : public pengui::DefaultEventListener {
public:
  explicit PresetListenerRefBase(PresetManager2& mgr) : mgr_(mgr) {}

protected:
  PresetManager2& mgr_;
};

// A button: the completed click (value 1) runs the action; the press
// (value 0) does nothing.
class GenericPresetListener : public PresetListenerRefBase {
public:
  using PresetListenerRefBase::PresetListenerRefBase;
  double set_value(double nrm, int prio) override;

protected:
  virtual void clicked() = 0;
};

class PresetLoadBankListener : public GenericPresetListener {
public:
  using GenericPresetListener::GenericPresetListener;

protected:
  void clicked() override;
};

class PresetSaveBankListener : public GenericPresetListener {
public:
  using GenericPresetListener::GenericPresetListener;

protected:
  void clicked() override;
};

// The program button: its menu opens on the press, like every menu of
// the panel.
class PresetNameMenuListener : public PresetListenerRefBase {
public:
  using PresetListenerRefBase::PresetListenerRefBase;
  double set_value(double nrm, int prio) override;
};

// The name box: Enter renames the current program.
class PresetNameListener : public PresetListenerRefBase {
public:
  using PresetListenerRefBase::PresetListenerRefBase;
  void text_entered(const char* text) override;
};

// The store switch: the menu's mode follows it.
class PresetMemListener : public PresetListenerRefBase {
public:
  using PresetListenerRefBase::PresetListenerRefBase;
  void value_changed(double nrm, int prio) override;
};

// The fade-time knob: a user's turn sets the time; the display listener
// chained to it shows the result.
class PresetTimeFaderListener : public PresetListenerRefBase {
public:
  using PresetListenerRefBase::PresetListenerRefBase;
  double set_value(double nrm, int prio) override;
};

class PresetTimeDisplayListener : public PresetListenerRefBase {
public:
  PresetTimeDisplayListener(PresetManager2& mgr, pengui::TextBox& display) : PresetListenerRefBase(mgr), display_(display) {}
  void value_changed(double nrm, int prio) override;

private:
  pengui::TextBox& display_;
};

// Moving to another program: a fade from the current sound to the
// program, stepped by a window timer.
class PresetSelectionListenerBase : public PresetListenerRefBase, public pengui::TimerListener {
public:
  static constexpr double kTickSeconds = 0.1;
  static constexpr int kFadePrio = 140;
  // A change with no fade time is a plain program selection: the plug-in
  // core then fades the sounding voice out and in instead of morphing it.
  static constexpr int kSelectPrio = 200;
  // Below this a fade time counts as none.
  static constexpr double kNoFadeSeconds = 1e-9;

  using PresetListenerRefBase::PresetListenerRefBase;
  ~PresetSelectionListenerBase() override;

  // From the current sound to program `index`; the first step is applied
  // at once. False when the host has no such program.
  bool start_fade(int index);
  bool is_fading() const { return timer_ >= 0; }
  // Applies the target now and ends the fade.
  void finish_fade();
  // Ends the fade where it is.
  void stop_fade();

  void timer_fired(int timer_id) override;

private:
  void step();

  ProgramSlot from_;
  ProgramSlot to_;
  ProgramSlot blend_;
  int target_ = -1;
  double start_time_ = 0.0;
  int timer_ = -1;
};

// The entries of the program menu: entry tags are program indices.
class PresetListenerRefMenu : public PresetSelectionListenerBase, public pengui::MenuListenerInterface {
public:
  using PresetSelectionListenerBase::PresetSelectionListenerBase;
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
};

}  // namespace mppi
