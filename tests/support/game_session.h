// Whole games played by a scripted player. The game runs in a real DirectX game window on the
// headless display, with scripted input, the manual clock and the manual sound output, from a
// temporary program folder that holds the level files and plain pictures: a background colour for
// each screen and a sprite sheet with one colour for each kind of sprite. The player acts once a
// frame, at the flip's look for messages, and sees what was presented as a person would:
// which screen is showing, the life icons, the ball crossing a line above the paddle.
// Include this header from one source file of a test program.
#pragma once

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "DXPictureDevice.h"
#include "GameTools.h"
#include "GlobalResources.h"
#include "KFactory.h"
#include "KMiscTools.h"
#include "KWindow.h"
#include "Screens.h"
#include "platform/clock.h"
#include "platform/directdraw.h"
#include "platform/directsound.h"
#include "platform/input_seams.h"
#include "platform/process.h"
#include "platform/win32.h"
#include "temp_folder.h"

// SDL's video opens the desktop bus, whose library keeps blocks to the end of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}

struct GameColour {
  int red, green, blue;
};

// The colours of the data the session writes.
inline constexpr GameColour kMenuColour{200, 0, 0};
inline constexpr GameColour kFinishColour{0, 200, 0};
inline constexpr GameColour kGameOverColour{0, 0, 200};
inline constexpr GameColour kLevelColour{90, 90, 90};
inline constexpr GameColour kBallColour{255, 255, 0};  // the ball and the life icons
inline constexpr GameColour kPaddleColour{240, 240, 240};
inline constexpr GameColour kGiftColour{255, 128, 0};
inline constexpr GameColour kSnowballColour{0, 255, 255};
inline constexpr GameColour kChimneyColour{255, 0, 255};

inline bool Near(GameColour a, GameColour b, int tolerance = 40) {
  return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.blue - b.blue) <= tolerance;
}

// A level file with the given attributes of its level element and the given objects.
inline std::string LevelFile(const std::string& attributes, const std::string& objects) {
  return "<?xml version=\"1.0\"?>\n<level name=\"test\" descr=\"level\" " + attributes + ">" +
         objects + "</level>\n";
}

inline std::string Object(int x, int y, int type, int state = 0) {
  return "<object x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" type=\"" +
         std::to_string(type) + "\" state=\"" + std::to_string(state) + "\"/>";
}

class GameSession : public testing::Test {
 public:
  enum class Screen { kUnknown, kMenu, kLevel, kFinish, kGameOver };

 protected:
  // The row on which the player watches for the ball: above the ball riding on the paddle.
  static constexpr int kWatchRow = 500;

  void SetUp() override {
    platform::UseHeadlessDisplay();
    platform::UseScriptedInput(true);
    // Every reading of the clock moves it on, so that the frame limiter's wait ends at once.
    platform::UseManualClock(1'000'000, 1'000);
    platform::SetAudioOutput(platform::AudioOutput::kManual);
    WriteData();
    std::string module = folder_.File("tundrel");
    platform::SetModulePathOverride(module.c_str());
    KMiscTools::InitAppFolder();
    platform::SetInputPumpHook([this] { OnFrame(); });
  }

  void TearDown() override {
    platform::SetInputPumpHook(nullptr);
    // As at the program's exit: the shared pictures and sounds go after the window.
    delete g_window;
    g_window = nullptr;
    g_resources.ClearImages();
    g_resources.ClearSounds();
    platform::SetModulePathOverride(nullptr);
    KMiscTools::InitAppFolder();
    platform::UseScriptedInput(true);
    platform::UseRealClock();
  }

  // The program's start without its state machine: the window and the shared resources.
  void OpenGameWindow() {
    g_window = KFactory::CreateWindowObject(0, false);
    ASSERT_NE(g_window, nullptr);
    g_window->SetMaxFrameRate(60);
    ASSERT_TRUE(g_window->CreateGameWindow(800, 600, 32, true, "Tundrel"));
    SeedRandom(1);
    LoadGlobalResources();
  }

  void WriteLevel(int number, const std::string& content) {
    folder_.Write("levels/" + std::to_string(number) + ".xml", content);
  }

  // What the player does each frame, after the frame was presented.
  void Play(std::function<void()> player) { player_ = std::move(player); }

  // --- what the player sees ---

  // A pixel of the back buffer as the flip left it; (-1, -1, -1) when it cannot be read.
  GameColour Pixel(int x, int y) {
    if (!dc_) return {-1, -1, -1};
    COLORREF c = GetPixel(dc_, x, y);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
  }

  // The background that shows at two of three spots by the bottom edge, where nothing else is
  // drawn but a passing ball or object.
  Screen Look() {
    const GameColour spots[] = {Pixel(5, 597), Pixel(400, 597), Pixel(795, 597)};
    const std::pair<Screen, GameColour> screens[] = {{Screen::kMenu, kMenuColour},
                                                     {Screen::kLevel, kLevelColour},
                                                     {Screen::kFinish, kFinishColour},
                                                     {Screen::kGameOver, kGameOverColour}};
    for (const auto& [screen, colour] : screens) {
      int matches = 0;
      for (const GameColour& spot : spots) matches += Near(spot, colour) ? 1 : 0;
      if (matches >= 2) return screen;
    }
    return Screen::kUnknown;
  }

  // Life icons: 30 pixels wide, 20 apart from (710, -10) on.
  int LivesShown() {
    int lives = 0;
    while (lives < 10 && Near(Pixel(738 + 20 * lives, 15), kBallColour, 60)) ++lives;
    return lives;
  }

  // The centre x of the ball where it crosses the watch row, or -1.
  int BallOnWatchRow() {
    int first = -1, last = -1;
    for (int x = 0; x < 800; x += 2) {
      if (Near(Pixel(x, kWatchRow), kBallColour, 60)) {
        if (first < 0) first = x;
        last = x;
      }
    }
    return first < 0 ? -1 : (first + last) / 2;
  }

  // --- what the player does ---

  // Moves the cursor to a point of the window's client area.
  void MoveCursor(int x, int y) {
    POINT point{x, y};
    ClientToScreen(g_window->GetWindowHandle(), &point);
    platform::ScriptCursor(point.x, point.y);
  }
  void Button(bool down) { platform::ScriptMouseButton(VK_LBUTTON, down); }
  void Key(int virtualKey, bool down) { platform::ScriptKey(virtualKey, down); }

  // Presses the button on the given frame of the current screen and lets go on the next.
  void ClickOn(int frameOnScreen) {
    if (framesOnScreen_ == frameOnScreen) Button(true);
    if (framesOnScreen_ == frameOnScreen + 1) Button(false);
  }
  // A click every 20 frames.
  void KeepClicking() {
    if (framesOnScreen_ % 20 == 10) Button(true);
    if (framesOnScreen_ % 20 == 11) Button(false);
  }
  // Keeps the paddle away from a ball coming down: it goes to the far side of the window.
  void AvoidTheBall() {
    int ball = BallOnWatchRow();
    if (ball < 0) return;
    int target = ball < 400 ? 790 : 10;
    if (target != cursorX_) MoveCursor(cursorX_ = target, 300);
  }

  // Asks the window to close once no other message waits, so that the flip of this very frame
  // hands it to the window. True once asked.
  bool CloseWindowNow() {
    MSG waiting;
    if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE)) return false;
    PostMessageA(g_window->GetWindowHandle(), WM_CLOSE, 0, 0);
    closeFrame_ = frame_;
    return true;
  }

  // The screens seen, in order, each time the screen changed; levels by their marker colour.
  std::vector<Screen> seen_;
  Screen screen_ = Screen::kUnknown;
  int framesOnScreen_ = 0;  // frames the current screen has shown, this one included
  int frame_ = 0;           // frames presented so far
  int closeFrame_ = -1;     // the frame whose flip handed the close request to the window
  int frameLimit_ = 5000;
  int cursorX_ = -1;  // a game still running then has gone wrong: the window is closed

 private:
  void OnFrame() {
    if (!g_window) return;
    ++frame_;
    // The frame is read once; the player looks at it through Pixel.
    if (g_dxPictures.backBuffer && g_dxPictures.backBuffer->GetDC(&dc_) != DD_OK) dc_ = nullptr;
    Screen now = Look();
    if (now != screen_) {
      screen_ = now;
      framesOnScreen_ = 0;
      if (now != Screen::kUnknown) seen_.push_back(now);
    }
    ++framesOnScreen_;
    if (frame_ == frameLimit_) {
      ADD_FAILURE() << "the game still runs after " << frameLimit_ << " frames";
      PostMessageA(g_window->GetWindowHandle(), WM_CLOSE, 0, 0);
    }
    if (frame_ < frameLimit_ && player_) player_();
    if (dc_) g_dxPictures.backBuffer->ReleaseDC(dc_);
    dc_ = nullptr;
  }

  // The pictures are made once per build folder and copied into each program folder.
  void WriteData() {
    folder_.MakeFolder("levels");
    const char* pictures[] = {"img/bg/menu.jpg", "img/bg/finish.jpg", "img/bg/gameover.jpg",
                              "img/bg/nivra_hills1.jpg", "img/spr/plasko.png"};
    const GameColour backgrounds[] = {kMenuColour, kFinishColour, kGameOverColour, kLevelColour};
    namespace fs = std::filesystem;
    // Named after the colours, so that pictures of other colours are never taken for these.
    std::string name = "game_session_pictures";
    for (GameColour c : {kMenuColour, kFinishColour, kGameOverColour, kLevelColour, kBallColour,
                         kPaddleColour, kGiftColour, kSnowballColour, kChimneyColour}) {
      name += "_" + std::to_string(c.red << 16 | c.green << 8 | c.blue);
    }
    const fs::path cache = fs::absolute(name);
    for (int i = 0; i < 5; ++i) {
      fs::path made = cache / pictures[i];
      if (!fs::exists(made)) {
        fs::create_directories(made.parent_path());
        // Made under a name of its own, then renamed: tests running side by side never see
        // half a file.
        fs::path part = made;
        part += "." + std::to_string(getpid());
        if (i < 4) {
          WriteBackground(part, backgrounds[i]);
        } else {
          WriteSprites(part);
        }
        fs::rename(part, made);
      }
      fs::path copy = fs::path(folder_.Path()) / pictures[i];
      fs::create_directories(copy.parent_path());
      fs::copy_file(made, copy);
    }
  }

  static void WriteBackground(const std::filesystem::path& path, GameColour colour) {
    const int width = 800, height = 640;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < width * height; ++i) {
      pixels.push_back(static_cast<uint8_t>(colour.red));
      pixels.push_back(static_cast<uint8_t>(colour.green));
      pixels.push_back(static_cast<uint8_t>(colour.blue));
    }
    ASSERT_TRUE(stbi_write_jpg(path.c_str(), width, height, 3, pixels.data(), 95));
  }

  // Transparent, with each sprite's rectangle in its colour.
  static void WriteSprites(const std::filesystem::path& path) {
    const int width = 512, height = 512;
    std::vector<uint8_t> pixels(width * height * 4, 0);
    auto fill = [&](int x1, int y1, int x2, int y2, GameColour colour) {
      for (int y = y1; y < y2; ++y) {
        for (int x = x1; x < x2; ++x) {
          uint8_t* p = &pixels[(y * width + x) * 4];
          p[0] = static_cast<uint8_t>(colour.red);
          p[1] = static_cast<uint8_t>(colour.green);
          p[2] = static_cast<uint8_t>(colour.blue);
          p[3] = 255;
        }
      }
    };
    fill(4, 4, 180, 44, kPaddleColour);
    fill(125, 44, 175, 94, kBallColour);
    fill(50, 147, 452, 293, kGiftColour);
    fill(184, 0, 319, 147, kSnowballColour);
    fill(319, 0, 452, 147, kChimneyColour);
    ASSERT_TRUE(stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4));
  }

  TempFolder folder_;
  std::function<void()> player_;
  HDC dc_ = nullptr;
};

inline void PrintTo(GameSession::Screen screen, std::ostream* out) {
  const char* names[] = {"unknown", "menu", "level", "finish", "game over"};
  *out << names[static_cast<int>(screen)];
}
