// Dispatching the calling thread's window messages one at a time.
#pragma once

class MessagePump {
 public:
  // Takes at most one pending message, translates and dispatches it; false when none was there.
  static bool DispatchOne();
};
