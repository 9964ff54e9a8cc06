#pragma once

// Makes the built-in banks "DEFAULT_PRESET_BANK" and "STATIC_PRESETS"
// findable as resources on platforms that have none of their own. Generated
// at build time from resources/presets.txt.

namespace synth {

void register_builtin_banks();

}  // namespace synth
