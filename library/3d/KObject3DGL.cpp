#include "KObject3DGL.h"

#include <cmath>
#include <new>

#include "KGraphicGL.h"
#include "platform/opengl.h"

bool g_glOrtho3D = false;

namespace {

// Degrees of an angle to radians of its half: the single-precision pi divided by 360.
constexpr double kHalfAngleRadiansPerDegree = 0.008726646502812704;

constexpr double kPerspectiveFovYDegrees = 45.0;
// The near plane as a float, widened.
constexpr double kPerspectiveNear = 0.1f;
constexpr double kPerspectiveFar = 500.0;
constexpr double kOrthoDepth = 500.0;

// A white point light at (1, 1, 1) in eye coordinates.
constexpr GLfloat kLightWhite[4] = {1, 1, 1, 1};
constexpr GLfloat kLightPosition[4] = {1, 1, 1, 1};

// The material a new context lights with, before any colour tracking has written it.
constexpr GLfloat kDefaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr GLfloat kDefaultDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};

// The colour the smooth draw's colour tracking gives the material's ambient and diffuse.
constexpr GLfloat kSmoothGrey = 0.7f;

void SetViewport3D() {
  glViewport(0, 0, GLsizei(g_glView3DWidth), GLsizei(g_glView3DHeight));
}

}  // namespace

KObject3DGL::KObject3DGL() {
  SetBlendMode(true);
}

void KObject3DGL::Perspective(double fovYDegrees, double aspect, double zNear, double zFar) {
  const double h = std::tan(fovYDegrees * kHalfAngleRadiansPerDegree) * zNear;
  const double w = h * aspect;
  glFrustum(-w, w, -h, h, zNear, zFar);
}

void KObject3DGL::Begin3D(bool clearDepth, bool ortho) {
  glFlush();
  SetViewport3D();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  Perspective(kPerspectiveFovYDegrees, g_glView3DWidth / g_glView3DHeight, kPerspectiveNear,
              kPerspectiveFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glShadeModel(GL_SMOOTH);
  glClearColor(0, 0, 0, 1);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  if (clearDepth) glClear(GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glLightfv(GL_LIGHT1, GL_AMBIENT, kLightWhite);
  glLightfv(GL_LIGHT1, GL_POSITION, kLightPosition);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, kLightWhite);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT1);
  g_glOrtho3D = ortho;
  if (ortho) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, g_glView3DWidth, 0, g_glView3DHeight, -kOrthoDepth, kOrthoDepth);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
}

void KObject3DGL::End3D() {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  SetViewport3D();
}

void KObject3DGL::DrawFlat(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg) {
  DrawMesh(x, y, z, rotXDeg, rotYDeg, rotZDeg, false);
}

void KObject3DGL::DrawSmooth(float x, float y, float z, float rotXDeg, float rotYDeg,
                             float rotZDeg) {
  DrawMesh(x, y, z, rotXDeg, rotYDeg, rotZDeg, true);
}

void KObject3DGL::DrawMesh(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg,
                           bool smooth) {
  // Placed from scratch: rotated about z, then y, then x, then scaled, then moved.
  glLoadIdentity();
  glTranslatef(x, g_glOrtho3D ? g_glView3DHeight - y : y, z);
  if (scaleX != 1.0f || scaleY != 1.0f || scaleZ != 1.0f) glScalef(scaleX, scaleY, scaleZ);
  if (rotXDeg != 0.0f) glRotatef(rotXDeg, 1, 0, 0);
  if (rotYDeg != 0.0f) glRotatef(rotYDeg, 0, 1, 0);
  if (rotZDeg != 0.0f) glRotatef(rotZDeg, 0, 0, 1);

  blending ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
  glBlendFunc(blendSource, blendDestination);

  if (texture) {
    texture->BindRepeat();
  } else {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_RECTANGLE_ARB);
    // Texturing is off behind the pictures' backs: the next picture draw must bind again.
    KGraphicGL::ForgetBoundTexture();
  }

  if (smooth) {
    glShadeModel(GL_SMOOTH);
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(kSmoothGrey, kSmoothGrey, kSmoothGrey, 1.0f);
  } else {
    glShadeModel(GL_FLAT);
    glDisable(GL_COLOR_MATERIAL);
    // Colour tracking wrote the smooth draw's last colour into the material and left it there;
    // the flat draw lights with the material a new context has.
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kDefaultAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kDefaultDiffuse);
    glColor4f(1, 1, 1, 1);
  }

  glBegin(GL_TRIANGLES);
  for (uint32_t f = 0; f < faceCount; ++f) {
    const KMeshFace& face = faces[f];
    if (!smooth) glNormal3f(face.nx, face.ny, face.nz);
    const uint32_t corners[3] = {face.a, face.b, face.c};
    for (int k = 0; k < 3; ++k) {
      const KMeshVertex& vertex = vertices[corners[k]];
      if (smooth) glNormal3f(vertex.nx, vertex.ny, vertex.nz);
      glTexCoord2f(face.corners[k].u, face.corners[k].v);
      glVertex3f(vertex.x, vertex.y, vertex.z);
    }
  }
  glEnd();
  if (smooth) glColor4f(1, 1, 1, 1);
}

void KObject3DGL::SetBlendMode(bool normal) {
  blendSource = GL_SRC_ALPHA;
  blendDestination = normal ? GL_ONE_MINUS_SRC_ALPHA : GL_DST_ALPHA;
}

KGraphic* KObject3DGL::MakeTexturePicture() {
  return new (std::nothrow) KGraphicGL;
}
