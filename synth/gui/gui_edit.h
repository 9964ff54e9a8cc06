#pragma once
// The read-out box: the name and value of the parameter under the pointer
// or being dragged, in the parameter's own display text. Clicking the
// value line edits it; Enter sends the typed value through the
// parameter's control, a text that is no value changes nothing.

#include <memory>
#include <string>

#include "gui/text_box.h"
#include "gui/text_edit.h"
#include "synth/gui/gui_part.h"

namespace mppi {
class NormalizedParamInterface;
}

namespace synth {

class GuiEdit : public GuiPart, public ValueReadout {
public:
  static constexpr int kTypedPrio = 200;

  GuiEdit();
  ~GuiEdit() override;

  // --- GuiPart
  bool build(GuiContext& ctx) override;
  void idle() override;
  void refresh() override;

  // --- ValueReadout; a value being typed is not replaced.
  void show_param(int param_index) override;
  void show_text(const char* line1, const char* line2) override;
  void clear() override;

  int shown_param() const { return shown_param_; }
  const std::string& name_text() const { return name_box_.text(); }
  const std::string& value_text() const { return value_edit_.text(); }
  pengui::TextEdit& value_edit() { return value_edit_; }

  // The parameter's value as the read-out writes it: display text and unit.
  static std::string value_string(const mppi::NormalizedParamInterface& param);

private:
  class EntryListener;
  void enter_text(const char* text);
  void show_value();

  GuiContext ctx_;
  pengui::TextBox name_box_;
  pengui::TextEdit value_edit_;
  std::unique_ptr<EntryListener> entry_listener_;
  int shown_param_ = -1;
  float shown_nrm_ = -1.0f;
};

}  // namespace synth
