#include "GameTools.h"

#include <cstdio>

#include "KGraphic.h"
#include "KMiscTools.h"
#include "KWindow.h"
#include "platform/files.h"

int g_fps = 60;

namespace {

bool g_fpsFirstCall = true;
uint32_t g_fpsSampleTime = 0;
int g_fpsFrames = 0;

uint32_t g_smoothedFrameTime = 20;
uint32_t g_previousFrameTime = 0;

unsigned long g_randomState = 1;

}  // namespace

void UpdateFps(KWindow* window, int* fps, bool showInTitle, int min, int max) {
  if (g_fpsFirstCall) {
    g_fpsSampleTime = KMiscTools::GetMilliseconds();
    g_fpsFirstCall = false;
  }
  ++g_fpsFrames;
  if (KMiscTools::GetMilliseconds() - g_fpsSampleTime < 1000) return;
  *fps = g_fpsFrames;
  g_fpsSampleTime = KMiscTools::GetMilliseconds();
  if (*fps < min) *fps = min;
  if (*fps > max) *fps = max;
  if (showInTitle && window) {
    char title[32];
    std::snprintf(title, sizeof title, " %d FPS", *fps);
    window->SetTitle(title);
  }
  g_fpsFrames = 0;
}

uint32_t UpdateFrameTime(KWindow* window, bool showInTitle) {
  uint32_t now = KMiscTools::GetMilliseconds();
  uint32_t elapsed = now - g_previousFrameTime;
  g_smoothedFrameTime = static_cast<uint32_t>((elapsed + 2.0 * g_smoothedFrameTime) / 3.0);
  g_previousFrameTime = now;
  if (showInTitle && window) {
    char title[32];
    std::snprintf(title, sizeof title, "FT %u", g_smoothedFrameTime);
    window->SetTitle(title);
  }
  return g_smoothedFrameTime;
}

void BeginFrameOver(KWindow* window, KGraphic* background) {
  if (background && background->GetWidth() > 0) {
    window->SetDefaultWorldView();
  } else {
    window->SetWorldView(0, 0, 0, 1.0f, true);
  }
}

// The classic linear congruential generator with 15-bit results, the same on every system.
void SeedRandom(unsigned int seed) {
  g_randomState = seed;
}

int Random15() {
  g_randomState = (g_randomState * 1103515245ul + 12345ul) & 0xFFFFFFFFul;
  return static_cast<int>((g_randomState / 65536) % 32768);
}

int RandomRange(int base, int range) {
  // Wide enough for any range: an int product would overflow beyond 65536.
  int64_t product = int64_t{Random15()} * range;
  return base + static_cast<int>(static_cast<double>(product) / 32768.0);
}

bool FileExists(const char* path) {
  const char* reason = nullptr;
  FILE* file = platform::OpenRegularFile(KMiscTools::MakeFilePath(path), &reason);
  if (!file) {
    platform::NoteLoadFailure(reason);
    return false;
  }
  std::fclose(file);
  return true;
}

bool ArrayContains(const int* values, int value, int count) {
  for (int i = 0; i < count; ++i)
    if (values[i] == value) return true;
  return false;
}
