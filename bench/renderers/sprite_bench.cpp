// Draws the same scenes, N turned, zoomed, blended sprites from one sprite sheet at 800 x 600,
// through KGraphic on the DirectX renderer, through KGraphic on the OpenGL renderer and through
// SDL's own renderer (OpenGL driver), and prints the time a frame takes on each side and the
// ratios of SDL's time to the two renderers' (above 1: faster than SDL's renderer).
//
//   sprite_bench [seconds] [rounds]     (defaults 1 and 3)
//
// Scenes: 1, 100, 1000 and 4000 sprites of 32 to 96 pixels, and 4000 tiny sprites of 4 to 12
// pixels, where the cost per sprite rather than per pixel shows. The line fitted through the
// times at 1, 100 and 1000 sprites gives each side's fixed cost of a frame: its time at no sprites,
// what clearing, presenting and handling the window's events take. Each scene runs for about the
// given seconds per side and round; the sides take turns for the given number of rounds, and
// each one's best round counts, so that other work on a shared machine weighs less.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
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

// The time of a side that could not draw: never the best round.
constexpr double kNotMeasured = std::numeric_limits<double>::infinity();

// Frames drawn before the clock starts, on every side: the first frames build the rasteriser's
// shaders and buffers, which a longer run would not notice.
constexpr int kWarmUpFrames = 10;

// Draws frames until the time is up; returns milliseconds per frame. drawFrame(frame) draws and
// presents one frame.
template <typename DrawFrame>
double Measure(double seconds, DrawFrame drawFrame) {
  for (int frame = -kWarmUpFrames; frame < 0; ++frame) drawFrame(frame);
  Clock::time_point start = Clock::now();
  int frames = 0;
  double elapsed = 0;
  do {
    drawFrame(frames++);
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < seconds);
  return elapsed * 1000.0 / frames;
}

double RunKGraphic(int rendererFlag, const Scene& scene, double seconds,
                   std::vector<uint32_t>& sheet) {
  KWindow* window = KFactory::CreateWindowObject(rendererFlag, false);
  if (!window || !window->CreateGameWindow(kScreenWidth, kScreenHeight, 32, true, "KGraphic")) {
    std::fprintf(stderr, "no window for renderer %d\n", rendererFlag);
    delete window;
    return kNotMeasured;
  }
  KGraphic* picture = KFactory::CreateGraphic();
  picture->MakePictureFromArray(sheet.data(), kSheetSide, kSheetSide, true);
  double time = Measure(seconds, [&](int frame) {
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
  return time;
}

double RunSdlRenderer(const Scene& scene, double seconds, std::vector<uint32_t>& sheet) {
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  // A renderer asked for by name draws each call at once unless batching is asked for too; a
  // program that takes the default driver gets it batched.
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_Window* window = SDL_CreateWindow("SDL renderer", SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, kScreenWidth, kScreenHeight, 0);
  SDL_Renderer* renderer =
      window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
  if (!renderer) {
    std::fprintf(stderr, "no SDL renderer: %s\n", SDL_GetError());
    if (window) SDL_DestroyWindow(window);
    return kNotMeasured;
  }
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32,
                                           SDL_TEXTUREACCESS_STATIC, kSheetSide, kSheetSide);
  SDL_UpdateTexture(texture, nullptr, sheet.data(), kSheetSide * 4);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureAlphaMod(texture, Uint8(kAlpha * 255));
  double time = Measure(seconds, [&](int frame) {
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
  return time;
}

// How many times faster than SDL's renderer a side is: SDL's time over the side's.
double Ratio(double side, double sdl) {
  return side > 0 && side < kNotMeasured ? sdl / side : 0.0;
}

// The time at no sprites of the line fitted by least squares through (sprites, time) points.
double FixedCost(const std::vector<std::pair<int, double>>& points) {
  double n = double(points.size()), sumX = 0, sumY = 0, sumXX = 0, sumXY = 0;
  for (auto [sprites, time] : points) {
    sumX += sprites;
    sumY += time;
    sumXX += double(sprites) * sprites;
    sumXY += sprites * time;
  }
  double slope = (n * sumXY - sumX * sumY) / (n * sumXX - sumX * sumX);
  return (sumY - slope * sumX) / n;
}

// One side's times per frame, in the order of the scenes.
struct SideTimes {
  const char* name;
  std::vector<double> times;
};

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
  const Scene scenes[] = {MakeScene("1 sprite", 1, 1), MakeScene("100 sprites", 100, 1),
                          MakeScene("1000 sprites", 1000, 1), MakeScene("4000 sprites", 4000, 1),
                          MakeScene("4000 tiny sprites", 4000, 1.0f / 8)};
  // The scenes the fixed cost is fitted through.
  constexpr size_t kFittedScenes = 3;
  std::printf("milliseconds per frame, best of %d rounds of %.1f s per side\n", rounds, seconds);
  std::printf("%-18s %9s %9s %9s %9s %9s\n", "scene", "DirectX", "OpenGL", "SDL", "SDL/DX",
              "SDL/GL");
  SideTimes directX{"DirectX", {}}, openGL{"OpenGL", {}}, sdl{"SDL", {}};
  bool measured = true;
  for (const Scene& scene : scenes) {
    double dx = kNotMeasured, gl = kNotMeasured, peer = kNotMeasured;
    for (int round = 0; round < rounds; ++round) {
      dx = std::min(dx, RunKGraphic(0, scene, seconds, sheet));
      gl = std::min(gl, RunKGraphic(1, scene, seconds, sheet));
      peer = std::min(peer, RunSdlRenderer(scene, seconds, sheet));
    }
    std::printf("%-18s %9.3f %9.3f %9.3f %9.2f %9.2f\n", scene.name, dx, gl, peer, Ratio(dx, peer),
                Ratio(gl, peer));
    std::fflush(stdout);
    directX.times.push_back(dx);
    openGL.times.push_back(gl);
    sdl.times.push_back(peer);
    measured = measured && dx < kNotMeasured && gl < kNotMeasured && peer < kNotMeasured;
  }
  if (!measured) return 1;
  std::printf("fixed cost of a frame (the line through %zu scenes at no sprites):\n",
              kFittedScenes);
  double sdlFixed = 0;
  for (const SideTimes* side : {&sdl, &directX, &openGL}) {
    std::vector<std::pair<int, double>> points;
    for (size_t i = 0; i < kFittedScenes; ++i) {
      points.emplace_back(int(scenes[i].sprites.size()), side->times[i]);
    }
    double fixed = FixedCost(points);
    if (side == &sdl) sdlFixed = fixed;
    std::printf("  %-8s %7.3f ms", side->name, fixed);
    if (side != &sdl) std::printf("   SDL/%s %.2f", side->name, Ratio(fixed, sdlFixed));
    std::printf("\n");
  }
  return 0;
}
