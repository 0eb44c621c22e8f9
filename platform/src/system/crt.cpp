#include "platform/crt.h"

#include <strings.h>
#include <cstdio>

int _strnicmp(const char* a, const char* b, size_t count) {
  return strncasecmp(a, b, count);
}

int _stricmp(const char* a, const char* b) {
  return strcasecmp(a, b);
}

int _vsnprintf(char* buffer, size_t count, const char* format, va_list arguments) {
  int length = vsnprintf(buffer, count, format, arguments);
  if (length < 0 || static_cast<size_t>(length) >= count) return -1;
  return length;
}

int _snprintf(char* buffer, size_t count, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int result = _vsnprintf(buffer, count, format, arguments);
  va_end(arguments);
  return result;
}
