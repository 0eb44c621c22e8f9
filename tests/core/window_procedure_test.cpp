// The window-procedure rules both window variants share: event records, handlers and the
// library's own handling of close, destroy and the wheel.
#include "WindowProcedureRules.h"

#include <gtest/gtest.h>

#include <vector>

#include "KInput.h"
#include "platform/input_seams.h"
#include "window_fixture.h"

namespace {

// What a window variant keeps for its procedure.
struct WindowObject {
  bool quit = false;
  MessageHandler messageHandler = nullptr;
  EventHandler eventHandler = nullptr;
};

// A procedure put together the way both variants put theirs together.
LRESULT CALLBACK VariantProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* object = reinterpret_cast<WindowObject*>(GetWindowLongA(window, GWL_USERDATA));
  if (object && !WindowProcedureRules::OfferToHandlers(object->messageHandler, object->eventHandler,
                                                       window, message, wParam, lParam))
    return 0;
  if (WindowProcedureRules::HandleShared(message, wParam, object ? &object->quit : nullptr))
    return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<KWindowEvent> g_events;
std::vector<UINT> g_messages;
bool g_eventAnswer = true;
bool g_messageAnswer = true;

bool RecordEvent(KWindowEvent* event) {
  g_events.push_back(*event);
  return g_eventAnswer;
}

bool RecordMessage(HWND, UINT message, WPARAM, LPARAM) {
  g_messages.push_back(message);
  return g_messageAnswer;
}

class WindowProcedureTest : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ScriptedWindowTest::SetUp();
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = VariantProcedure;
    windowClass.lpszClassName = "variant";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "variant", "", WS_POPUP, kX, kY, kWidth, kHeight, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    windows_.push_back(window_);
    ShowWindow(window_, SW_SHOW);
    DispatchAll();
    SetWindowLongA(window_, GWL_USERDATA, reinterpret_cast<LONG_PTR>(&object_));
    KInput::Init(window_);
    g_events.clear();
    g_messages.clear();
    g_eventAnswer = g_messageAnswer = true;
  }

  KWindowEvent EventOf(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProcedureRules::MakeEvent(message, wParam, lParam);
  }

  HWND window_ = nullptr;
  WindowObject object_;
};

TEST_F(WindowProcedureTest, MouseMessagesGiveTheirTypeAndButton) {
  struct Row {
    UINT message;
    KEventType type;
    uint32_t button;
  };
  const Row rows[] = {
      {WM_MOUSEMOVE, K_EVENT_MOUSEMOVE, 0},       {WM_LBUTTONDOWN, K_EVENT_MOUSEDOWN, 1},
      {WM_RBUTTONDOWN, K_EVENT_MOUSEDOWN, 2},     {WM_MBUTTONDOWN, K_EVENT_MOUSEDOWN, 3},
      {WM_LBUTTONUP, K_EVENT_MOUSEUP, 1},         {WM_RBUTTONUP, K_EVENT_MOUSEUP, 2},
      {WM_MBUTTONUP, K_EVENT_MOUSEUP, 3},         {WM_LBUTTONDBLCLK, K_EVENT_DOUBLECLICK, 1},
      {WM_RBUTTONDBLCLK, K_EVENT_DOUBLECLICK, 2}, {WM_MBUTTONDBLCLK, K_EVENT_NONE, 0},
      {WM_CONTEXTMENU, K_EVENT_CONTEXTMENU, 0},   {WM_PAINT, K_EVENT_NONE, 0},
  };
  for (const Row& row : rows) {
    KWindowEvent event = EventOf(row.message, MK_LBUTTON, MAKELPARAM(4, 5));
    EXPECT_EQ(event.type, row.type) << "message " << row.message;
    EXPECT_EQ(event.button, row.button) << "message " << row.message;
    EXPECT_EQ(event.message, row.message);
    EXPECT_EQ(event.keyId, static_cast<uint32_t>(K_KEY_NONE));
    EXPECT_EQ(event.virtualKey, 0u);
    EXPECT_EQ(event.character, 0);
    EXPECT_EQ(event.wheelDelta, 0);
    EXPECT_EQ(event.lParam, static_cast<uint32_t>(MAKELPARAM(4, 5)));
  }
}

TEST_F(WindowProcedureTest, EveryEventCarriesTheCursorInClientPixelsReadAtDispatch) {
  platform::ScriptCursor(kX - 7, kY + 300);
  KWindowEvent event = EventOf(WM_USER, 0, 0);
  EXPECT_EQ(event.mouseX, -7);
  EXPECT_EQ(event.mouseY, 300);
  EXPECT_EQ(event.type, K_EVENT_NONE);
}

TEST_F(WindowProcedureTest, KeyDownGivesKeyIdAndScanCodeKeyUpTheCodesLowByte) {
  LPARAM downBits = static_cast<LPARAM>(0x001E0001);
  KWindowEvent down = EventOf(WM_KEYDOWN, 'A', downBits);
  EXPECT_EQ(down.type, K_EVENT_KEYDOWN);
  EXPECT_EQ(down.virtualKey, static_cast<uint32_t>('A'));
  EXPECT_EQ(down.keyId, static_cast<uint32_t>(K_KEY_A));
  EXPECT_EQ(down.character, 0x1E);
  EXPECT_EQ(down.lParam, 0x001E0001u);

  KWindowEvent up = EventOf(WM_KEYUP, VK_F5, static_cast<LPARAM>(0xC03F0001u));
  EXPECT_EQ(up.type, K_EVENT_KEYUP);
  EXPECT_EQ(up.keyId, static_cast<uint32_t>(K_KEY_F5));
  EXPECT_EQ(up.character, VK_F5);
  EXPECT_EQ(up.lParam, 0xC03F0001u);

  KWindowEvent shift = EventOf(WM_KEYDOWN, VK_SHIFT, static_cast<LPARAM>(0x002A0001));
  EXPECT_EQ(shift.type, K_EVENT_KEYDOWN);
  EXPECT_EQ(shift.keyId, static_cast<uint32_t>(K_KEY_NONE)) << "the table has only left and right";
}

TEST_F(WindowProcedureTest, CharactersAndTheWheel) {
  KWindowEvent character = EventOf(WM_CHAR, 0x1E9, 0);
  EXPECT_EQ(character.type, K_EVENT_CHAR);
  EXPECT_EQ(character.character, 0xE9);

  KInput::SetWheelDelta(0);
  KWindowEvent wheel = EventOf(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -240), 0);
  EXPECT_EQ(wheel.type, K_EVENT_WHEEL);
  EXPECT_EQ(wheel.wheelDelta, -240);
  EXPECT_EQ(KInput::GetWheelDelta(), -240) << "stored before the handler runs";
}

TEST_F(WindowProcedureTest, ScriptedInputReachesTheEventHandler) {
  object_.eventHandler = RecordEvent;
  platform::ScriptCursor(kX + 10, kY + 20);
  platform::ScriptKey('B', true);
  platform::ScriptMouseButton(VK_LBUTTON, true);
  platform::ScriptMouseButton(VK_LBUTTON, false);
  platform::ScriptMouseButton(VK_LBUTTON, true);
  DispatchAll();
  std::vector<KEventType> types;
  for (const KWindowEvent& event : g_events) types.push_back(event.type);
  EXPECT_EQ(types,
            (std::vector<KEventType>{K_EVENT_MOUSEMOVE, K_EVENT_KEYDOWN, K_EVENT_CHAR,
                                     K_EVENT_MOUSEDOWN, K_EVENT_MOUSEUP, K_EVENT_DOUBLECLICK}));
  ASSERT_EQ(g_events.size(), 6u);
  EXPECT_EQ(g_events[1].keyId, static_cast<uint32_t>(K_KEY_B));
  EXPECT_EQ(g_events[2].character, 'b');
  EXPECT_EQ(g_events[3].mouseX, 10);
  EXPECT_EQ(g_events[3].mouseY, 20);
}

TEST_F(WindowProcedureTest, CloseSetsTheQuitFlagWithoutDestroyingTheWindow) {
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(object_.quit);
  EXPECT_TRUE(IsWindow(window_));
}

TEST_F(WindowProcedureTest, AnEventHandlerThatSwallowsCloseKeepsTheWindowRunning) {
  object_.eventHandler = RecordEvent;
  g_eventAnswer = false;
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(object_.quit);
  ASSERT_EQ(g_events.size(), 1u);
  EXPECT_EQ(g_events[0].message, WM_CLOSE);
  EXPECT_EQ(g_events[0].type, K_EVENT_NONE);
}

TEST_F(WindowProcedureTest, AMessageHandlerThatSwallowsEverythingLeavesTheEventHandlerUncalled) {
  object_.messageHandler = RecordMessage;
  object_.eventHandler = RecordEvent;
  g_messageAnswer = false;
  SendMessageA(window_, WM_CLOSE, 0, 0);
  SendMessageA(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(g_messages, (std::vector<UINT>{WM_CLOSE, WM_MOUSEWHEEL}));
  EXPECT_TRUE(g_events.empty());
  EXPECT_FALSE(object_.quit);
}

TEST_F(WindowProcedureTest, AMiddleDoubleClickStillReachesTheEventHandler) {
  object_.eventHandler = RecordEvent;
  SendMessageA(window_, WM_MBUTTONDBLCLK, 0, MAKELPARAM(1, 2));
  ASSERT_EQ(g_events.size(), 1u);
  EXPECT_EQ(g_events[0].type, K_EVENT_NONE);
  EXPECT_EQ(g_events[0].button, 0u);
}

TEST_F(WindowProcedureTest, TheWheelIsStoredByTheLibraryWithoutHandlers) {
  KInput::ClearWheel();
  SendMessageA(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
  EXPECT_EQ(KInput::GetWheelDelta(), -120);
}

TEST_F(WindowProcedureTest, BeforeTheObjectIsStoredCloseIsHandledWithoutOne) {
  SetWindowLongA(window_, GWL_USERDATA, 0);
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window_));
  EXPECT_FALSE(object_.quit);
}

}  // namespace
