#pragma once
// Plug-in base over the VST 2 descriptor: owns the AEffect the host sees,
// routes the host's calls to virtual functions and answers the opcodes a
// plug-in does not override. The C entry points never let an exception out.

#include "framework/vst2/aeff_editor.h"
#include "framework/vst2/vst2_abi.h"

class AudioEffect {
public:
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  virtual ~AudioEffect();
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  // ---- Host calls, through the descriptor ----------------------------------
  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  virtual void open() {}
  virtual void close() {}
  virtual void suspend() {}
  virtual void resume() {}
  virtual void setSampleRate(float rate) { sampleRate = rate; }
  virtual void setBlockSize(VstInt32 size) { blockSize = size; }
  // Audio thread.
  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/) {}
  // Deprecated accumulating process.
  virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}
  virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
  virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }

  // Only called with 0 <= program < numPrograms.
  virtual void setProgram(VstInt32 program) { curProgram = program; }
  virtual VstInt32 getProgram() { return curProgram; }
  virtual void setProgramName(char* /*name*/) {}
  virtual void getProgramName(char* name) { *name = 0; }
  virtual void getParameterLabel(VstInt32 /*index*/, char* label) { *label = 0; }
  virtual void getParameterDisplay(VstInt32 /*index*/, char* text) { *text = 0; }
  virtual void getParameterName(VstInt32 /*index*/, char* text) { *text = 0; }
  // Returns the size of *data; isPreset: one program rather than the bank.
  virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/ = false) { return 0; }
  virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/ = false) { return 0; }

  // ---- Set-up of the descriptor ---------------------------------------------
  virtual void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
  virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
  virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
  virtual void canProcessReplacing(bool state = true) { set_flag(effFlagsCanReplacing, state); }
  virtual void canDoubleReplacing(bool state = true) { set_flag(effFlagsCanDoubleReplacing, state); }
  virtual void programsAreChunks(bool state = true) { set_flag(effFlagsProgramChunks, state); }
  virtual void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
  // Takes ownership; sets or clears effFlagsHasEditor.
  virtual void setEditor(AEffEditor* newEditor);
  virtual AEffEditor* getEditor() { return editor; }
  virtual AEffect* getAeffect() { return &cEffect; }
  virtual float getSampleRate() { return sampleRate; }
  virtual VstInt32 getBlockSize() { return blockSize; }

  // ---- Calls to the host ----------------------------------------------------
  virtual VstInt32 getMasterVersion();
  virtual VstInt32 getCurrentUniqueId();
  virtual void masterIdle();
  // Sets the parameter and reports it to the host as automation.
  virtual void setParameterAutomated(VstInt32 index, float value);
  virtual bool isInputConnected(VstInt32 input);
  virtual bool isOutputConnected(VstInt32 output);

  static AudioEffect* from_effect(AEffect* effect);

protected:
  void set_flag(VstInt32 flag, bool state);
  // The host callback, or 0 when there is none.
  VstIntPtr call_host(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                      float opt = 0.0f);

  audioMasterCallback audioMaster = nullptr;
  AEffEditor* editor = nullptr;
  float sampleRate = 44100.0f;
  VstInt32 blockSize = 1024;
  VstInt32 numPrograms = 0;
  VstInt32 numParams = 0;
  VstInt32 curProgram = 0;
  AEffect cEffect;
};
