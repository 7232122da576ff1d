// The one Qt application of a program, made when the layer first needs fonts
// or a screen. Without a display it uses Qt's offscreen platform.
#pragma once

namespace layer {

// Makes the application if there is none yet; returns false when Qt cannot start.
bool EnsureGuiApplication();

}  // namespace layer
