#pragma once
// Base of every setup menu entry: the way back to the setup manager and,
// through it, to the editor's host, DSP, MIDI and settings objects.

namespace mppi {

class SetupMgr;

class SetupComponent {
public:
  explicit SetupComponent(SetupMgr& mgr) : mgr_(mgr) {}
  virtual ~SetupComponent() = default;
  SetupComponent(const SetupComponent&) = delete;
  SetupComponent& operator=(const SetupComponent&) = delete;

  SetupMgr& use_setup_mgr() const { return mgr_; }

private:
  SetupMgr& mgr_;
};

}  // namespace mppi
