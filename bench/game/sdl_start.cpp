// A bare SDL program, for the start comparison of game_bench: it starts SDL's video, opens a
// window with a renderer (the OpenGL driver, batched), loads pictures with stb_image into
// textures, draws each once and presents the frame, and prints how long each phase took
// (phase_log.h).
//
//   sdl_start_bench STARTED_AT PICTURE...     (pictures relative to the program's folder)
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#include <SDL.h>
#include <stb/stb_image.h>

#include <string>
#include <vector>

#include "phase_log.h"

namespace {

SDL_Texture* LoadTexture(SDL_Renderer* renderer, const std::string& path) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
  if (!pixels) return nullptr;
  SDL_Texture* texture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, width, height);
  if (texture) SDL_UpdateTexture(texture, nullptr, pixels, width * 4);
  stbi_image_free(pixels);
  return texture;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: sdl_start_bench STARTED_AT PICTURE...\n");
    return 2;
  }
  PhaseLog log(argv[1]);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  log.End("SDL and audio start");
  SDL_Window* window = SDL_CreateWindow("SDL start", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        800, 600, SDL_WINDOW_SHOWN);
  if (!window) return 1;
  log.End("window");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer) return 1;
  log.End("device and context");
  char* base = SDL_GetBasePath();
  std::string folder = base ? base : "";
  SDL_free(base);
  std::vector<SDL_Texture*> textures;
  for (int i = 2; i < argc; ++i) {
    SDL_Texture* texture = LoadTexture(renderer, folder + argv[i]);
    if (!texture) return 1;
    textures.push_back(texture);
  }
  log.End("pictures");
  SDL_RenderClear(renderer);
  for (SDL_Texture* texture : textures) SDL_RenderCopy(renderer, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer);
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
  log.End("first frame");
  for (SDL_Texture* texture : textures) SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  // SDL is not shut down: that would unload the OpenGL driver, and what the driver keeps for the
  // process could no longer be told apart from a leak.
  return 0;
}
