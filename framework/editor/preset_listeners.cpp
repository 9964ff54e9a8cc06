#include "framework/editor/preset_listeners.h"

#include <algorithm>

#include "framework/core/bank_manager.h"
#include "framework/core/host_gui_interface.h"
#include "framework/core/prog_st_ld_interface.h"
#include "framework/editor/preset_manager2.h"
#include "gui/popup_menu.h"
#include "gui/push_button.h"
#include "gui/text_box.h"
#include "gui/window.h"

namespace mppi {

double GenericPresetListener::set_value(double nrm, int /*prio*/) {
  if (nrm >= pengui::PushButton::kClickValue) clicked();
  return nrm;
}

void PresetLoadBankListener::clicked() { mgr_.start_bank_load(); }

void PresetSaveBankListener::clicked() { mgr_.start_bank_save(); }

double PresetNameMenuListener::set_value(double nrm, int /*prio*/) {
  if (nrm == pengui::PushButton::kPressValue) mgr_.popup_program_menu();
  return nrm;
}

void PresetNameListener::text_entered(const char* text) { mgr_.rename_current(text); }

void PresetMemListener::value_changed(double nrm, int prio) {
  PresetListenerRefBase::value_changed(nrm, prio);
  mgr_.mode_changed();
}

double PresetTimeFaderListener::set_value(double nrm, int /*prio*/) {
  mgr_.fade_time_from_knob(nrm);
  return nrm;
}

void PresetTimeDisplayListener::value_changed(double nrm, int prio) {
  PresetListenerRefBase::value_changed(nrm, prio);
  display_.set_text(mgr_.fade_time_text());
}

// ---- Program fades

PresetSelectionListenerBase::~PresetSelectionListenerBase() { stop_fade(); }

bool PresetSelectionListenerBase::start_fade(int index) {
  HostGuiInterface* host = mgr_.host();
  pengui::Window* window = mgr_.window();
  if (!host || !window) return false;
  BankManager bank;
  if (!host->get_bank(bank) || index < 0 || index >= bank.get_nbr_programs()) return false;
  const int current = host->get_current_program();
  stop_fade();
  // The current program holds the live sound: that is where the fade starts.
  from_ = current >= 0 && current < bank.get_nbr_programs() ? bank.use_program(current) : bank.use_program(index);
  to_ = bank.use_program(index);
  blend_ = from_;
  if (!host->set_current_program(index)) return false;
  target_ = index;
  start_time_ = window->now();
  timer_ = window->start_timer(kTickSeconds, this);
  step();
  return true;
}

void PresetSelectionListenerBase::timer_fired(int timer_id) {
  if (timer_id == timer_) step();
}

void PresetSelectionListenerBase::step() {
  HostGuiInterface* host = mgr_.host();
  pengui::Window* window = mgr_.window();
  if (!host || !window || target_ < 0) return stop_fade();
  // The host moved to another program meanwhile: that one wins.
  if (host->get_current_program() != target_) return stop_fade();
  const double fade = mgr_.get_fade_time();
  double x = 1.0;
  if (fade >= kNoFadeSeconds) x = std::clamp((window->now() - start_time_) / fade, 0.0, 1.0);
  if (x >= 1.0 || !mgr_.blend()) return finish_fade();
  mgr_.blend()->interpolate(blend_, from_, to_, x);
  blend_.name = to_.name;
  host->apply_program(blend_, kFadePrio);
}

void PresetSelectionListenerBase::finish_fade() {
  HostGuiInterface* host = mgr_.host();
  const bool running = target_ >= 0;
  const bool still_current = running && host && host->get_current_program() == target_;
  stop_fade();
  if (!still_current) return;
  // Blending the target with itself lands exactly on its values, while
  // what the blend leaves alone (parameters that cannot be automated)
  // stays as the fade found it.
  const int prio = mgr_.get_fade_time() < kNoFadeSeconds ? kSelectPrio : kFadePrio;
  if (mgr_.blend()) {
    mgr_.blend()->interpolate(blend_, to_, to_, 1.0);
    blend_.name = to_.name;
    host->apply_program(blend_, prio);
  } else {
    host->apply_program(to_, prio);
  }
}

void PresetSelectionListenerBase::stop_fade() {
  if (timer_ >= 0 && mgr_.window()) mgr_.window()->stop_timer(timer_);
  timer_ = -1;
  target_ = -1;
}

// ---- Program menu

void PresetListenerRefMenu::menu_refresh(pengui::MenuEntry& entry) {
  const int index = entry.tag();
  entry.set_label(PresetManager2::menu_label(index, mgr_.program_name(index)));
  entry.set_ticked(index == mgr_.get_current_program());
}

void PresetListenerRefMenu::menu_chosen(pengui::MenuEntry& entry) { mgr_.choose_program(entry.tag()); }

}  // namespace mppi
