#include "framework/vst2/vst2_win_editor.h"

#include "framework/core/gui_interface.h"
#include "framework/vst2/vst2_plugin.h"

namespace mppi {

Vst2WinEditor::Vst2WinEditor(Vst2Plugin& adapter, GuiInterface& gui) : AEffEditor(&adapter), gui_(gui) {
  adapter.setEditor(this);
}

bool Vst2WinEditor::getRect(ERect** rect) {
  set_size(gui_.get_width(), gui_.get_height());
  *rect = &rect_;
  return true;
}

bool Vst2WinEditor::open(void* parent) {
  if (gui_.open(parent) != 0) return false;
  AEffEditor::open(parent);
  return true;
}

void Vst2WinEditor::close() {
  gui_.close();
  AEffEditor::close();
}

void Vst2WinEditor::set_size(int width, int height) {
  rect_.top = 0;
  rect_.left = 0;
  rect_.bottom = static_cast<VstInt16>(height);
  rect_.right = static_cast<VstInt16>(width);
}

}  // namespace mppi
