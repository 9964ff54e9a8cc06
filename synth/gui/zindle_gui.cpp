#include "synth/gui/zindle_gui.h"

#include <cmath>
#include <stdexcept>

#include "framework/editor/host_key.h"
#include "gui/desktop_scale.h"
#include "synth/gui/gui_edit.h"
#include "synth/gui/gui_env.h"
#include "synth/gui/gui_info.h"
#include "synth/gui/gui_keyboard.h"
#include "synth/gui/gui_misc.h"
#include "synth/gui/gui_mix.h"
#include "synth/gui/gui_osc.h"
#include "synth/gui/gui_presets.h"
#include "synth/gui/gui_snh_lfo.h"
#include "synth/gui/panel_background.h"

namespace synth {

ZindleGui::ZindleGui() = default;

ZindleGui::~ZindleGui() {
  window_.close();
  parts_.clear();  // controls first, while the window they sit in exists
  background_.reset();
}

void ZindleGui::init() {
  if (!load_editor_resources(*this) || resources_.image(kBackgroundPicture) == nullptr)
    throw std::runtime_error("ZindleGui::init() : Cannot initialize GUI.");
}

void ZindleGui::start() {
  if (built_) return;
  try {
    build_panel();
  } catch (...) {
    // Nothing half-built stays behind: no control a parameter link points at.
    meta_.fill(mppi::MetaControl{});
    parts_.clear();
    edit_ = nullptr;
    if (background_) window_.remove(background_.get());
    background_.reset();
    throw std::runtime_error("ZindleGui::set_default_state() : Cannot build GUI.");
  }
  built_ = true;
}

void ZindleGui::build_panel() {
  const pengui::Image* picture = resources_.image(kBackgroundPicture);
  if (picture == nullptr || host_ == nullptr || dsp_ == nullptr) throw std::runtime_error("incomplete set-up");
  background_ = std::make_unique<PanelBackground>(*picture);
  background_->set_bounds({0, 0, kWidth, kHeight});
  window_.add(background_.get());

  auto edit = std::make_unique<GuiEdit>();
  edit_ = edit.get();
  parts_.push_back(std::make_unique<GuiMisc>());
  parts_.push_back(std::make_unique<GuiOsc>(GuiOsc::kVco1Frame));
  parts_.push_back(std::make_unique<GuiOsc>(GuiOsc::kVco2Frame));
  parts_.push_back(std::make_unique<GuiSnhLfo>());
  parts_.push_back(std::make_unique<GuiMix>());
  parts_.push_back(std::make_unique<GuiEnv>());
  parts_.push_back(std::make_unique<GuiPresets>(kNbrPrograms, kBankName));
  parts_.push_back(std::make_unique<GuiKeyboard>());
  parts_.push_back(std::make_unique<GuiInfo>());
  parts_.push_back(std::move(edit));

  GuiContext ctx;
  ctx.window = &window_;
  ctx.resources = &resources_;
  ctx.host = host_.get();
  ctx.dsp = dsp_;
  ctx.meta = &meta_;
  ctx.readout = edit_;
  ctx.last_touched_param = &last_touched_param_;
  ctx.setup = this;
  for (const std::unique_ptr<GuiPart>& part : parts_)
    if (!part->build(ctx)) throw std::runtime_error("a section failed");
}

void ZindleGui::detach() {
  if (detached_) return;
  detached_ = true;
  window_.close();
  for (const std::unique_ptr<GuiPart>& part : parts_) part->detach();
}

void ZindleGui::set_scale(int scale) {
  host_scale_ = (scale == 1 || scale == 2) ? scale : 0;
  if (!window_.is_open() || host_scale_ == 0 || pengui::forced_gui_scale() != 0) return;
  if (host_scale_ == window_.scale()) return;
  void* parent = native_parent_;
  close();
  if (host_) host_->resize_window(kWidth * host_scale_, kHeight * host_scale_);
  open(parent);
}

int ZindleGui::get_scale() {
  if (window_.is_open()) return window_.scale();
  if (const int forced = pengui::forced_gui_scale()) return forced;
  if (host_scale_ != 0) return host_scale_;
  return pengui::query_desktop_scale();
}

int ZindleGui::open(void* parent) {
  if (!built_ || detached_ || parent == nullptr) return -1;
  if (window_.is_open()) {
    if (window_.native_handle() != nullptr && native_parent_ == parent) return 0;
    close();
  }
  const int scale = get_scale();
  if (scale == 2) load_double_size();
  window_.set_scale(scale);
  if (!window_.open(parent)) return -1;
  native_parent_ = parent;
  // Changes made while closed are still pending: the refresh shows every
  // value, the next idle those a firmer change held back from it.
  refresh_all_controls();
  window_.invalidate_all();
  window_.render_dirty();
  return 0;
}

void ZindleGui::close() {
  window_.close();
  native_parent_ = nullptr;
}

void ZindleGui::param_changed(int param, float value, int source) {
  if (param < 0 || param >= kNbrParams || !std::isfinite(value)) return;
  PendingValue& p = pending_[static_cast<size_t>(param)];
  p.value.store(value, std::memory_order_relaxed);
  p.source.store(source, std::memory_order_relaxed);
  p.waiting.store(true, std::memory_order_release);
}

void ZindleGui::apply_pending_values() {
  for (int i = 0; i < kNbrParams; ++i) {
    PendingValue& p = pending_[static_cast<size_t>(i)];
    if (!p.waiting.exchange(false, std::memory_order_acquire)) continue;
    const mppi::MetaControl& meta = meta_[static_cast<size_t>(i)];
    if (!meta.is_bound()) continue;
    const float value = p.value.load(std::memory_order_relaxed);
    // Refused while a firmer change holds the parameter (half a second at
    // most): tried again at the next idle unless a newer value came.
    if (!meta.control()->set_no_send(value, p.source.load(std::memory_order_relaxed))) {
      bool none_newer = false;
      p.waiting.compare_exchange_strong(none_newer, true, std::memory_order_acq_rel);
    }
  }
}

void ZindleGui::idle() {
  if (!window_.is_open()) return;
  apply_pending_values();
  for (const std::unique_ptr<GuiPart>& part : parts_) part->idle();
  window_.idle();
}

bool ZindleGui::key(int character, int virtual_key, int modifiers, bool down) {
  if (!window_.is_open()) return false;
  const pengui::KeyEvent e = mppi::key_from_host(character, virtual_key, modifiers);
  if (e.key == pengui::Key::none) return false;
  return window_.native_key(e, down);
}

void ZindleGui::refresh_all_controls() {
  for (const std::unique_ptr<GuiPart>& part : parts_) part->refresh();
}

}  // namespace synth
