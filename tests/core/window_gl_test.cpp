// The checks of the OpenGL driver's strings and of the swap interval.
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "GLDriverStrings.h"
#include "SwapInterval.h"

namespace {

TEST(GLDriverStringsTest, ExtensionsAndTheGenericDriverAreFoundInTheStrings) {
  const std::tuple<const char*, bool, bool> lists[] = {
      {nullptr, false, false},
      {"GL_ARB_texture_rectangle GL_EXT_swap_contro", false, false},
      {"GL_EXT_texture_rectangle", false, true},
      {"GL_ARB_multitexture GL_NV_texture_rectangle", false, true},
      {"WGL_EXT_swap_control GL_ARB_multitexture", true, false},
  };
  for (auto [extensions, swapControl, rectangles] : lists) {
    EXPECT_EQ(GLDriverStrings::ListsSwapControl(extensions), swapControl) << extensions;
    EXPECT_EQ(GLDriverStrings::ListsTextureRectangles(extensions), rectangles) << extensions;
  }
  const std::tuple<const char*, const char*, bool> drivers[] = {
      {"MICROSOFT Corporation", "x", true}, {nullptr, "gdi GENERIC", true},
      {"Mesa/X.org", "llvmpipe", false},    {nullptr, nullptr, false},
      {"Microsoft", "Generic", false},
  };
  for (auto [vendor, renderer, generic] : drivers)
    EXPECT_EQ(GLDriverStrings::IsGenericDriver(vendor, renderer), generic) << renderer;
}

std::vector<int> g_asked;

BOOL WINAPI RecordInterval(int interval) {
  g_asked.push_back(interval);
  return interval == 0;
}

TEST(SwapIntervalTest, TheDriverIsAskedOnlyWhenTheWantedIntervalChanges) {
  SwapInterval interval;
  interval.Apply();  // no entry point: nothing to ask
  interval.SetSetter(RecordInterval);
  for (int wanted : {1, 1, 0, 0, 1}) {
    interval.Want(wanted);
    interval.Apply();
    interval.Apply();
  }
  EXPECT_EQ(g_asked, (std::vector<int>{1, 0, 1})) << "a refused interval is not asked again";
  interval.SetSetter(RecordInterval);
  interval.Apply();
  EXPECT_EQ(g_asked, (std::vector<int>{1, 0, 1, 1})) << "asked again of a new context";
}

}  // namespace
