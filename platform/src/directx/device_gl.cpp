// The device's states as OpenGL state, applied when draws under a new state begin.
#include "directx/device.h"

namespace platform::directx {
namespace {

GLenum BlendFactor(DWORD blend, bool source) {
  switch (blend) {
    case D3DBLEND_ZERO:
      return GL_ZERO;
    case D3DBLEND_ONE:
      return GL_ONE;
    case D3DBLEND_SRCCOLOR:
      return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
      return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
      return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
      return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
      return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
      return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
      return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
      return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT:
      return GL_SRC_ALPHA_SATURATE;
    case 12:  // both source alpha: the source factor decides both
      return source ? GL_SRC_ALPHA : GL_ONE_MINUS_SRC_ALPHA;
    default:  // 13, both inverse source alpha
      return source ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
  }
}

// Whether blending a fragment of alpha 0 gives the pixel's own colour: the source counts for
// nothing and the pixel for all of itself (the target's alpha, which DST_ALPHA reads, is 1).
bool LeavesPixelAtAlphaZero(GLenum source, GLenum destination) {
  bool sourceVanishes = source == GL_SRC_ALPHA || source == GL_ZERO;
  bool pixelStays =
      destination == GL_ONE_MINUS_SRC_ALPHA || destination == GL_ONE || destination == GL_DST_ALPHA;
  return sourceVanishes && pixelStays;
}

GLint AddressMode(DWORD mode) {
  switch (mode) {
    case D3DTADDRESS_WRAP:
      return GL_REPEAT;
    case 2:  // mirror
      return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP:
      return GL_CLAMP_TO_EDGE;
    default:  // border
      return GL_CLAMP_TO_BORDER;
  }
}

GLint FilterMode(DWORD filter) {
  return filter == D3DTFG_POINT ? GL_NEAREST : GL_LINEAR;
}

GLint Source(DWORD argument) {
  return argument == D3DTA_TEXTURE ? GL_TEXTURE : GL_PRIMARY_COLOR;
}

bool ModulatesTextureByDiffuse(DWORD op, DWORD argument1, DWORD argument2) {
  return op == D3DTOP_MODULATE && Source(argument1) != Source(argument2);
}

// One half (colour or alpha) of stage 0 as a texture combiner.
void Combine(GLenum combine, GLenum source0, GLenum source1, DWORD op, DWORD argument1,
             DWORD argument2) {
  GLint mode = op == D3DTOP_MODULATE ? GL_MODULATE : GL_REPLACE;
  GLint first = op == D3DTOP_DISABLE      ? GL_PRIMARY_COLOR
                : op == D3DTOP_SELECTARG2 ? Source(argument2)
                                          : Source(argument1);
  glTexEnvi(GL_TEXTURE_ENV, combine, mode);
  glTexEnvi(GL_TEXTURE_ENV, source0, first);
  glTexEnvi(GL_TEXTURE_ENV, source1, Source(argument2));
}

}  // namespace

void Device::StateChanging() {
  Batch& draws = display_->Draws();
  if (draws.stateOwner != this) return;
  if (display_->MakeCurrent()) draws.Flush();
  draws.stateOwner = nullptr;
}

bool Device::PrepareToDraw() {
  if (!display_->MakeCurrent()) return false;
  Batch& draws = display_->Draws();
  if (draws.stateOwner != this) {
    draws.Flush();
    ApplyGlState();
    draws.stateOwner = this;
  }
  return true;
}

Sampling Device::StageSampling() const {
  const std::array<DWORD, kStageStates>& states = stageStates_[0];
  return {AddressMode(states[D3DTSS_ADDRESSU]), AddressMode(states[D3DTSS_ADDRESSV]),
          FilterMode(states[D3DTSS_MINFILTER]), FilterMode(states[D3DTSS_MAGFILTER])};
}

void Device::ApplyGlState() {
  target_->BindFramebuffer(GL_FRAMEBUFFER);
  GLsizei width = GLsizei(target_->Width()), height = GLsizei(target_->Height());
  glViewport(0, 0, width, height);
  // Vertices arrive in pixels, y downward, depth 0..1, already multiplied by w.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, 0, -1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // A viewport smaller than the target clips what is drawn outside it.
  bool wholeTarget = viewport_.dwX == 0 && viewport_.dwY == 0 &&
                     GLsizei(viewport_.dwWidth) == width && GLsizei(viewport_.dwHeight) == height;
  if (wholeTarget) {
    glDisable(GL_SCISSOR_TEST);
  } else {
    glEnable(GL_SCISSOR_TEST);
  }
  glScissor(GLint(viewport_.dwX), height - GLint(viewport_.dwY + viewport_.dwHeight),
            GLsizei(viewport_.dwWidth), GLsizei(viewport_.dwHeight));
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);  // the target's alpha stays 1
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DITHER);
  display_->Draws().ForgetGlShading();
  glPointSize(1.0f);
  glLineWidth(1.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  bool blended = renderStates_[D3DRENDERSTATE_ALPHABLENDENABLE] != FALSE;
  GLenum source = BlendFactor(renderStates_[D3DRENDERSTATE_SRCBLEND], true);
  GLenum destination = BlendFactor(renderStates_[D3DRENDERSTATE_DESTBLEND], false);
  if (blended) {
    glEnable(GL_BLEND);
    glBlendFunc(source, destination);
  } else {
    glDisable(GL_BLEND);
  }
  bool depth = renderStates_[D3DRENDERSTATE_ZENABLE] && target_->HasDepthBuffer();
  if (depth) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  // Where a fragment of alpha 0 would leave its pixel as it is, it is dropped before blending,
  // which spares the rasteriser the blend of a sprite's clear texels. Not with a depth buffer,
  // which the fragment would still write.
  if (blended && !depth && LeavesPixelAtAlphaZero(source, destination)) {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
  } else {
    glDisable(GL_ALPHA_TEST);
  }
  ApplyTextureStage();
}

void Device::ApplyTextureStage() {
  const std::array<DWORD, kStageStates>& s = stageStates_[0];
  Surface* texture = textures_[0];
  ModulateProgram& modulation = display_->Modulation();
  const gl::Functions& gl = display_->Gl();
  if (!texture || s[D3DTSS_COLOROP] == D3DTOP_DISABLE) {
    modulation.Stop(gl);
    glDisable(GL_TEXTURE_2D);
    return;
  }
  glEnable(GL_TEXTURE_2D);
  texture->BindTexture(StageSampling());
  if (ModulatesTextureByDiffuse(s[D3DTSS_COLOROP], s[D3DTSS_COLORARG1], s[D3DTSS_COLORARG2]) &&
      ModulatesTextureByDiffuse(s[D3DTSS_ALPHAOP], s[D3DTSS_ALPHAARG1], s[D3DTSS_ALPHAARG2])) {
    // The common case: the program where there is one, else the simplest environment.
    if (!modulation.Use(gl)) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    return;
  }
  modulation.Stop(gl);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  Combine(GL_COMBINE_RGB, GL_SOURCE0_RGB, GL_SOURCE1_RGB, s[D3DTSS_COLOROP], s[D3DTSS_COLORARG1],
          s[D3DTSS_COLORARG2]);
  Combine(GL_COMBINE_ALPHA, GL_SOURCE0_ALPHA, GL_SOURCE1_ALPHA, s[D3DTSS_ALPHAOP],
          s[D3DTSS_ALPHAARG1], s[D3DTSS_ALPHAARG2]);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, GL_SRC_ALPHA);
}

}  // namespace platform::directx
