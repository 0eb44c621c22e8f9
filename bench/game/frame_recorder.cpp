#include "frame_recorder.h"

#include <cmath>
#include <cstring>

#include "LevelAttempt.h"
#include "platform/d3dx_math.h"

namespace {

struct ScreenPoint {
  float x, y;
};

// Where the device puts a vertex of the current transforms and viewport, in pixels with pixel
// centres at .5 (Direct3D has them at whole numbers).
class ToScreen {
 public:
  explicit ToScreen(IDirect3DDevice7* device) {
    D3DMATRIX world, view, projection, worldView;
    device->GetTransform(D3DTRANSFORMSTATE_WORLD, &world);
    device->GetTransform(D3DTRANSFORMSTATE_VIEW, &view);
    device->GetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
    D3DXMatrixMultiply(&worldView, &world, &view);
    D3DXMatrixMultiply(&matrix_, &worldView, &projection);
    device->GetViewport(&viewport_);
  }

  ScreenPoint operator()(float x, float y, float z) const {
    const D3DMATRIX& m = matrix_;
    float clipX = x * m._11 + y * m._21 + z * m._31 + m._41;
    float clipY = x * m._12 + y * m._22 + z * m._32 + m._42;
    float clipW = x * m._14 + y * m._24 + z * m._34 + m._44;
    float halfWidth = viewport_.dwWidth * 0.5f, halfHeight = viewport_.dwHeight * 0.5f;
    return {viewport_.dwX + halfWidth * (1 + clipX / clipW) + 0.5f,
            viewport_.dwY + halfHeight * (1 - clipY / clipW) + 0.5f};
  }

 private:
  D3DMATRIX matrix_;
  D3DVIEWPORT7 viewport_;
};

// A copy of a texture of 32-bit texels; empty when it can't be read.
TextureCopy CopyTexture(IDirectDrawSurface7* surface) {
  TextureCopy copy;
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  if (surface->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) != DD_OK) {
    return copy;
  }
  if (description.ddpfPixelFormat.dwRGBBitCount == 32) {
    copy.width = int(description.dwWidth);
    copy.height = int(description.dwHeight);
    copy.texels.resize(size_t(copy.width) * copy.height);
    for (int y = 0; y < copy.height; ++y) {
      std::memcpy(copy.texels.data() + size_t(y) * copy.width,
                  static_cast<const char*>(description.lpSurface) + size_t(y) * description.lPitch,
                  size_t(copy.width) * 4);
    }
  }
  surface->Unlock(nullptr);
  return copy;
}

float Length(ScreenPoint from, ScreenPoint to) {
  return std::hypot(to.x - from.x, to.y - from.y);
}

// A source edge from texture coordinates: the first texel and the count, and whether it runs
// backwards.
void SourceSpan(float first, float last, int side, int* start, int* length, bool* flipped) {
  float a = first * float(side), b = last * float(side);
  *flipped = b < a;
  *start = int(std::lround(std::min(a, b)));
  *length = int(std::lround(std::fabs(b - a)));
}

// A picture's rectangle: a strip of four corners, top-left, top-right, bottom-left,
// bottom-right on the screen, unmirrored and with right angles, or empty. False for anything
// else.
bool PlaceRectangle(const DrawCall& call, const TextureCopy& texture, SpriteDraw* draw) {
  if (call.type != D3DPT_TRIANGLESTRIP || call.count != 4 || call.vertexFormat != D3DFVF_LVERTEX ||
      texture.texels.empty()) {
    return false;
  }
  D3DLVERTEX v[4];
  std::memcpy(v, call.vertices, sizeof v);
  ToScreen toScreen(call.device);
  ScreenPoint p[4];
  for (int i = 0; i < 4; ++i) p[i] = toScreen(v[i].x, v[i].y, v[i].z);
  float acrossX = p[1].x - p[0].x, acrossY = p[1].y - p[0].y;
  float downX = p[2].x - p[0].x, downY = p[2].y - p[0].y;
  float w = Length(p[0], p[1]), h = Length(p[0], p[2]);
  constexpr float kTolerance = 1e-3f;
  bool square = std::fabs(acrossX * downX + acrossY * downY) <= kTolerance * w * h;
  bool unmirrored = acrossX * downY - acrossY * downX > 0;
  // An empty rectangle (a space of the font) covers no pixel but is drawn all the same.
  bool empty = w == 0 || h == 0;
  if (!empty && (!square || !unmirrored)) return false;
  float centreX = (p[0].x + p[3].x) / 2, centreY = (p[0].y + p[3].y) / 2;
  draw->x = centreX - w / 2;
  draw->y = centreY - h / 2;
  draw->w = w;
  draw->h = h;
  draw->angle = empty ? 0.0f : float(std::atan2(acrossY, acrossX) * 180.0 / M_PI);
  SourceSpan(v[0].tu, v[1].tu, texture.width, &draw->sourceX, &draw->sourceW, &draw->flipX);
  SourceSpan(v[0].tv, v[2].tv, texture.height, &draw->sourceY, &draw->sourceH, &draw->flipY);
  D3DCOLOR color = v[0].color;
  draw->alpha = uint8_t(color >> 24);
  draw->red = uint8_t(color >> 16);
  draw->green = uint8_t(color >> 8);
  draw->blue = uint8_t(color);
  return true;
}

DWORD RenderState(IDirect3DDevice7* device, D3DRENDERSTATETYPE state) {
  DWORD value = 0;
  device->GetRenderState(state, &value);
  return value;
}

}  // namespace

const std::array<const char*, kFrameParts> kFramePartNames = {
    "input and update", "background", "objects", "lives and counter", "text", "flip and present"};

FrameRecorder::FrameRecorder(IDirectDrawSurface7* background, IDirectDrawSurface7* spriteSheet)
    : background_(background), spriteSheet_(spriteSheet) {}

void FrameRecorder::OnFlip() {
  recording_.frames.push_back(std::move(frame_));
  frame_.clear();
  objectDraws_ = -1;
  sheetDraws_ = 0;
}

FramePart FrameRecorder::PartOf(IDirectDrawSurface7* texture) {
  if (texture == background_) return FramePart::kBackground;
  if (texture != spriteSheet_) return FramePart::kText;
  if (objectDraws_ < 0) {
    // The objects still in play, then the ball and the paddle.
    objectDraws_ = 2;
    for (int i = 0; attempt_ && i < attempt_->GetBrickCount(); ++i)
      if (attempt_->GetBrick(i)->state != BRICK_GONE) ++objectDraws_;
  }
  return sheetDraws_++ < objectDraws_ ? FramePart::kObjects : FramePart::kLivesAndCounter;
}

int FrameRecorder::TextureIndex(IDirectDrawSurface7* texture) {
  auto known = textureIndices_.find(texture);
  if (known != textureIndices_.end()) return known->second;
  int index = int(recording_.textures.size());
  recording_.textures.push_back(CopyTexture(texture));
  textureIndices_[texture] = index;
  return index;
}

void FrameRecorder::BeforeDraw(const DrawCall& call) {
  SpriteDraw draw;
  draw.texture = call.texture ? TextureIndex(call.texture) : -1;
  if (draw.texture < 0 || !PlaceRectangle(call, recording_.textures[size_t(draw.texture)], &draw)) {
    ++recording_.skippedDraws;
    return;
  }
  draw.blending = {RenderState(call.device, D3DRENDERSTATE_ALPHABLENDENABLE) != FALSE,
                   RenderState(call.device, D3DRENDERSTATE_SRCBLEND),
                   RenderState(call.device, D3DRENDERSTATE_DESTBLEND)};
  DWORD filter = 0;
  call.device->GetTextureStageState(0, D3DTSS_MAGFILTER, &filter);
  draw.linear = filter == D3DTFG_LINEAR;
  draw.part = PartOf(call.texture);
  frame_.push_back(draw);
}

RecordedFrames FrameRecorder::Take() {
  RecordedFrames taken = std::move(recording_);
  recording_ = {};
  return taken;
}
