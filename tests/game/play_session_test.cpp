// The real game program played as a person would, through the scripted session: real mouse and
// keyboard input reaches it through an X server of its own, so that no other test's window can
// take that input.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "DecodedImage.h"

extern char** environ;

namespace {

std::string GameFolder() {
  std::string binary = TUNDREL_GAME_BINARY;
  return binary.substr(0, binary.rfind('/'));
}

// ending: null for a close request, "--destroy" for the window destroyed from outside.
int RunSession(const char* ending = nullptr) {
  const char* arguments[] = {"xvfb-run",
                             "-a",
                             "-s",
                             "-screen 0 1024x768x24 -nolisten tcp",
                             TUNDREL_PLAY_SESSION,
                             TUNDREL_GAME_BINARY,
                             TUNDREL_CLOSE_WINDOW,
                             ending,
                             nullptr};
  // Nobody sits at that display: the game must not wait for a message box to be answered.
  setenv("TUNDREL_ON_VIRTUAL_DISPLAY", "1", 1);
  pid_t child;
  if (posix_spawnp(&child, arguments[0], nullptr, nullptr, const_cast<char**>(arguments),
                   environ) != 0) {
    return -1;
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The share of the pixels of a region that match the reference within a small tolerance per
// channel (the screenshot passes through the back buffer's 8-bit channels, the reference through
// a JPEG decoder).
double MatchingShare(const DecodedImage& shot, const DecodedImage& reference, int left, int top,
                     int right, int bottom) {
  int matching = 0, total = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x, ++total) {
      uint32_t a = shot.Pixel(x, y), b = reference.Pixel(x, y);
      bool close = true;
      for (int shift = 0; shift < 24; shift += 8) {
        int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        close = close && std::abs(difference) <= 6;
      }
      matching += close;
    }
  }
  return static_cast<double>(matching) / total;
}

}  // namespace

TEST(PlaySession, MenuClickLaunchScreenshotAndCloseOnTheRealGame) {
  ASSERT_EQ(RunSession(), 0) << "the scripted session failed; see its messages above";

  auto shot = LoadImageFile((GameFolder() + "/screenshot1.tga").c_str());
  ASSERT_TRUE(shot);
  ASSERT_EQ(shot->width, 800);
  ASSERT_EQ(shot->height, 600);
  // The level is on the screenshot: its background shows where no object, ball or paddle is.
  auto background = LoadImageFile((GameFolder() + "/img/bg/nivra_hills1.jpg").c_str());
  ASSERT_TRUE(background);
  EXPECT_GT(MatchingShare(*shot, *background, 300, 400, 780, 530), 0.9);
  // And it is not the menu.
  auto menu = LoadImageFile((GameFolder() + "/img/bg/menu.jpg").c_str());
  ASSERT_TRUE(menu);
  EXPECT_LT(MatchingShare(*shot, *menu, 0, 0, 800, 600), 0.5);
}

// Another program destroying the game's X window is the window's end, like a close request: the
// game ends with exit code 0 (Xlib's own answer to the errors that follow would be exit code 1).
TEST(PlaySession, TheWindowDestroyedFromOutsideEndsTheGameCleanly) {
  EXPECT_EQ(RunSession("--destroy"), 0) << "the scripted session failed; see its messages above";
}
