// SDL's video subsystem, started on first use.
#pragma once

namespace platform {

// False when no video driver could be started (the reason is on standard error).
bool StartVideo();
// Whether the running driver tracks keyboard focus; under offscreen and dummy it does not, and
// the most recently shown window counts as the one in front.
bool VideoTracksFocus();

}  // namespace platform
