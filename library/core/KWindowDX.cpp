#include "KWindowDX.h"

#include "DXMatrix.h"
#include "KGraphicDX.h"
#include "KInput.h"
#include "KMiscTools.h"
#include "PictureSettings.h"
#include "WindowFrame.h"
#include "WindowProcedureRules.h"

namespace {

constexpr char kClassName[] = "TundrelDirectXWindow";

}  // namespace

WindowFlipState& KWindowDX::FlipState() {
  static WindowFlipState state;
  return state;
}

LRESULT CALLBACK KWindowDX::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  auto* object = reinterpret_cast<KWindowDX*>(GetWindowLongA(window, GWL_USERDATA));
  if (object &&
      !WindowProcedureRules::OfferToHandlers(object->messageHandler_, object->eventHandler_, window,
                                             message, wParam, lParam)) {
    return 0;
  }
  if (WindowProcedureRules::HandleShared(message, wParam, object ? &object->quit_ : nullptr)) {
    if (message == WM_CLOSE || message == WM_DESTROY) PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool KWindowDX::CreateGameWindow(int16_t width, int16_t height, int16_t depth, bool windowed,
                                 const char* title) {
  width_ = width;
  height_ = height;
  depth_ = depth;
  fullScreen_ = !windowed;
  // The desktop keeps its colour depth: a full-screen start sets the depth with its display mode.
  WindowFrame::RegisterWindowClass(kClassName, WindowProcedure, BLACK_BRUSH);
  window_ = WindowFrame::Create(kClassName, title, fullScreen_, width_, height_);
  if (!window_) return false;
  SetWindowLongA(window_, GWL_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  KInput::Init(window_);
  return CreateContext();
}

void KWindowDX::SetDefaultWorldView() {
  SetWorldView(0, 0, 0, 1.0f, false);
}

void KWindowDX::SetWorldView(float tx, float ty, float angleDeg, float zoom, bool clearScreen) {
  if (!device_) return;
  device_->SetRenderTarget(backBuffer_, 0);
  SetViewport();
  device_->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
  device_->SetRenderState(D3DRENDERSTATE_ZENABLE, FALSE);
  device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device_->SetRenderState(D3DRENDERSTATE_COLORVERTEX, TRUE);
  D3DRECT whole{0, 0, width_, height_};
  if (clearScreen) {
    if (zBufferWanted_) {
      D3DMATRIX flip;
      KMatrixIdentity(&flip.m[0][0]);
      flip._33 = -1.0f;
      device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &flip);
      device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &flip);
      device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &flip);
      device_->Clear(1, &whole, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
      if (zBuffer_) device_->Clear(1, &whole, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    }
    device_->Clear(1, &whole, D3DCLEAR_TARGET, clearColor_, 1.0f, 0);
  }
  D3DMATRIX projection;
  KMatrixOrtho(&projection.m[0][0], width_, height_, -100, 100);
  device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
  D3DMATRIX view =
      DXMultiply(DXMultiply(DXMultiply(DXTranslation(float(-(width_ / 2)), float(height_ / 2)),
                                       DXRotationZ(angleDeg)),
                            DXScaling(zoom)),
                 DXTranslation(tx, ty));
  device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
}

void KWindowDX::SetClearColor(float r, float g, float b, float a) {
  clearColor_ = PackArgb({r, g, b, a});
}

bool KWindowDX::HasFocus() {
  return GetForegroundWindow() == window_;
}

void KWindowDX::SetTitle(const char* text) {
  if (window_) SetWindowTextA(window_, text);
}

void KWindowDX::ProcessEvents() {
  WindowFlip::ProcessEvents(this, &FlipState());
}

void KWindowDX::SetMaxFrameRate(int fps) {
  millisecondsPerFrame_ = WindowFlip::MillisecondsPerFrame(fps);
}

void KWindowDX::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
}

void KWindowDX::Minimize() {
  ShowWindow(window_, SW_MINIMIZE);
}

void KWindowDX::DrawFadeQuad() {
  SetDefaultWorldView();
  float alpha = 1.0f - fade_;
  D3DCOLOR color = PackArgb({0, 0, 0, alpha < 0.0f ? 0.0f : alpha});
  device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
  // The quad sets its own factors rather than taking those the last picture left.
  device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  float w = width_, h = height_;
  const float corners[12] = {0, 0, w, 0, w, -h, w, -h, 0, -h, 0, 0};
  D3DLVERTEX quad[6] = {};
  for (int i = 0; i < 6; ++i) {
    quad[i].x = corners[2 * i];
    quad[i].y = corners[2 * i + 1];
    quad[i].color = color;
  }
  device_->SetTexture(0, nullptr);
  device_->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_LVERTEX, quad, 6, D3DDP_WAIT);
  KGraphicDX::ForgetBoundTexture();
}

void KWindowDX::Present() {
  if (!primary_) return;
  if (fullScreen_) {
    primary_->Flip(nullptr, DDFLIP_WAIT);
    return;
  }
  POINT corner{0, 0};
  ClientToScreen(window_, &corner);
  RECT source{0, 0, width_, height_};
  RECT destination{corner.x, corner.y, corner.x + width_, corner.y + height_};
  directDraw_->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
  primary_->Blt(&destination, backBuffer_, &source, DDBLT_WAIT, nullptr);
}

void KWindowDX::FlipBackBuffer(bool waitWhileInactive, bool resetView) {
  if (!device_) return;
  if (softwareCursor_) {
    SetDefaultWorldView();
    KInput::DrawCursor();
  }
  if (fade_ < 1.0f) DrawFadeQuad();
  device_->EndScene();
  uint32_t t0 = KMiscTools::GetMilliseconds();
  if (primary_ && primary_->IsLost() == DDERR_SURFACELOST && !quit_) {
    primary_->Restore();
    if (!fullScreen_ && backBuffer_->IsLost() == DDERR_SURFACELOST) backBuffer_->Restore();
  }
  Present();
  if (resetView) SetDefaultWorldView();
  ProcessEvents();
  WindowFlip::WaitWhileMinimized(this);
  // A switch of display mode among the handled messages may have failed and left no device.
  if (device_) device_->BeginScene();
  WindowFlip::LimitFrameRate(&FlipState(), t0, millisecondsPerFrame_);
  if (waitWhileInactive && !HasFocus()) WindowFlip::WaitWhileInactive(this);
}
