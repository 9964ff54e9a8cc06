#pragma once
// The synth's editor object: loads the artwork, builds the panel sections
// once into one toolkit window, opens it in the host's window at scale 1
// or 2, and shows parameter changes from every source.

#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "framework/core/gui_interface.h"
#include "framework/core/host_gui_interface.h"
#include "framework/editor/graph_rsc_mixin.h"
#include "framework/editor/gui_setup_interface.h"
#include "framework/gui_binding/param_listener.h"
#include "gui/window.h"
#include "synth/gui/gui_part.h"
#include "synth/gui/gui_resources.h"
#include "synth/params/param_id.h"

namespace synth {

class GuiEdit;
class PanelBackground;

class ZindleGui : public mppi::GuiInterface, public mppi::GraphRscMixin, public mppi::GuiSetupInterface {
public:
  static constexpr int kWidth = 900;
  static constexpr int kHeight = 446;
  static constexpr int kNbrPrograms = 64;
  static constexpr const char* kBankName = "Zindle preset banks";

  ZindleGui();
  ~ZindleGui() override;
  ZindleGui(const ZindleGui&) = delete;
  ZindleGui& operator=(const ZindleGui&) = delete;

  // --- mppi::GuiInterface -----------------------------------------------------
  void init() override;   // throws when the artwork cannot be loaded
  void start() override;  // throws when the panel cannot be built
  void detach() override;
  mppi::HostGuiInterface* get_host() override { return host_.get(); }
  void set_host(mppi::HostGuiInterface* host) override { host_.reset(host); }  // owned from here
  mppi::DspInterface* get_dsp() override { return dsp_; }
  void set_dsp(mppi::DspInterface* dsp) override { dsp_ = dsp; }
  void set_window(void* window) override { native_parent_ = window; }
  void* get_window() override { return native_parent_; }
  int get_width() const override { return kWidth; }
  int get_height() const override { return kHeight; }
  int open(void* parent) override;
  void close() override;
  // Any thread: kept until the next editor idle, which shows it.
  void param_changed(int param, float value, int source) override;
  void bank_published(const mppi::BankManager& /*bank*/) override {}
  void idle() override;
  bool key(int character, int virtual_key, int modifiers, bool down) override;
  // While open, a new scale reopens the window at it and asks the host to
  // resize its own.
  void set_scale(int scale) override;
  int get_scale() override;

  // --- mppi::GuiSetupInterface --------------------------------------------------
  void refresh_all_controls() override;
  int get_last_touched_param() const override { return last_touched_param_; }

  // For tests and tools: the toolkit window and the parameter links.
  pengui::Window& window() { return window_; }
  const std::array<mppi::MetaControl, kNbrParams>& meta_controls() const { return meta_; }

private:
  struct PendingValue {
    std::atomic<float> value{0.0f};
    std::atomic<int> source{0};
    std::atomic<bool> waiting{false};
  };

  void build_panel();
  void apply_pending_values();

  std::unique_ptr<mppi::HostGuiInterface> host_;
  mppi::DspInterface* dsp_ = nullptr;
  void* native_parent_ = nullptr;
  int host_scale_ = 0;  // 0: the desktop decides
  bool built_ = false;
  bool detached_ = false;
  int last_touched_param_ = -1;

  LoadedGuiResources resources_{*this};
  std::array<mppi::MetaControl, kNbrParams> meta_;
  std::array<PendingValue, kNbrParams> pending_;
  // The window goes after the widgets that point at it.
  pengui::Window window_{kWidth, kHeight};
  std::unique_ptr<PanelBackground> background_;
  GuiEdit* edit_ = nullptr;  // one of parts_
  std::vector<std::unique_ptr<GuiPart>> parts_;
};

}  // namespace synth
