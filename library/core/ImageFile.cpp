#include <cctype>
#include <climits>
#include <cstring>
#include <new>

#include "DecodedImage.h"
#include "ImageDecoders.h"
#include "KDataFile.h"
#include "platform/files.h"

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

// What a file that does not decode as its extension's type is not.
const char* NotOfType(ImageType type) {
  switch (type) {
    case ImageType::kTga:
      return "not a TGA picture";
    case ImageType::kJpeg:
      return "not a JPEG picture";
    case ImageType::kBmp:
      return "not a BMP picture";
    case ImageType::kPng:
      break;
  }
  return "not a PNG picture";
}

// Notes why the load failed and gives null.
std::unique_ptr<DecodedImage> Fail(const char* reason) {
  platform::NoteLoadFailure(reason);
  return nullptr;
}

}  // namespace

std::unique_ptr<DecodedImage> LoadImageFile(const char* path, ExtensionCase extensionCase) {
  ImageType type;
  if (!path) return nullptr;
  if (!TypeOfExtension(path, extensionCase, &type)) return Fail("not named as a known picture");
  KDataFile file;
  // The file layer notes why a file can't be opened.
  if (file.Open(path, K_FILE_MODE_READ) != K_FILE_OK) return nullptr;
  long size = 0;
  if (file.Seek(2, 0) != K_FILE_OK || file.Tell(&size) != K_FILE_OK) return Fail("unreadable");
  if (size <= 0) return Fail("empty");
  if (size > INT_MAX) return Fail("too large");
  std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size]);
  if (!bytes) return Fail("too large");
  if (file.Seek(0, 0) != K_FILE_OK ||
      file.Read(bytes.get(), static_cast<uint32_t>(size)) != K_FILE_OK)
    return Fail("unreadable");
  file.Close();
  std::unique_ptr<DecodedImage> image = DecodeImage(type, bytes.get(), static_cast<size_t>(size));
  // Null only for a picture larger than a texture can be.
  if (!image) return Fail("too large");
  if (image->width == 0) platform::NoteLoadFailure(NotOfType(type));
  return image;
}
