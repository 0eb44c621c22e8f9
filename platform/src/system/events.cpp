#include <map>
#include <string>

#include "kernel_objects.h"
#include "platform/win32_kernel.h"

namespace platform::kernel {
namespace {

class Event;

// Events created with the same name are one event, as on Windows.
std::map<std::string, Event*>& NamedEvents() {
  static auto* events = new std::map<std::string, Event*>;
  return *events;
}

class Event : public Object {
 public:
  Event(bool manualReset, bool signalled, const char* name)
      : manualReset_(manualReset), signalled_(signalled), name_(name ? name : "") {
    if (!name_.empty()) NamedEvents()[name_] = this;
  }
  ~Event() override {
    if (!name_.empty()) NamedEvents().erase(name_);
  }

  bool IsSignalled() const override { return signalled_; }
  void OnWaitSatisfied() override {
    if (!manualReset_) signalled_ = false;
  }
  void Set(bool signalled) { signalled_ = signalled; }

 private:
  bool manualReset_;
  bool signalled_;
  std::string name_;
};

BOOL SetSignal(HANDLE handle, bool signalled) {
  std::lock_guard<std::mutex> lock(Lock());
  auto* event = FindAs<Event>(handle);
  if (!event) {
    SetLastErrorCode(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  event->Set(signalled);
  if (signalled) Changed().notify_all();
  return TRUE;
}

}  // namespace
}  // namespace platform::kernel

using namespace platform::kernel;

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
  std::lock_guard<std::mutex> lock(Lock());
  if (name && *name) {
    auto existing = NamedEvents().find(name);
    if (existing != NamedEvents().end()) {
      ++existing->second->references;
      SetLastErrorCode(ERROR_ALREADY_EXISTS);
      return existing->second;
    }
  }
  SetLastErrorCode(ERROR_SUCCESS);
  return Register(new Event(manualReset != FALSE, initialState != FALSE, name));
}

BOOL SetEvent(HANDLE event) {
  return SetSignal(event, true);
}

BOOL ResetEvent(HANDLE event) {
  return SetSignal(event, false);
}
