// Writing canvases as JPEG (opaque backgrounds) and PNG with alpha (the sprite sheet).
#pragma once

#include <string>

#include "canvas.h"

// Both throw std::runtime_error when the file cannot be written.
void WriteJpeg(const std::string& path, const Canvas& canvas);
void WritePng(const std::string& path, const Canvas& canvas);
