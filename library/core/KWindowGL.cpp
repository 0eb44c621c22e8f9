#include "KWindowGL.h"

#include "KGraphicGL.h"
#include "KInput.h"
#include "KMiscTools.h"
#include "WindowFrame.h"
#include "WindowProcedureRules.h"
#include "platform/opengl.h"

KWindowGL::KWindowGL(bool zBuffer) : zBufferWanted_(zBuffer) {
  KMiscTools::InitTimer();
}

WindowFlipState& KWindowGL::FlipState() {
  static WindowFlipState state;
  return state;
}

LRESULT CALLBACK KWindowGL::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  auto* object = reinterpret_cast<KWindowGL*>(GetWindowLongA(window, GWL_USERDATA));
  if (object &&
      !WindowProcedureRules::OfferToHandlers(object->messageHandler_, object->eventHandler_, window,
                                             message, wParam, lParam)) {
    return 0;
  }
  if (message == WM_PAINT) {
    // Painted or not, the request is taken, so that it does not come back.
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    if (object) object->Repaint();
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_ACTIVATEAPP) {
    if (object) object->OnActivateApp(wParam != 0);
    return 0;
  }
  if (WindowProcedureRules::HandleShared(message, wParam, object ? &object->quit_ : nullptr)) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void KWindowGL::Repaint() {
  // In front, the game's own loop presents its next frame. Behind another window the game waits
  // in its flip: the frame there is shown again, without drawing or fading it anew.
  if (contextCurrent_ && !HasFocus()) SwapBuffers(deviceContext_);
}

void KWindowGL::OnActivateApp(bool active) {
  if (!fullScreen_ || !IsWindow(window_)) return;
  if (active) {
    ChangeDisplay();
  } else {
    RestoreDisplay();
    ShowWindow(window_, SW_MINIMIZE);
  }
}

void KWindowGL::SetDefaultWorldView() {
  SetWorldView(0, 0, 0, 1.0f, false);
}

void KWindowGL::SetWorldView(float tx, float ty, float angleDeg, float zoom, bool clearScreen) {
  if (!contextCurrent_) return;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width_, 0, height_, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  if (clearScreen) {
    glClearColor(clearColor_[0], clearColor_[1], clearColor_[2], clearColor_[3]);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  // Turned and zoomed about the screen centre; the move comes first, divided by the zoom, so that
  // the picture moves by tx, ty on the screen.
  float centreX = float(width_ / 2), centreY = float(height_ / 2);
  glLoadIdentity();
  glTranslatef(centreX, centreY, 0);
  glRotatef(angleDeg, 0, 0, 1);
  glScalef(zoom, zoom, 0);
  glTranslatef(-centreX, -centreY, 0);
  if (zoom != 0) glTranslatef(tx / zoom, ty / zoom, 0);
  glDisable(GL_DEPTH_TEST);
  glViewport(0, 0, width_, height_);
  glDisable(GL_DITHER);
}

void KWindowGL::SetClearColor(float r, float g, float b, float a) {
  clearColor_[0] = r;
  clearColor_[1] = g;
  clearColor_[2] = b;
  clearColor_[3] = a;
}

void KWindowGL::Terminate() {
  quit_ = true;
  PostQuitMessage(0);
}

bool KWindowGL::HasFocus() {
  return GetForegroundWindow() == window_;
}

void KWindowGL::SetTitle(const char* text) {
  if (window_) SetWindowTextA(window_, text);
}

void KWindowGL::ProcessEvents() {
  WindowFlip::ProcessEvents(this, &FlipState());
}

void KWindowGL::SetMaxFrameRate(int fps) {
  millisecondsPerFrame_ = WindowFlip::MillisecondsPerFrame(fps);
  swapInterval_.Want(fps < 0 ? 0 : 1);
}

bool KWindowGL::GetTextureRectangleSupport() {
  KGraphicGL::DisableTextureRectangle(!textureRectangles_);
  return textureRectangles_;
}

void KWindowGL::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
}

void KWindowGL::Minimize() {
  ShowWindow(window_, SW_MINIMIZE);
}

void KWindowGL::DrawFade() {
  SetDefaultWorldView();
  glDisable(GL_TEXTURE_2D);
  if (driverHasTextureRectangles_) glDisable(GL_TEXTURE_RECTANGLE_EXT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  float alpha = 1.0f - fade_;
  glColor4f(0, 0, 0, alpha < 0.0f ? 0.0f : alpha);
  glBegin(GL_QUADS);
  glVertex3i(0, height_, 0);
  glVertex3i(width_, height_, 0);
  glVertex3i(width_, 0, 0);
  glVertex3i(0, 0, 0);
  glEnd();
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
  KGraphicGL::ForgetBoundTexture();
}

void KWindowGL::FlipBackBuffer(bool waitWhileInactive, bool resetView) {
  if (!contextCurrent_) return;
  if (softwareCursor_) {
    SetDefaultWorldView();
    KInput::DrawCursor();
  }
  uint32_t t0 = KMiscTools::GetMilliseconds();
  swapInterval_.Apply();
  if (fade_ < 1.0f) DrawFade();
  // A swap may leave the back buffer undefined: the screenshot of the hotkey is read before.
  if (WindowFlip::IsScreenshotHotkeyHeld()) keptFrame_ = ReadBackBuffer();
  SwapBuffers(deviceContext_);
  if (resetView) SetDefaultWorldView();
  ProcessEvents();
  keptFrame_.reset();
  WindowFlip::LimitFrameRate(&FlipState(), t0, millisecondsPerFrame_);
  if (waitWhileInactive && !HasFocus()) WindowFlip::WaitWhileInactive(this);
}

void KWindowGL::SetFullScreen(bool fullScreen) {
  if (fullScreen == fullScreen_ || !window_ || !IsWindow(window_)) return;
  fullScreen_ = fullScreen;
  if (fullScreen) {
    ChangeDisplay();
    WindowFrame::Restyle(window_, true, width_, height_);
    return;
  }
  RestoreDisplay();
  // Twice: a display that settles into its restored mode only after the first move gets its
  // window centred on its own size by the second.
  WindowFrame::Restyle(window_, false, width_, height_);
  WindowFrame::Restyle(window_, false, width_, height_);
}
