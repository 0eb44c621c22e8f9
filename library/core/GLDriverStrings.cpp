#include "GLDriverStrings.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace {

bool Contains(const char* text, const char* part) {
  return text && std::strstr(text, part);
}

// Null counts as empty.
std::string LowerCase(const char* text) {
  std::string lower = text ? text : "";
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

bool GLDriverStrings::ListsSwapControl(const char* extensions) {
  return Contains(extensions, "GL_EXT_swap_control");
}

bool GLDriverStrings::ListsTextureRectangles(const char* extensions) {
  return Contains(extensions, "GL_EXT_texture_rectangle") ||
         Contains(extensions, "GL_NV_texture_rectangle");
}

bool GLDriverStrings::IsGenericDriver(const char* vendor, const char* renderer) {
  return LowerCase(vendor).find("microsoft corporation") != std::string::npos ||
         LowerCase(renderer).find("gdi generic") != std::string::npos;
}
