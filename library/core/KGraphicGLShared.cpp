// What every OpenGL picture shares: the screen size, the bound-texture cache and the list of live
// pictures.
#include "GLPictureState.h"
#include "KGraphicGL.h"
#include "platform/opengl.h"

GLPictureState g_glPictures;

std::vector<KGraphicGL*>& KGraphicGL::PictureList() {
  // Allocated once and never destroyed: pictures held by static objects are deleted at exit after
  // every other static, and still take themselves off the list then.
  static auto* list = new std::vector<KGraphicGL*>();
  return *list;
}

const std::vector<KGraphicGL*>& KGraphicGL::LivePictures() {
  return PictureList();
}

void KGraphicGL::SetScreenSize(uint16_t width, uint16_t height, uint16_t depth) {
  g_glPictures.screenWidth = width;
  g_glPictures.screenHeight = height;
  g_glPictures.screenDepth = depth;
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
}

void KGraphicGL::DisableTextureRectangle(bool) {}

void KGraphicGL::ForgetBoundTexture() {
  g_glPictures.lastBound = GLPictureState::kNothingBound;
}

void KGraphicGL::ReleaseAllTextures() {
  for (KGraphicGL* picture : PictureList()) picture->ReleaseTexture();
  ForgetBoundTexture();
}

void KGraphicGL::ReleaseTexture() {
  if (textureName_ == 0) return;
  GLuint name = textureName_;
  glDeleteTextures(1, &name);
  textureName_ = 0;
  if (g_glPictures.lastBound == name) ForgetBoundTexture();
}

void KGraphicGL::Bind() {
  if (textureName_ == g_glPictures.lastBound) return;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, textureName_);
  g_glPictures.lastBound = textureName_;
}
