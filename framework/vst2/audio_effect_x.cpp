#include "framework/vst2/audio_effect_x.h"

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effProcessEvents:
      return ptr ? processEvents(static_cast<VstEvents*>(ptr)) : 0;
    case effCanBeAutomated:
      return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
      // A null text is a legitimate probe; the derived class decides.
      return string2parameter(index, text) ? 1 : 0;
    case effGetProgramNameIndexed:
      return text && getProgramNameIndexed(static_cast<VstInt32>(value), index, text) ? 1 : 0;
    case effGetInputProperties:
      return ptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
      return ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
      return getPlugCategory();
    case effSetBypass:
      return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
      return text && getEffectName(text) ? 1 : 0;
    case effGetVendorString:
      return text && getVendorString(text) ? 1 : 0;
    case effGetProductString:
      return text && getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
      return getVendorVersion();
    case effVendorSpecific:
      return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return text ? canDo(text) : 0;
    case effGetTailSize:
      return getGetTailSize();
    case effIdle:
      return fxIdle();
    case effKeysRequired:
      return keysRequired() ? 0 : 1;
    case effGetParameterProperties:
      return ptr && getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)) ? 1 : 0;
    case effGetVstVersion:
      return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
      if (!editor) return 0;
      VstKeyCode key{index, static_cast<unsigned char>(value), static_cast<unsigned char>(opt)};
      return (opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key)) ? 1 : 0;
    }
    case effSetEditKnobMode:
      return editor && editor->setKnobMode(static_cast<VstInt32>(value)) ? 1 : 0;
    case effBeginSetProgram:
      return beginSetProgram() ? 1 : 0;
    case effEndSetProgram:
      return endSetProgram() ? 1 : 0;
    case effStartProcess:
      return startProcess();
    case effStopProcess:
      return stopProcess();
    case effSetTotalSampleToProcess:
      return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetProcessPrecision:
      return setProcessPrecision(static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetNumMidiInputChannels:
      return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
      return getNumMidiOutputChannels();
    case effBeginLoadBank:
      return beginLoadBank() ? 1 : 0;
    case effBeginLoadProgram:
      return beginLoadProgram() ? 1 : 0;
    default:
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}

VstPlugCategory AudioEffectX::getPlugCategory() {
  return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
  return reinterpret_cast<VstTimeInfo*>(call_host(audioMasterGetTime, 0, filter));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events) {
  return call_host(audioMasterProcessEvents, 0, 0, events) == 1;
}

bool AudioEffectX::beginEdit(VstInt32 index) { return call_host(audioMasterBeginEdit, index) != 0; }

bool AudioEffectX::endEdit(VstInt32 index) { return call_host(audioMasterEndEdit, index) != 0; }

bool AudioEffectX::updateDisplay() { return call_host(audioMasterUpdateDisplay) != 0; }

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
  return call_host(audioMasterSizeWindow, width, height) != 0;
}

bool AudioEffectX::ioChanged() { return call_host(audioMasterIOChanged) != 0; }

bool AudioEffectX::canHostDo(char* text) { return call_host(audioMasterCanDo, 0, 0, text) == 1; }

bool AudioEffectX::getHostVendorString(char* text) {
  text[0] = 0;
  const bool answered = call_host(audioMasterGetVendorString, 0, 0, text) != 0;
  text[kVstMaxVendorStrLen - 1] = 0;  // a careless host may not terminate
  return answered;
}

bool AudioEffectX::getHostProductString(char* text) {
  text[0] = 0;
  const bool answered = call_host(audioMasterGetProductString, 0, 0, text) != 0;
  text[kVstMaxProductStrLen - 1] = 0;  // a careless host may not terminate
  return answered;
}

VstInt32 AudioEffectX::getHostVendorVersion() {
  return static_cast<VstInt32>(call_host(audioMasterGetVendorVersion));
}

void* AudioEffectX::getDirectory() { return reinterpret_cast<void*>(call_host(audioMasterGetDirectory)); }

VstInt32 AudioEffectX::getParameterQuantization() {
  return static_cast<VstInt32>(call_host(audioMasterGetParameterQuantization));
}
