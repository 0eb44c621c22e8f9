#include "sdl_replay.h"

#include <cstdio>

#include "platform/direct3d.h"

namespace {

SDL_BlendFactor BlendFactorOf(uint32_t factor) {
  switch (factor) {
    case D3DBLEND_ZERO:
      return SDL_BLENDFACTOR_ZERO;
    case D3DBLEND_ONE:
      return SDL_BLENDFACTOR_ONE;
    case D3DBLEND_SRCCOLOR:
      return SDL_BLENDFACTOR_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
      return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
      return SDL_BLENDFACTOR_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
      return SDL_BLENDFACTOR_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
      return SDL_BLENDFACTOR_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
      return SDL_BLENDFACTOR_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
      return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
    default:
      return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
  }
}

SDL_BlendMode BlendModeOf(const Blending& blending) {
  if (!blending.on) return SDL_BLENDMODE_NONE;
  if (blending.source == D3DBLEND_SRCALPHA && blending.destination == D3DBLEND_INVSRCALPHA)
    return SDL_BLENDMODE_BLEND;
  SDL_BlendFactor source = BlendFactorOf(blending.source);
  SDL_BlendFactor destination = BlendFactorOf(blending.destination);
  return SDL_ComposeCustomBlendMode(source, destination, SDL_BLENDOPERATION_ADD, source,
                                    destination, SDL_BLENDOPERATION_ADD);
}

}  // namespace

SdlReplay::~SdlReplay() {
  for (SDL_Texture* texture : textures_) SDL_DestroyTexture(texture);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

bool SdlReplay::Open(const RecordedFrames& recorded, int width, int height) {
  recorded_ = &recorded;
  // A renderer asked for by name draws each call at once unless batching is asked for too; a
  // program that takes the default driver gets it batched.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  window_ = SDL_CreateWindow("SDL renderer", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                             height, SDL_WINDOW_HIDDEN);
  renderer_ = window_ ? SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED) : nullptr;
  if (!renderer_) {
    std::fprintf(stderr, "no SDL renderer: %s\n", SDL_GetError());
    return false;
  }
  for (const TextureCopy& copy : recorded.textures) {
    SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, copy.width, copy.height);
    if (!texture || SDL_UpdateTexture(texture, nullptr, copy.texels.data(), copy.width * 4) != 0) {
      std::fprintf(stderr, "no SDL texture: %s\n", SDL_GetError());
      return false;
    }
    textures_.push_back(texture);
  }
  return true;
}

void SdlReplay::Draw(const SpriteDraw& draw) {
  SDL_Texture* texture = textures_[size_t(draw.texture)];
  SDL_SetTextureColorMod(texture, draw.red, draw.green, draw.blue);
  SDL_SetTextureAlphaMod(texture, draw.alpha);
  SDL_SetTextureBlendMode(texture, BlendModeOf(draw.blending));
  SDL_SetTextureScaleMode(texture, draw.linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  SDL_Rect source{draw.sourceX, draw.sourceY, draw.sourceW, draw.sourceH};
  SDL_FRect destination{draw.x, draw.y, draw.w, draw.h};
  int flip = (draw.flipX ? SDL_FLIP_HORIZONTAL : 0) | (draw.flipY ? SDL_FLIP_VERTICAL : 0);
  if (draw.angle == 0 && flip == 0) {
    SDL_RenderCopyF(renderer_, texture, &source, &destination);
  } else {
    SDL_RenderCopyExF(renderer_, texture, &source, &destination, draw.angle, nullptr,
                      SDL_RendererFlip(flip));
  }
}

void SdlReplay::FinishAndEnter(PartClock* clock, FramePart part) {
  SDL_RenderFlush(renderer_);
  FinishGpuWork();
  clock->Enter(part);
}

double SdlReplay::DrawFrame(size_t frame, PartClock* clock) {
  Clock::time_point start = Clock::now();
  for (const SpriteDraw& draw : recorded_->frames[frame]) {
    if (clock && draw.part != clock->Part()) FinishAndEnter(clock, draw.part);
    Draw(draw);
  }
  if (clock) FinishAndEnter(clock, FramePart::kFlipAndPresent);
  SDL_RenderPresent(renderer_);
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
  if (clock) clock->EndFrame(true);
  return Milliseconds(Clock::now() - start);
}

std::vector<double> SdlReplay::Play(PartClock* clock) {
  Show();
  std::vector<double> times;
  for (size_t frame = 0; frame < recorded_->frames.size(); ++frame)
    times.push_back(DrawFrame(frame, clock));
  return times;
}
