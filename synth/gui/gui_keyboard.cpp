#include "synth/gui/gui_keyboard.h"

#include "framework/core/dsp_interface.h"
#include "gui/window.h"
#include "synth/gui/panel_item.h"
#include "synth/plugin/zindle_dsp.h"

namespace synth {

namespace {
constexpr const char* kPart = "GuiKeyboard";
constexpr const char* kKeyboardId = "keyboard";
constexpr int kScreenChannel = 0;
constexpr int kScreenNoteFlag = 0;
constexpr float kScreenNoteValue = 0.0f;
constexpr int kNotesPerOctave = 12;
}  // namespace

bool GuiKeyboard::build(GuiContext& ctx) {
  if (!ctx.window || !ctx.dsp || keyboard_) return false;
  const art::PanelItem* item = find_panel_item(kPart, kKeyboardId);
  if (!item) return false;
  auto keys = std::make_unique<pengui::PianoKeyboard>();
  keys->set_bounds(rect_of(*item));
  if (!keys->set_range(item->first_note, item->first_note + item->octaves * kNotesPerOctave)) return false;
  keys->set_listener(this);
  if (auto* zindle_dsp = dynamic_cast<ZindleDsp*>(ctx.dsp)) manager_ = &zindle_dsp->screen_keyboard();
  keyboard_ = std::move(keys);
  ctx.window->add(keyboard_.get());
  show_notes();
  return true;
}

void GuiKeyboard::detach() { manager_ = nullptr; }

void GuiKeyboard::idle() {
  if (keyboard_ && manager_ && manager_->test_and_clear_changed()) show_notes();
}

void GuiKeyboard::show_notes() {
  if (!manager_) return;
  for (int note = keyboard_->first_note(); note <= keyboard_->last_note(); ++note) {
    keyboard_->set_note_shown(note, manager_->is_note_down(note));
  }
}

void GuiKeyboard::key_pressed(int note, double velocity) {
  if (!manager_) return;
  MidiGuiKeyboardManager::ScreenKey key;
  key.down = true;
  key.channel = kScreenChannel;
  key.note = note;
  key.pitch = static_cast<float>(note);
  key.value = kScreenNoteValue;
  key.velocity = static_cast<float>(velocity);
  key.flag = kScreenNoteFlag;
  manager_->push_screen_key(key);
}

void GuiKeyboard::key_released(int note) {
  if (!manager_) return;
  MidiGuiKeyboardManager::ScreenKey key;
  key.down = false;
  key.channel = kScreenChannel;
  key.note = note;
  key.velocity = kReleaseVelocity;
  manager_->push_screen_key(key);
}

}  // namespace synth
