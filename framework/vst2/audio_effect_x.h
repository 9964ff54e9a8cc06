#pragma once
// The extended plug-in base: events, pins, categories, names, capability
// queries and the host calls that came with them.

#include "framework/vst2/audio_effect.h"

class AudioEffectX : public AudioEffect {
public:
  AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
      : AudioEffect(audioMaster, numPrograms, numParams) {}

  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

  // ---- Host calls, through the dispatcher ----------------------------------
  // Audio thread. Answer 1 when the events were taken.
  virtual VstInt32 processEvents(VstEvents* /*events*/) { return 0; }
  virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return true; }
  virtual bool string2parameter(VstInt32 /*index*/, char* /*text*/) { return false; }
  virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/) { return false; }
  virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
  virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
  virtual VstPlugCategory getPlugCategory();
  virtual bool setBypass(bool /*onOff*/) { return false; }
  virtual bool getEffectName(char* /*name*/) { return false; }
  virtual bool getVendorString(char* /*text*/) { return false; }
  virtual bool getProductString(char* /*text*/) { return false; }
  virtual VstInt32 getVendorVersion() { return 0; }
  virtual VstIntPtr vendorSpecific(VstInt32 /*index*/, VstIntPtr /*value*/, void* /*ptr*/, float /*opt*/) {
    return 0;
  }
  // 1: can do, -1: cannot, 0: don't know.
  virtual VstInt32 canDo(char* /*text*/) { return 0; }
  virtual VstInt32 getGetTailSize() { return 0; }
  virtual VstInt32 fxIdle() { return 0; }
  // Answered inverted for compatibility with version 1 hosts.
  virtual bool keysRequired() { return false; }
  virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*p*/) { return false; }
  virtual VstInt32 getVstVersion() { return kVstVersion; }
  virtual bool beginSetProgram() { return false; }
  virtual bool endSetProgram() { return false; }
  virtual VstInt32 startProcess() { return 0; }
  virtual VstInt32 stopProcess() { return 0; }
  virtual VstInt32 setTotalSampleToProcess(VstInt32 value) { return value; }
  virtual bool setProcessPrecision(VstInt32 /*precision*/) { return false; }
  virtual VstInt32 getNumMidiInputChannels() { return 0; }
  virtual VstInt32 getNumMidiOutputChannels() { return 0; }
  virtual bool beginLoadBank() { return false; }
  virtual bool beginLoadProgram() { return false; }

  // ---- Set-up of the descriptor ---------------------------------------------
  virtual void isSynth(bool state = true) { set_flag(effFlagsIsSynth, state); }
  virtual void noTail(bool state = true) { set_flag(effFlagsNoSoundInStop, state); }

  // ---- Calls to the host ----------------------------------------------------
  // The host's time information (null when it has none); filter: the
  // kVst...Valid flags wanted.
  virtual VstTimeInfo* getTimeInfo(VstInt32 filter);
  virtual bool sendVstEventsToHost(VstEvents* events);
  virtual bool beginEdit(VstInt32 index);
  virtual bool endEdit(VstInt32 index);
  virtual bool updateDisplay();
  virtual bool sizeWindow(VstInt32 width, VstInt32 height);
  virtual bool ioChanged();
  virtual bool canHostDo(char* text);
  // text: at least kVstMaxVendorStrLen / kVstMaxProductStrLen bytes.
  virtual bool getHostVendorString(char* text);
  virtual bool getHostProductString(char* text);
  virtual VstInt32 getHostVendorVersion();
  // The host's folder of this plug-in (a char* path), or null.
  virtual void* getDirectory();
  virtual VstInt32 getParameterQuantization();
};
