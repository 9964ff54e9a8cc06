#include "framework/midi/midi_auto_bind_mgr.h"

#include "framework/core/dsp_interface.h"
#include "framework/midi/midi_mgr.h"
#include "framework/params/normalized_param_interface.h"

namespace mppi {

void MidiAutoBindListener::on_touched() { mgr_.select_parameter(param_); }

void MidiAutoBindMgr::init(MidiMgr* midi, DspInterface* dsp) {
  midi_ = midi;
  dsp_ = dsp;
  listeners_.clear();
  const int count = dsp != nullptr ? dsp->get_nbr_param() : 0;
  for (int i = 0; i < count; ++i) listeners_.push_back(std::make_unique<MidiAutoBindListener>(*this, i));
  initialised_ = midi != nullptr && dsp != nullptr;
}

MidiAutoBindListener* MidiAutoBindMgr::get_listener(int param) {
  if (param < 0 || param >= static_cast<int>(listeners_.size())) return nullptr;
  return listeners_[static_cast<size_t>(param)].get();
}

void MidiAutoBindMgr::select_parameter(int param) {
  selected_ = param;
  update();
}

void MidiAutoBindMgr::toggle_autobind() {
  autobind_on_ = !autobind_on_;
  update();
}

void MidiAutoBindMgr::unbind_selected() {
  if (midi_ != nullptr && selected_ >= 0) midi_->unbind(selected_);
}

bool MidiAutoBindMgr::toggle_nrpn_compat() {
  return midi_ != nullptr && midi_->set_nrpn_compat(!midi_->is_nrpn_standard());
}

void MidiAutoBindMgr::update() {
  if (!initialised_) return;
  int param = -1;
  int id = 0;
  const bool continuous = midi_->is_autobind_continuous();
  // One-shot learning ends with the first binding it made.
  if (autobind_on_ && midi_->last_learned(param, id) && !continuous) {
    autobind_on_ = false;
    midi_->clear_last_learned();
  }
  if (!autobind_on_) {
    midi_->disarm();
    return;
  }
  if (!continuous) midi_->clear_last_learned();
  if (selected_ >= 0)
    midi_->arm(selected_);
  else
    midi_->disarm();
}

std::string MidiAutoBindMgr::param_name(int param) const {
  NormalizedParamInterface* p =
      dsp_ != nullptr && param < dsp_->get_nbr_param() ? dsp_->get_param(param) : nullptr;
  if (p == nullptr) return {};
  char buf[kMaxNameLength + 1] = {};
  p->get_name(buf, sizeof buf);
  return buf;
}

MidiAutoBindMenu MidiAutoBindMgr::make_menu() {
  update();
  MidiAutoBindMenu menu;
  menu.autobind_label = "Auto-bind";
  if (selected_ >= 0)
    menu.autobind_label += " [target : " + param_name(selected_) + "]";
  else if (autobind_on_)
    menu.autobind_label += " [now select a parameter]";
  menu.autobind_checked = autobind_on_;

  menu.unbind_label = "Un-bind";
  if (selected_ < 0) {
    menu.unbind_label += " [no parameter selected]";
  } else {
    menu.unbind_label += " [" + param_name(selected_);
    const int id = midi_ != nullptr ? midi_->find_controller(selected_) : MidiMgr::kNotFound;
    if (midi_ == nullptr || !midi_->is_bound(selected_))
      menu.unbind_label += " (not binded)";
    else if (id == MidiMgr::kNotFound)
      menu.unbind_label += " (error)";
    else
      menu.unbind_label += " (" + MidiMgr::controller_text(id) + ")";
    menu.unbind_label += "]";
  }

  menu.nrpn_label = "Old erroneous nrpn behaviour";
  menu.nrpn_checked = midi_ != nullptr && !midi_->is_nrpn_standard();
  return menu;
}

}  // namespace mppi
