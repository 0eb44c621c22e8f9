#include "Game.h"
#include "platform/win32_user.h"

int main() {
  return WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
}
