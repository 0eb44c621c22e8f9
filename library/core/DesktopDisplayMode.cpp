#include "DesktopDisplayMode.h"

namespace {

struct DesktopState {
  DEVMODEA saved;
  bool changed;
};

DesktopState g_desktop{};

}  // namespace

LONG DesktopDisplayMode::Change(DEVMODEA mode) {
  if (!g_desktop.changed) {
    g_desktop.saved = DEVMODEA{};
    g_desktop.saved.dmSize = sizeof(DEVMODEA);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &g_desktop.saved);
  }
  LONG result = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
  if (result != DISP_CHANGE_SUCCESSFUL && (mode.dmFields & DM_DISPLAYFREQUENCY)) {
    mode.dmFields &= ~DM_DISPLAYFREQUENCY;
    result = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
  }
  if (result == DISP_CHANGE_SUCCESSFUL) g_desktop.changed = true;
  return result;
}

LONG DesktopDisplayMode::Restore() {
  if (!g_desktop.changed) return DISP_CHANGE_SUCCESSFUL;
  LONG result = ChangeDisplaySettingsA(&g_desktop.saved, CDS_FULLSCREEN);
  if (result == DISP_CHANGE_SUCCESSFUL) g_desktop.changed = false;
  return result;
}
