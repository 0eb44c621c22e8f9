#include "audio/alsa_messages.h"

#include <dlfcn.h>

namespace platform::audio {

namespace {

void DropMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

AlsaMessagesSilenced::AlsaMessagesSilenced() {
  // Loaded by its name, as SDL loads it, so that the handler is set in the instance SDL uses.
  library_ = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (!library_) return;
  setHandler_ = reinterpret_cast<SetHandler>(dlsym(library_, "snd_lib_error_set_handler"));
  if (setHandler_) setHandler_(DropMessage);
}

AlsaMessagesSilenced::~AlsaMessagesSilenced() {
  // A null handler puts the library's own back.
  if (setHandler_) setHandler_(nullptr);
  if (library_) dlclose(library_);
}

}  // namespace platform::audio
