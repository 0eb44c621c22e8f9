// Draws the same scene, N turned, zoomed, blended sprites from one sprite sheet at 800 x 600,
// through KGraphic on the DirectX renderer and through SDL's own renderer (OpenGL driver), and
// prints sprites per second for both and their ratio.
//
//   sprite_bench [sprites] [frames] [rounds]     (defaults 4000, 200 and 3)
//
// The two take turns for the given number of rounds, and each one's best round counts, so that
// other work on a shared machine weighs less.
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

std::vector<Sprite> MakeScene(int count) {
  std::vector<Sprite> sprites;
  uint32_t seed = 12345;
  auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return int((seed >> 8) % uint32_t(range));
  };
  for (int i = 0; i < count; ++i) {
    sprites.push_back({float(next(kScreenWidth - kSpriteSide)),
                       float(next(kScreenHeight - kSpriteSide)), float(next(360)),
                       float(next(7) - 3), 0.5f + float(next(100)) / 100.0f, next(16)});
  }
  return sprites;
}

using Clock = std::chrono::steady_clock;

// Frames drawn before the clock starts, on both sides: the first frames build the rasteriser's
// shaders and buffers, which a longer run would not notice.
constexpr int kWarmUpFrames = 10;

double SpritesPerSecond(int sprites, int frames, Clock::time_point start) {
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return seconds > 0 ? double(sprites) * frames / seconds : 0;
}

double RunKGraphic(const std::vector<Sprite>& scene, int frames, std::vector<uint32_t>& sheet) {
  KWindow* window = KFactory::CreateWindowObject(0, false);
  if (!window || !window->CreateGameWindow(kScreenWidth, kScreenHeight, 32, true, "KGraphic")) {
    std::fprintf(stderr, "no DirectX window\n");
    delete window;
    return 0;
  }
  KGraphic* picture = KFactory::CreateGraphic();
  picture->MakePictureFromArray(sheet.data(), kSheetSide, kSheetSide, true);
  Clock::time_point start;
  for (int frame = -kWarmUpFrames; frame < frames; ++frame) {
    if (frame == 0) start = Clock::now();
    window->SetWorldView(0, 0, 0, 1, true);
    for (const Sprite& s : scene) {
      float sx = float(s.index % kSpritesPerRow * kSpriteSide);
      float sy = float(s.index / kSpritesPerRow * kSpriteSide);
      picture->BlitAlphaRectFxF(sx, sy, sx + kSpriteSide, sy + kSpriteSide, s.x, s.y,
                                s.angle + s.spin * frame, s.zoom, kAlpha, false, false, 0, 0);
    }
    window->FlipBackBuffer(false, false);
  }
  double rate = SpritesPerSecond(int(scene.size()), frames, start);
  delete picture;
  delete window;
  return rate;
}

double RunSdlRenderer(const std::vector<Sprite>& scene, int frames, std::vector<uint32_t>& sheet) {
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
  Clock::time_point start;
  for (int frame = -kWarmUpFrames; frame < frames; ++frame) {
    if (frame == 0) start = Clock::now();
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    for (const Sprite& s : scene) {
      SDL_Rect source{s.index % kSpritesPerRow * kSpriteSide,
                      s.index / kSpritesPerRow * kSpriteSide, kSpriteSide, kSpriteSide};
      float side = kSpriteSide * s.zoom, offset = (kSpriteSide - side) / 2;
      SDL_FRect destination{s.x + offset, s.y + offset, side, side};
      SDL_RenderCopyExF(renderer, texture, &source, &destination, -(s.angle + s.spin * frame),
                        nullptr, SDL_FLIP_NONE);
    }
    SDL_RenderPresent(renderer);
    // Each frame handles the window's events, as FlipBackBuffer does on the other side.
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
  }
  double rate = SpritesPerSecond(int(scene.size()), frames, start);
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  return rate;
}

}  // namespace

int main(int argc, char** argv) {
  int sprites = argc > 1 ? std::atoi(argv[1]) : 4000;
  int frames = argc > 2 ? std::atoi(argv[2]) : 200;
  int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
  if (sprites < 1 || frames < 1 || rounds < 1) {
    std::fprintf(stderr, "usage: sprite_bench [sprites] [frames] [rounds]\n");
    return 2;
  }
  // Both sides draw as fast as they can: the display's refresh does not pace them.
  setenv("vblank_mode", "0", 0);
  std::vector<uint32_t> sheet = MakeSheet();
  std::vector<Sprite> scene = MakeScene(sprites);
  double ours = 0, theirs = 0;
  for (int round = 0; round < rounds; ++round) {
    ours = std::max(ours, RunKGraphic(scene, frames, sheet));
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      std::fprintf(stderr, "no video: %s\n", SDL_GetError());
      return 1;
    }
    theirs = std::max(theirs, RunSdlRenderer(scene, frames, sheet));
  }
  std::printf("%d sprites, %d frames, best of %d rounds\n", sprites, frames, rounds);
  std::printf("KGraphic (DirectX renderer): %.0f sprites/s\n", ours);
  std::printf("SDL_RenderCopyEx (opengl):   %.0f sprites/s\n", theirs);
  std::printf("ratio: %.2f\n", theirs > 0 ? ours / theirs : 0.0);
  return ours > 0 && theirs > 0 ? 0 : 1;
}
