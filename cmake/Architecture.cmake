# The architecture: each library of our own, its folder, and the libraries it
# may use. A library's sources are the .cpp files of its folder (platform
# files in linux/ and win32/ below it). The build links each library to
# exactly the libraries listed here, and CheckArchitecture.cmake fails when a
# file of a library includes a header of a library that is not listed.
#
#            library               folder                 may use
zindle_layer(zindle_basic          basic)
zindle_layer(zindle_dsp            dsp)
zindle_layer(zindle_sys            sys)
zindle_layer(zindle_sys_midi       sys/midi               zindle_sys)
zindle_layer(zindle_gui            gui                    zindle_basic zindle_sys)
zindle_layer(zindle_params         framework/params       zindle_basic zindle_sys)
zindle_layer(zindle_core           framework/core         zindle_params zindle_basic zindle_sys)
zindle_layer(zindle_midi           framework/midi         zindle_core zindle_params zindle_basic zindle_sys)
zindle_layer(zindle_midi_devices   framework/midi_devices zindle_midi zindle_sys_midi zindle_basic)
zindle_layer(zindle_settings       framework/settings     zindle_core zindle_basic zindle_sys)
zindle_layer(zindle_gui_binding    framework/gui_binding  zindle_gui zindle_core zindle_params)
zindle_layer(zindle_editor         framework/editor       zindle_gui_binding zindle_gui zindle_settings zindle_midi_devices
                                                          zindle_midi zindle_core zindle_params zindle_basic zindle_sys)
zindle_layer(zindle_vst2           framework/vst2         zindle_core zindle_params zindle_midi zindle_midi_devices
                                                          zindle_settings zindle_dsp zindle_basic zindle_sys)
zindle_layer(zindle_synth_params   synth/params           zindle_core zindle_params)
zindle_layer(zindle_synth_dsp      synth/dsp              zindle_synth_params zindle_core zindle_params zindle_dsp
                                                          zindle_basic)
zindle_layer(zindle_synth_plugin   synth/plugin           zindle_synth_dsp zindle_synth_params zindle_core zindle_midi
                                                          zindle_settings zindle_params zindle_basic)
# The editor's artwork and panel layout: generated at build time (see
# tools/CMakeLists.txt); its headers live with the generator.
zindle_generated(zindle_art        tools/artgen           zindle_sys)
# The synth's editor: ZindleGui and the panel sections.
zindle_layer(zindle_synth_gui      synth/gui              zindle_editor zindle_gui_binding zindle_gui zindle_art
                                                          zindle_synth_plugin zindle_synth_params zindle_settings
                                                          zindle_midi_devices zindle_midi zindle_core zindle_params
                                                          zindle_basic zindle_sys)
# The product's entry point and wiring: the only synth code that sees the
# VST 2 adapter. The plug-in module is built from it.
zindle_layer(zindle_synth_vst2     synth/vst2             zindle_synth_gui zindle_art zindle_synth_plugin zindle_vst2
                                                          zindle_midi_devices zindle_core zindle_sys)

# Libraries that must never be reached, not even through others: the
# engine builds without the toolkit, the MIDI device layer and the system
# ports (ALSA), the framework's core never sees the toolkit, and the
# adapter knows nothing of the product.
#            library               never reaches
zindle_never(zindle_basic          zindle_sys zindle_dsp)
zindle_never(zindle_dsp            zindle_basic zindle_sys)
zindle_never(zindle_gui            zindle_params zindle_core zindle_midi zindle_settings)
zindle_never(zindle_params         zindle_gui)
zindle_never(zindle_core           zindle_gui)
zindle_never(zindle_midi           zindle_gui zindle_sys_midi)
zindle_never(zindle_settings       zindle_gui)
zindle_never(zindle_vst2           zindle_synth_params zindle_synth_dsp zindle_synth_plugin zindle_synth_vst2
                                   zindle_gui zindle_editor zindle_synth_gui)
zindle_never(zindle_editor         zindle_synth_params zindle_synth_dsp zindle_synth_plugin zindle_synth_gui)
zindle_never(zindle_synth_dsp      zindle_gui zindle_gui_binding zindle_midi_devices zindle_sys_midi zindle_vst2)
zindle_never(zindle_synth_plugin   zindle_gui zindle_gui_binding zindle_midi_devices zindle_sys_midi zindle_vst2)
