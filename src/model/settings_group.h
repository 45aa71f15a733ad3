#pragma once

namespace muxcc {

// The groups of the configuration that a read from the controller replaces one
// after another, in that order; each has the settings window that shows it.
enum class SettingsGroup { Channels, Analog, Timers, Booleans, AdditionalFeatures };

} // namespace muxcc
