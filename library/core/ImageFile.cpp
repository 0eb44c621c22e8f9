#include <cctype>
#include <climits>
#include <cstring>
#include <new>

#include "DecodedImage.h"
#include "ImageDecoders.h"
#include "KDataFile.h"

namespace {

// The type named by the extension of the path's final name (after its last separator).
bool TypeOfExtension(const char* path, ExtensionCase extensionCase, ImageType* type) {
  const char* name = path;
  for (const char* c = path; *c; ++c) {
    if (*c == '\\' || *c == '/') name = c + 1;
  }
  const char* dot = std::strrchr(name, '.');
  if (!dot || std::strlen(dot) != 4) return false;
  char extension[5];
  for (int i = 0; i < 5; ++i) {
    char c = dot[i];
    extension[i] = extensionCase == ExtensionCase::kAny
                       ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                       : c;
  }
  static const struct {
    const char* extension;
    ImageType type;
  } kTypes[] = {{".tga", ImageType::kTga},
                {".jpg", ImageType::kJpeg},
                {".bmp", ImageType::kBmp},
                {".png", ImageType::kPng}};
  for (const auto& known : kTypes) {
    if (std::strcmp(extension, known.extension) == 0) {
      *type = known.type;
      return true;
    }
  }
  return false;
}

}  // namespace

std::unique_ptr<DecodedImage> LoadImageFile(const char* path, ExtensionCase extensionCase) {
  ImageType type;
  if (!path || !TypeOfExtension(path, extensionCase, &type)) return nullptr;
  KDataFile file;
  if (file.Open(path, K_FILE_MODE_READ) != K_FILE_OK) return nullptr;
  long size = 0;
  if (file.Seek(2, 0) != K_FILE_OK || file.Tell(&size) != K_FILE_OK) return nullptr;
  if (size <= 0 || size > INT_MAX) return nullptr;
  std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size]);
  if (!bytes || file.Seek(0, 0) != K_FILE_OK) return nullptr;
  if (file.Read(bytes.get(), static_cast<uint32_t>(size)) != K_FILE_OK) return nullptr;
  file.Close();
  return DecodeImage(type, bytes.get(), static_cast<size_t>(size));
}
