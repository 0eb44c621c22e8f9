// The OpenGL picture's life and settings: the list of live pictures, filtering, addressing, blend
// mode, colour key and blit colour, and the copy of a screen rectangle.
#include <algorithm>

#include "GLPictureState.h"
#include "KGraphicGL.h"
#include "KMiscTools.h"
#include "platform/opengl.h"

KGraphicGL::KGraphicGL() {
  PictureList().push_back(this);
  if (g_glPictures.screenWidth == 0) {
    KMiscTools::ShowMessageBox("Screen Dimensions not specified, you will not see anything",
                               "KGraphicGL::SetScreenSize Not Called!");
  }
}

KGraphicGL::~KGraphicGL() {
  std::vector<KGraphicGL*>& list = PictureList();
  list.erase(std::find(list.begin(), list.end(), this));
  FreePicture();
}

void KGraphicGL::SetTextureQuality(bool smooth) {
  settings_.smooth = smooth;
  if (textureName_ == 0) return;
  Bind();
  GLfloat filter = smooth ? GL_LINEAR : GL_NEAREST;
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

void KGraphicGL::SetBoundWrap(bool repeat) {
  // Clamped to the edge texels: plain clamping lets smooth filtering blend the texture's border
  // colour (transparent black) into the outermost half texel of every edge.
  GLint wrap = repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

void KGraphicGL::SetTextureWrap(bool repeat) {
  settings_.wrap = repeat;
  if (textureName_ == 0) return;
  Bind();
  SetBoundWrap(repeat);
}

void KGraphicGL::BindRepeat() {
  // Bound first, so that the repeat lands on this picture's texture and no other.
  Bind();
  glEnable(GL_TEXTURE_2D);
  if (textureName_ != 0) SetBoundWrap(true);
}

void KGraphicGL::SetBlitMode(int mode) {
  settings_.SetBlitMode(mode);
}

void KGraphicGL::SetColorKey(bool on, uint8_t r, uint8_t g, uint8_t b) {
  settings_.SetColorKey(on, r, g, b);
}

void KGraphicGL::SetBlitColor(float r, float g, float b, float a) {
  settings_.blitColor.Set(r, g, b, a);
}

void KGraphicGL::CopyScreenRect(float x1, float y1, float x2, float y2, float destX, float destY) {
  int width = Truncate(x2 - x1), height = Truncate(y2 - y1);
  if (width <= 0 || height <= 0) return;
  // The copied pixels are fragments like any other: untextured and unblended they land as read.
  ForgetBoundTexture();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  // The raster position in window pixels, whatever the world view: the viewport's corner through
  // identity matrices, then moved by an empty bitmap, which no clipping makes invalid.
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRasterPos2f(-1.0f, -1.0f);
  glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(Truncate(destX)),
           static_cast<GLfloat>(Truncate(destY)), nullptr);
  glReadBuffer(GL_BACK);
  glCopyPixels(Truncate(x1), Truncate(y1), width, height, GL_COLOR);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
