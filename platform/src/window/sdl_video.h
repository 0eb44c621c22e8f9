// SDL's video subsystem, started on first use.
#pragma once

namespace platform {

// False when no video driver could be started (the reason is on standard error).
bool StartVideo();
// Whether the running driver tracks keyboard focus; under offscreen and dummy it does not, and
// the most recently shown window counts as the one in front.
bool VideoTracksFocus();
// Whether the running driver makes a window's frame buffer with the SDL window, so that a context
// made later gets the window's depth buffer whatever it asks for (EGL surfaces, as under
// offscreen). Under X11 through GLX the context's own request decides.
bool FrameBufferMadeWithWindow();

}  // namespace platform
