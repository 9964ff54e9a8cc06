#include "framework/editor/preset_manager2.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/core/bank_file.h"
#include "framework/core/bank_resource.h"
#include "framework/core/host_gui_interface.h"
#include "framework/editor/preset_fade_time.h"
#include "gui/file_dialog.h"
#include "gui/flip_flop.h"
#include "gui/pot_interface.h"
#include "gui/push_button.h"
#include "gui/text_edit.h"
#include "gui/window.h"

namespace mppi {

namespace {
constexpr double kStoreThreshold = 0.5;
constexpr int kSwitchPrio = 200;
const std::string kNoName;

// Opened the way the bank writer opens it, so both read the name alike.
bool file_exists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

// A name typed without an extension gets ours.
std::string with_extension(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return path;
  return path + "." + PresetManager2::kExtension;
}
}  // namespace

PresetManager2::PresetManager2(const char* bank_name, int nbr_programs)
    : filter_name_(std::string(bank_name ? bank_name : "") + " (*." + kExtension + ")"),
      nbr_programs_(std::max(1, nbr_programs)),
      fade_time_(PresetFadeTime::kDefaultSeconds),
      names_(static_cast<std::size_t>(nbr_programs_)) {
  name_listener_ = std::make_unique<PresetNameListener>(*this);
  menu_button_listener_ = std::make_unique<PresetNameMenuListener>(*this);
  menu_listener_ = std::make_unique<PresetListenerRefMenu>(*this);
  mem_listener_ = std::make_unique<PresetMemListener>(*this);
  load_listener_ = std::make_unique<PresetLoadBankListener>(*this);
  save_listener_ = std::make_unique<PresetSaveBankListener>(*this);
  fader_listener_ = std::make_unique<PresetTimeFaderListener>(*this);
  for (int i = 0; i < nbr_programs_; ++i) menu_.add_entry(menu_label(i, kNoName), menu_listener_.get(), i);
}

PresetManager2::~PresetManager2() {
  menu_listener_->stop_fade();
  if (dialog_) dialog_->cancel();
  menu_.close();
  message_.close();
  detach_listeners();
}

bool PresetManager2::attach(pengui::Window& window, HostGuiInterface& host, ProgStLdInterface& blend,
                            const PresetControls& controls, const pengui::FontSet* font,
                            std::unique_ptr<pengui::FileDialog> dialog) {
  if (!controls.name || !controls.menu_button || !controls.store_switch || !controls.load_bank ||
      !controls.save_bank || !controls.fade_knob || !controls.fade_display || window_)
    return false;
  window_ = &window;
  host_ = &host;
  blend_ = &blend;
  controls_ = controls;
  dialog_ = std::move(dialog);
  if (dialog_) dialog_->set_font(font);
  menu_.set_font(font);
  message_.set_font(font);

  controls_.name->set_max_length(ProgramSlot::kNameSize - 1);
  controls_.name->attach(name_listener_.get());
  controls_.menu_button->attach(menu_button_listener_.get());
  controls_.store_switch->attach(mem_listener_.get());
  controls_.load_bank->attach(load_listener_.get());
  controls_.save_bank->attach(save_listener_.get());
  display_listener_ = std::make_unique<PresetTimeDisplayListener>(*this, *controls_.fade_display);
  fader_listener_->chain(display_listener_.get());
  controls_.fade_knob->attach(fader_listener_.get());
  controls_.fade_knob->set_reset_hook([this] {
    controls_.fade_knob->set_and_send(PresetFadeTime::knob_from_seconds(PresetFadeTime::kDefaultSeconds),
                                      pengui::PushButton::kPrio);
    set_fade_time(PresetFadeTime::kDefaultSeconds);
  });

  set_fade_time(fade_time_);
  controls_.store_switch->set_no_send(0.0, kSetUpPrio);
  read_names();
  show_name();
  if (load_bank_resource(kFactoryBank, factory_bank_) == 0 && factory_bank_.get_nbr_programs() > nbr_programs_) factory_bank_.resize(nbr_programs_);
  return true;
}

void PresetManager2::detach_listeners() {
  if (controls_.name) controls_.name->detach(name_listener_.get());
  if (controls_.menu_button) controls_.menu_button->detach(menu_button_listener_.get());
  if (controls_.store_switch) controls_.store_switch->detach(mem_listener_.get());
  if (controls_.load_bank) controls_.load_bank->detach(load_listener_.get());
  if (controls_.save_bank) controls_.save_bank->detach(save_listener_.get());
  if (controls_.fade_knob) {
    controls_.fade_knob->detach(fader_listener_.get());
    controls_.fade_knob->set_reset_hook(nullptr);
  }
  fader_listener_->chain(nullptr);
  controls_ = PresetControls();
}

void PresetManager2::detach() {
  if (!window_) return;
  menu_listener_->finish_fade();
  if (dialog_) dialog_->cancel();
  menu_.close();
  message_.close();
  detach_listeners();
  window_ = nullptr;
  host_ = nullptr;
  blend_ = nullptr;
}

void PresetManager2::idle() {
  if (dialog_) dialog_->poll();
  // The host chose another program (its program list, a project, a chunk).
  if (!host_) return;
  const int current = host_->get_current_program();
  if (current != current_ && current >= 0 && current < nbr_programs_) refresh();
}

void PresetManager2::refresh() {
  read_names();
  show_name();
  mode_changed();
}

const std::string& PresetManager2::program_name(int index) const {
  if (index < 0 || index >= static_cast<int>(names_.size())) return kNoName;
  return names_[static_cast<std::size_t>(index)];
}

std::string PresetManager2::menu_label(int index, const std::string& name) {
  char number[16];
  std::snprintf(number, sizeof number, "%2d - ", index + 1);
  return number + name;
}

void PresetManager2::read_names() {
  if (!host_) return;
  BankManager bank;
  if (!host_->get_bank(bank)) return;
  const int n = std::min(nbr_programs_, bank.get_nbr_programs());
  for (int i = 0; i < n; ++i) names_[static_cast<std::size_t>(i)] = bank.use_program(i).name;
  const int current = host_->get_current_program();
  if (current >= 0 && current < nbr_programs_) current_ = current;
}

void PresetManager2::show_name() {
  if (controls_.name && !controls_.name->is_editing()) controls_.name->set_text(program_name(current_));
}

// ---- Program menu

bool PresetManager2::is_store_mode() const {
  return controls_.store_switch && controls_.store_switch->get_value() >= kStoreThreshold;
}

void PresetManager2::mode_changed() { menu_.set_title(is_store_mode() ? "Store preset" : "Load preset"); }

void PresetManager2::popup_program_menu() {
  if (!window_ || !controls_.menu_button) return;
  read_names();
  mode_changed();
  const pengui::Rect& b = controls_.menu_button->bounds();
  menu_.popup(*window_, {b.x, b.bottom()});
}

void PresetManager2::choose_program(int index) {
  if (!host_ || index < 0 || index >= nbr_programs_) return;
  if (is_store_mode()) {
    // What is stored is the sound as it will stay, not a fade's midpoint.
    menu_listener_->finish_fade();
    if (host_->store_program(index)) current_ = index;
    controls_.store_switch->set_no_send(0.0, kSwitchPrio);
  } else if (menu_listener_->start_fade(index)) {
    current_ = index;
  }
  read_names();
  show_name();
}

void PresetManager2::rename_current(const std::string& name) {
  if (!host_) return;
  host_->set_program_name(current_, name);
  read_names();
  show_name();
}

// ---- Fade time

void PresetManager2::set_fade_time(double seconds) {
  fade_time_ = std::clamp(std::isfinite(seconds) ? seconds : PresetFadeTime::kDefaultSeconds, 0.0,
                          PresetFadeTime::kMaxSeconds);
  if (controls_.fade_knob) controls_.fade_knob->set_no_send(PresetFadeTime::knob_from_seconds(fade_time_), kSetUpPrio);
}

void PresetManager2::fade_time_from_knob(double position) { fade_time_ = PresetFadeTime::seconds_from_knob(position); }

std::string PresetManager2::fade_time_text() const {
  return PresetFadeTime::format(fade_time_, fade_width_, fade_decimals_);
}

// ---- Bank files

std::string PresetManager2::start_folder() const {
  std::string folder;
  if (host_) host_->get_settings_path(folder);
  return folder;
}

void PresetManager2::start_bank_load() { start_bank_dialog(false); }

void PresetManager2::start_bank_save() { start_bank_dialog(true); }

void PresetManager2::start_bank_dialog(bool save) {
  if (!dialog_ || !window_ || dialog_->is_running() || message_.is_shown()) return;
  pengui::FileDialogRequest request;
  request.save = save;
  request.title = save ? "Save preset bank" : "Load preset bank";
  request.filter_name = filter_name_;
  request.pattern = std::string("*.") + kExtension;
  request.folder = start_folder();
  dialog_->start(request, [this, save](bool ok, const std::string& path) {
    if (!ok || path.empty()) return;
    if (save)
      bank_save_chosen(path);
    else
      bank_load_chosen(path);
  });
}

void PresetManager2::bank_save_chosen(std::string path) {
  path = with_extension(path);
  if (!file_exists(path)) return write_bank(path);
  message_.show(*window_, "Conflict", path + "\nalready exists. Overwrite ?", pengui::MessageButtons::yes_no,
                [this, path](pengui::MessageAnswer answer) {
                  if (answer == pengui::MessageAnswer::yes) write_bank(path);
                });
}

void PresetManager2::write_bank(const std::string& path) {
  if (!host_) return;
  BankManager bank;
  int code = kBankCantOpen;
  if (host_->get_bank(bank)) code = save_bank_file(path, bank);
  if (code != kBankOk) show_error("Can't save bank file\n", path, code);
}

void PresetManager2::bank_load_chosen(const std::string& path) {
  if (!host_) return;
  // The host's bank is the target, so that strict mode compares with it.
  BankManager bank;
  if (!host_->get_bank(bank)) return;
  const int code = load_bank_file(path, bank, nullptr, true);
  if (code != kBankOk) return show_error("Can't load bank file\n", path, code);
  // A fade would go on writing the old bank's program over the new one.
  menu_listener_->stop_fade();
  host_->replace_bank(bank);
  read_names();
  show_name();
}

void PresetManager2::show_error(const char* what, const std::string& path, int code) {
  char code_text[32];
  std::snprintf(code_text, sizeof code_text, "\n\nCode %d", code);
  message_.show(*window_, "Error", what + path + code_text, pengui::MessageButtons::ok, nullptr);
}

}  // namespace mppi
