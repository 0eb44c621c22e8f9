// Joysticks 0 and 1 through the multimedia joystick functions.
#include "KInput.h"
#include "KInputState.h"
#include "MessagePump.h"

namespace {

constexpr uint32_t kResting = 32767;

bool g_joystickCaptured[2] = {false, false};

bool IsValid(char joystick) {
  return joystick == 0 || joystick == 1;
}

bool IsCaptured(char joystick) {
  return IsValid(joystick) && g_joystickCaptured[int(joystick)];
}

// A read of a captured joystick; false when the read failed (the caller reports the resting
// state then, as for a joystick that isn't captured).
bool Read(char joystick, DWORD flags, JOYINFOEX* info) {
  *info = JOYINFOEX{};
  info->dwSize = sizeof(JOYINFOEX);
  info->dwFlags = flags;
  return IsCaptured(joystick) && joyGetPosEx(static_cast<UINT>(joystick), info) == JOYERR_NOERROR;
}

bool ReadPosition(char joystick, JOYINFO* info) {
  *info = JOYINFO{};
  return IsCaptured(joystick) && joyGetPos(static_cast<UINT>(joystick), info) == JOYERR_NOERROR;
}

}  // namespace

bool KInput::JoystickCapture(char joystick) {
  if (!IsValid(joystick)) return false;
  JoystickRelease(joystick);
  if (joySetCapture(g_inputWindow, static_cast<UINT>(joystick), 0, FALSE) == JOYERR_NOERROR)
    g_joystickCaptured[int(joystick)] = true;
  return g_joystickCaptured[int(joystick)];
}

void KInput::JoystickRelease(char joystick) {
  if (!IsValid(joystick)) return;
  if (g_joystickCaptured[int(joystick)]) joyReleaseCapture(static_cast<UINT>(joystick));
  g_joystickCaptured[int(joystick)] = false;
}

bool KInput::JoystickLeft(char joystick) {
  JOYINFO info;
  return ReadPosition(joystick, &info) && info.wXpos <= 10;
}

bool KInput::JoystickRight(char joystick) {
  JOYINFO info;
  return ReadPosition(joystick, &info) && info.wXpos > 65500;
}

bool KInput::JoystickUp(char joystick) {
  JOYINFO info;
  return ReadPosition(joystick, &info) && info.wYpos <= 10;
}

bool KInput::JoystickDown(char joystick) {
  JOYINFO info;
  return ReadPosition(joystick, &info) && info.wYpos > 65500;
}

uint32_t KInput::GetJoystickX(char joystick, bool secondStick) {
  JOYINFOEX info;
  if (!Read(joystick, JOY_RETURNALL, &info)) return kResting;
  return secondStick ? info.dwZpos : info.dwXpos;
}

uint32_t KInput::GetJoystickY(char joystick, bool secondStick) {
  JOYINFOEX info;
  if (!Read(joystick, JOY_RETURNALL, &info)) return kResting;
  return secondStick ? info.dwRpos : info.dwYpos;
}

uint32_t KInput::GetJoystickPOV(char joystick) {
  JOYINFOEX info;
  if (!Read(joystick, JOY_RETURNALL, &info)) return kResting;
  return info.dwPOV;
}

bool KInput::IsJoystickButtonDown(char joystick, uint32_t buttonMask) {
  JOYINFOEX info;
  return Read(joystick, JOY_RETURNBUTTONS, &info) && (info.dwButtons & buttonMask) != 0;
}

void KInput::WaitJoystickButtonRelease(char joystick, uint32_t buttonMask) {
  do {
    MessagePump::DispatchOne();
  } while (IsJoystickButtonDown(joystick, buttonMask));
}
