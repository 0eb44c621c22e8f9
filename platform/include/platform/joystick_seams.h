// Virtual joysticks for tests (SDL's): they count like plugged-in devices.
#pragma once

namespace platform {

// Hat directions, combinable: up and right together point up-right.
enum : unsigned char { kHatCentred = 0, kHatUp = 1, kHatRight = 2, kHatDown = 4, kHatLeft = 8 };

// Plugs in a joystick; returns its joystick number (0 for the first), or -1.
int AttachVirtualJoystick(int axes, int buttons, int hats);
void DetachVirtualJoystick(int joystick);
// value -32768 .. 32767.
void SetVirtualJoystickAxis(int joystick, int axis, short value);
void SetVirtualJoystickButton(int joystick, int button, bool down);
void SetVirtualJoystickHat(int joystick, int hat, unsigned char directions);

}  // namespace platform
