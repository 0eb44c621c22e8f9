// C runtime names that the Windows runtime spells differently from the C library here.
#pragma once

#include <cstdarg>
#include <cstddef>

int _strnicmp(const char* a, const char* b, size_t count);
int _stricmp(const char* a, const char* b);

// Formats like snprintf and returns -1 when the text was cut. Unlike the Windows original, the
// result always ends with a terminator when count > 0.
int _snprintf(char* buffer, size_t count, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
int _vsnprintf(char* buffer, size_t count, const char* format, va_list arguments);
