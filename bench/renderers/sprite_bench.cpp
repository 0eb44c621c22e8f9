// Draws the same scenes, N turned, zoomed, blended sprites from one sprite sheet at 800 x 600,
// through KGraphic on the DirectX renderer, through KGraphic on the OpenGL renderer and through
// SDL's own renderer (OpenGL driver), and prints sprites per second for each and the ratios of
// the two renderers to SDL's.
//
//   sprite_bench [seconds] [rounds]     (defaults 1 and 3)
//
// Scenes: 100, 1000 and 4000 sprites of 32 to 96 pixels, and 4000 tiny sprites of 4 to 12 pixels,
// where the cost per sprite rather than per pixel shows. Each scene runs for about the given
// seconds per side and round; the sides take turns for the given number of rounds, and each
// one's best round counts, so that other work on a shared machine weighs less.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "KFactory.h"
#include "KGraphic.h"
#include "PictureSettings.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kSheetSide = 256;
constexpr int kSpriteSide = 64;
constexpr int kSpritesPerRow = kSheetSide / kSpriteSide;
constexpr float kAlpha = 0.8f;

// Sixteen round sprites of different colours with soft edges.
std::vector<uint32_t> MakeSheet() {
  std::vector<uint32_t> sheet(size_t(kSheetSide) * kSheetSide);
  for (int y = 0; y < kSheetSide; ++y) {
    for (int x = 0; x < kSheetSide; ++x) {
      int index = (y / kSpriteSide) * kSpritesPerRow + x / kSpriteSide;
      float dx = float(x % kSpriteSide) - 31.5f, dy = float(y % kSpriteSide) - 31.5f;
      float edge = 32.0f - std::sqrt(dx * dx + dy * dy);
      uint8_t alpha = uint8_t(edge <= 0 ? 0 : edge >= 4 ? 255 : edge * 63);
      sheet[size_t(y) * kSheetSide + x] =
          PackPixel(uint8_t(index * 16), uint8_t(255 - index * 12), uint8_t(x ^ y), alpha);
    }
  }
  return sheet;
}

struct Sprite {
  float x, y, angle, spin, zoom;
  int index;
};

struct Scene {
  const char* name;
  std::vector<Sprite> sprites;
};

// Sprites at zoom 0.5 to 1.5 times scale, spread over the screen.
Scene MakeScene(const char* name, int count, float scale) {
  Scene scene{name, {}};
  uint32_t seed = 12345;
  auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return int((seed >> 8) % uint32_t(range));
  };
  for (int i = 0; i < count; ++i) {
    scene.sprites.push_back({float(next(kScreenWidth - kSpriteSide)),
                             float(next(kScreenHeight - kSpriteSide)), float(next(360)),
                             float(next(7) - 3), (0.5f + float(next(100)) / 100.0f) * scale,
                             next(16)});
  }
  return scene;
}

using Clock = std::chrono::steady_clock;

// Frames drawn before the clock starts, on every side: the first frames build the rasteriser's
// shaders and buffers, which a longer run would not notice.
constexpr int kWarmUpFrames = 10;

// Draws frames until the time is up; returns sprites per second. drawFrame(frame) draws and
// presents one frame.
template <typename DrawFrame>
double Measure(int sprites, double seconds, DrawFrame drawFrame) {
  for (int frame = -kWarmUpFrames; frame < 0; ++frame) drawFrame(frame);
  Clock::time_point start = Clock::now();
  int frames = 0;
  double elapsed = 0;
  do {
    drawFrame(frames++);
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < seconds);
  return double(sprites) * frames / elapsed;
}

double RunKGraphic(int rendererFlag, const Scene& scene, double seconds,
                   std::vector<uint32_t>& sheet) {
  KWindow* window = KFactory::CreateWindowObject(rendererFlag, false);
  if (!window || !window->CreateGameWindow(kScreenWidth, kScreenHeight, 32, true, "KGraphic")) {
    std::fprintf(stderr, "no window for renderer %d\n", rendererFlag);
    delete window;
    return 0;
  }
  KGraphic* picture = KFactory::CreateGraphic();
  picture->MakePictureFromArray(sheet.data(), kSheetSide, kSheetSide, true);
  double rate = Measure(int(scene.sprites.size()), seconds, [&](int frame) {
    window->SetWorldView(0, 0, 0, 1, true);
    for (const Sprite& s : scene.sprites) {
      float sx = float(s.index % kSpritesPerRow * kSpriteSide);
      float sy = float(s.index / kSpritesPerRow * kSpriteSide);
      picture->BlitAlphaRectFxF(sx, sy, sx + kSpriteSide, sy + kSpriteSide, s.x, s.y,
                                s.angle + s.spin * float(frame), s.zoom, kAlpha, false, false, 0,
                                0);
    }
    window->FlipBackBuffer(false, false);
  });
  delete picture;
  delete window;
  return rate;
}

double RunSdlRenderer(const Scene& scene, double seconds, std::vector<uint32_t>& sheet) {
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_Window* window = SDL_CreateWindow("SDL renderer", SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, kScreenWidth, kScreenHeight, 0);
  SDL_Renderer* renderer =
      window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
  if (!renderer) {
    std::fprintf(stderr, "no SDL renderer: %s\n", SDL_GetError());
    if (window) SDL_DestroyWindow(window);
    return 0;
  }
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32,
                                           SDL_TEXTUREACCESS_STATIC, kSheetSide, kSheetSide);
  SDL_UpdateTexture(texture, nullptr, sheet.data(), kSheetSide * 4);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureAlphaMod(texture, Uint8(kAlpha * 255));
  double rate = Measure(int(scene.sprites.size()), seconds, [&](int frame) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    for (const Sprite& s : scene.sprites) {
      SDL_Rect source{s.index % kSpritesPerRow * kSpriteSide,
                      s.index / kSpritesPerRow * kSpriteSide, kSpriteSide, kSpriteSide};
      float side = kSpriteSide * s.zoom, offset = (kSpriteSide - side) / 2;
      SDL_FRect destination{s.x + offset, s.y + offset, side, side};
      SDL_RenderCopyExF(renderer, texture, &source, &destination,
                        -(s.angle + s.spin * float(frame)), nullptr, SDL_FLIP_NONE);
    }
    SDL_RenderPresent(renderer);
    // Each frame handles the window's events, as FlipBackBuffer does on the other sides.
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
  });
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  return rate;
}

double Ratio(double ours, double theirs) {
  return theirs > 0 ? ours / theirs : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
  int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  if (!(seconds > 0) || rounds < 1) {
    std::fprintf(stderr, "usage: sprite_bench [seconds] [rounds]\n");
    return 2;
  }
  // Every side draws as fast as it can: the display's refresh does not pace them.
  setenv("vblank_mode", "0", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "no video: %s\n", SDL_GetError());
    return 1;
  }
  std::vector<uint32_t> sheet = MakeSheet();
  const Scene scenes[] = {MakeScene("100 sprites", 100, 1), MakeScene("1000 sprites", 1000, 1),
                          MakeScene("4000 sprites", 4000, 1),
                          MakeScene("4000 tiny sprites", 4000, 1.0f / 8)};
  std::printf("sprites per second, best of %d rounds of %.1f s per side\n", rounds, seconds);
  std::printf("%-18s %12s %12s %12s %9s %9s\n", "scene", "DirectX", "OpenGL", "SDL", "DX/SDL",
              "GL/SDL");
  bool measured = true;
  for (const Scene& scene : scenes) {
    double directX = 0, openGL = 0, sdl = 0;
    for (int round = 0; round < rounds; ++round) {
      directX = std::max(directX, RunKGraphic(0, scene, seconds, sheet));
      openGL = std::max(openGL, RunKGraphic(1, scene, seconds, sheet));
      sdl = std::max(sdl, RunSdlRenderer(scene, seconds, sheet));
    }
    std::printf("%-18s %12.0f %12.0f %12.0f %9.2f %9.2f\n", scene.name, directX, openGL, sdl,
                Ratio(directX, sdl), Ratio(openGL, sdl));
    std::fflush(stdout);
    measured = measured && directX > 0 && openGL > 0 && sdl > 0;
  }
  return measured ? 0 : 1;
}
