#pragma once
// Every automatable control is a NormalizedParamInterface: a normalized value
// (float 0..1) for host, editor and programs, and a natural value (double, in
// the parameter's own unit) for the sound engine.
//
// Threads: the plug-in side (host automation, editor, MIDI, programs) writes
// the values from whichever thread the change comes from; the audio thread
// reads them after the owning stage's NotificationFlag was raised. Values are
// atomics (relaxed) and the flag hands them over with release/acquire, so a
// stage that sees a raised flag also sees the values stored before it.

#include <atomic>

namespace mppi {

class NotifierInterface;

class NotifiedInterface {
public:
  virtual ~NotifiedInterface() = default;
  // Any thread: a value of `who` changed.
  virtual void notify(NotifierInterface* who) = 0;
};

class NotifierInterface {
public:
  virtual ~NotifierInterface() = default;

  // Set once after creation by the owning stage; not owned.
  NotifiedInterface* notified = nullptr;
};

// One flag per group of parameters that a stage recomputes together.
class NotificationFlag : public NotifiedInterface {
public:
  explicit NotificationFlag(bool raised = false) : flag_(raised) {}
  ~NotificationFlag() override = default;

  void notify(NotifierInterface* /*who*/) override { raise(); }
  virtual void on_clear() {}
  virtual void on_raise() {}

  void raise() { flag_.store(true, std::memory_order_release); on_raise(); }
  void clear() { flag_.store(false, std::memory_order_relaxed); on_clear(); }
  bool is_raised() const { return flag_.load(std::memory_order_acquire); }

  // Audio thread: clears a raised flag and says whether it was raised.
  bool test_and_clear() {
    if (!flag_.load(std::memory_order_acquire)) return false;
    flag_.store(false, std::memory_order_relaxed);
    on_clear();
    return true;
  }

private:
  std::atomic<bool> flag_;
};

class NormalizedParamInterface : public NotifierInterface {
public:
  ~NormalizedParamInterface() override = default;

  // Stores the natural value and its normalized form; does not notify.
  virtual void set_val(double val, int src);
  virtual void get_name(char* buf, int len) const = 0;
  virtual void get_unit(char* buf, int len) const = 0;
  virtual int is_discrete() const { return 0; }
  virtual bool is_automatable() const { return true; }
  virtual void on_change() {}
  virtual double get_val() const { return val_.load(std::memory_order_relaxed); }
  virtual float get_aux() const { return aux_.load(std::memory_order_relaxed); }
  virtual double conv_nrm_to_val(float nrm) const = 0;
  virtual float conv_val_to_nrm(double val) const = 0;
  virtual void conv_val_to_str(char* buf, int len, double val) const = 0;
  // Leaves *ok untouched when the text holds no acceptable value.
  virtual double conv_str_to_val(const char* txt, bool* ok) const = 0;

  // Plain field access (the plug-in core writes nrm and val directly).
  float nrm() const { return nrm_.load(std::memory_order_relaxed); }
  float nrm_set() const { return nrm_set_.load(std::memory_order_relaxed); }
  int src() const { return src_.load(std::memory_order_relaxed); }
  void store_nrm(float nrm) { nrm_.store(nrm, std::memory_order_relaxed); }
  void store_val(double val) { val_.store(val, std::memory_order_relaxed); }

  // Stores a normalized value, its natural value, and tells the notified
  // object: the path of every run-time change.
  void set_nrm_and_notify(float nrm);

private:
  std::atomic<double> val_{0.0};
  std::atomic<float> nrm_{0.0f};
  std::atomic<int> src_{-1};
  std::atomic<float> aux_{0.0f};
  std::atomic<float> nrm_set_{0.0f};
};

}  // namespace mppi
