#include "framework/vst2/audio_effect.h"

#include <cstring>

namespace {

// The trampolines below are the only way in from the host: whatever a
// derived class throws ends here, and the host gets a neutral answer.

VstIntPtr VSTCALLBACK dispatch_effect(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt) {
  AudioEffect* effect = AudioEffect::from_effect(e);
  if (!effect) return 0;
  if (opcode == effClose) {
    try {
      effect->dispatcher(opcode, index, value, ptr, opt);
    } catch (...) {
    }
    try {
      delete effect;
    } catch (...) {
    }
    return 1;
  }
  try {
    return effect->dispatcher(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;
  }
}

void VSTCALLBACK process_accumulating(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
  AudioEffect* effect = AudioEffect::from_effect(e);
  if (!effect) return;
  try {
    effect->process(inputs, outputs, frames);
  } catch (...) {
  }
}

void VSTCALLBACK process_replacing(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
  AudioEffect* effect = AudioEffect::from_effect(e);
  if (!effect) return;
  try {
    effect->processReplacing(inputs, outputs, frames);
  } catch (...) {
  }
}

void VSTCALLBACK process_double_replacing(AEffect* e, double** inputs, double** outputs, VstInt32 frames) {
  AudioEffect* effect = AudioEffect::from_effect(e);
  if (!effect) return;
  try {
    effect->processDoubleReplacing(inputs, outputs, frames);
  } catch (...) {
  }
}

void VSTCALLBACK set_parameter(AEffect* e, VstInt32 index, float value) {
  AudioEffect* effect = AudioEffect::from_effect(e);
  if (!effect) return;
  try {
    effect->setParameter(index, value);
  } catch (...) {
  }
}

float VSTCALLBACK get_parameter(AEffect* e, VstInt32 index) {
  AudioEffect* effect = AudioEffect::from_effect(e);
  if (!effect) return 0.0f;
  try {
    return effect->getParameter(index);
  } catch (...) {
    return 0.0f;
  }
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
  std::memset(&cEffect, 0, sizeof(cEffect));
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatch_effect;
  cEffect.process = process_accumulating;
  cEffect.setParameter = set_parameter;
  cEffect.getParameter = get_parameter;
  cEffect.numPrograms = numPrograms;
  cEffect.numParams = numParams;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = vst_fourcc('N', 'o', 'E', 'f');
  cEffect.version = 1;
  cEffect.processReplacing = process_replacing;
  cEffect.processDoubleReplacing = process_double_replacing;
}

AudioEffect::~AudioEffect() { delete editor; }

AudioEffect* AudioEffect::from_effect(AEffect* effect) {
  if (!effect || effect->magic != kEffectMagic) return nullptr;
  return static_cast<AudioEffect*>(effect->object);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      if (text) setProgramName(text);
      return 0;
    case effGetProgramName:
      if (text) getProgramName(text);
      return 0;
    case effGetParamLabel:
      if (text) getParameterLabel(index, text);
      return 0;
    case effGetParamDisplay:
      if (text) getParameterDisplay(index, text);
      return 0;
    case effGetParamName:
      if (text) getParameterName(index, text);
      return 0;
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<VstInt32>(value));
      return 0;
    case effMainsChanged:
      if (value) {
        resume();
      } else {
        suspend();
      }
      return 0;
    case effEditGetRect:
      if (!editor || !ptr) return 0;
      return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
      return editor && editor->open(ptr) ? 1 : 0;
    case effEditClose:
      if (editor) editor->close();
      return 0;
    case effEditIdle:
      if (editor) editor->idle();
      return 0;
    case effGetChunk:
      if (!ptr) return 0;
      return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
      if (!ptr || value <= 0) return 0;
      return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
      return 0;
  }
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
  if (editor != newEditor) delete editor;
  editor = newEditor;
  set_flag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::set_flag(VstInt32 flag, bool state) {
  if (state) {
    cEffect.flags |= flag;
  } else {
    cEffect.flags &= ~flag;
  }
}

VstIntPtr AudioEffect::call_host(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstInt32 AudioEffect::getMasterVersion() {
  const VstIntPtr version = call_host(audioMasterVersion);
  return version ? static_cast<VstInt32>(version) : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId() { return static_cast<VstInt32>(call_host(audioMasterCurrentId)); }

void AudioEffect::masterIdle() { call_host(audioMasterIdle); }

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
  setParameter(index, value);
  call_host(audioMasterAutomate, index, 0, nullptr, value);
}

// The host answers 0 for a connected pin.
bool AudioEffect::isInputConnected(VstInt32 input) { return call_host(audioMasterPinConnected, input, 0) == 0; }

bool AudioEffect::isOutputConnected(VstInt32 output) {
  return call_host(audioMasterPinConnected, output, 1) == 0;
}
