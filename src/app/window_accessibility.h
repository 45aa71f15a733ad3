#pragma once

namespace muxcc {

// Lets a screen reader meet the settings windows as windows: plain top-level
// widgets are otherwise announced as mere panes, without their caption as a
// window title. Call once, before the first window exists.
void AnnounceSettingsWindowsAsWindows();

} // namespace muxcc
