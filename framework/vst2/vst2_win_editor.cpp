#include "framework/vst2/vst2_win_editor.h"

#include "framework/core/gui_interface.h"
#include "framework/vst2/vst2_plugin.h"

namespace mppi {

Vst2WinEditor::Vst2WinEditor(Vst2Plugin& adapter, GuiInterface& gui)
    : AEffEditor(&adapter), adapter_(adapter), gui_(gui) {
  adapter.setEditor(this);
}

bool Vst2WinEditor::getRect(ERect** rect) {
  const int scale = gui_.get_scale() >= 2 ? 2 : 1;
  set_size(gui_.get_width() * scale, gui_.get_height() * scale);
  *rect = &rect_;
  return true;
}

bool Vst2WinEditor::open(void* parent) {
  if (!adapter_.is_gui_ready() || parent == nullptr) return false;
  if (isOpen()) {
    if (parent == systemWindow) return true;
    close();  // a new parent: the old window goes first
  }
  if (gui_.open(parent) != 0) return false;
  AEffEditor::open(parent);
  return true;
}

void Vst2WinEditor::close() {
  if (!isOpen()) return;
  gui_.close();
  AEffEditor::close();
}

void Vst2WinEditor::idle() {
  if (adapter_.is_gui_ready()) gui_.idle();
}

bool Vst2WinEditor::onKeyDown(VstKeyCode& key) {
  return isOpen() && gui_.key(key.character, key.virt, key.modifier, true);
}

bool Vst2WinEditor::onKeyUp(VstKeyCode& key) {
  return isOpen() && gui_.key(key.character, key.virt, key.modifier, false);
}

void Vst2WinEditor::set_size(int width, int height) {
  rect_.top = 0;
  rect_.left = 0;
  rect_.bottom = static_cast<VstInt16>(height);
  rect_.right = static_cast<VstInt16>(width);
}

}  // namespace mppi
