// What loading a picture costs in memory at its peak: a small JPEG file whose header claims the
// largest picture a texture can hold decodes into the block that becomes the texture, so that the
// picture is held at most about twice at any time (the texture's pixels and the renderer's copy).
#include <string>

#include "TextureSide.h"
#include "game_window_fixture.h"
#include "peak_memory.h"
#include "temp_folder.h"

namespace {

// A baseline grey JPEG of side x side pixels whose scan holds dataBytes zero bytes: one quantiser
// table, a DC and an AC Huffman table of a single one-bit code each (difference 0, end of block),
// so that every zero bit pair is a flat block and the scan decodes whole however short it is.
std::string FlatGreyJpeg(int side, size_t dataBytes) {
  std::string jpeg = "\xFF\xD8";
  jpeg += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
  jpeg += std::string("\xFF\xC0\x00\x0B\x08", 5);
  for (int i = 0; i < 2; ++i) {
    jpeg += static_cast<char>(side >> 8);
    jpeg += static_cast<char>(side & 0xFF);
  }
  jpeg += std::string("\x01\x01\x11\x00", 4);
  for (char tableClass : {'\x00', '\x10'}) {
    jpeg += std::string("\xFF\xC4\x00\x14", 4) + tableClass + '\x01' + std::string(15, '\0');
    jpeg += '\0';
  }
  jpeg += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
  jpeg += std::string(dataBytes, '\0');
  return jpeg + "\xFF\xD9";
}

class PictureMemory : public RendererWindowTest, public testing::WithParamInterface<int> {};

TEST_P(PictureMemory, ALyingJpegHeaderCostsAtMostAboutTwiceItsPixels) {
  ASSERT_TRUE(MakeWindow(GetParam()));
  TempFolder folder;
  const int side = static_cast<int>(kMaxTextureSide);
  const std::string path = folder.Write("claims.jpg", FlatGreyJpeg(side, 54 * 1024));
  const long before = PeakResidentKilobytes();
  KGraphic* picture = MakePicture(path);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->GetWidth(), float(side));
  EXPECT_EQ(picture->GetHeight(), float(side));
  const long pictureKilobytes = long(side) * side * 4 / 1024;
  if (kPeaksMeasurable) {
    EXPECT_LE(PeakResidentKilobytes() - before, pictureKilobytes * 9 / 4)
        << "picture " << pictureKilobytes << " KB";
  }
}

// The factory's renderer flags: 0 DirectX, 1 OpenGL.
INSTANTIATE_TEST_SUITE_P(BothRenderers, PictureMemory, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& renderer) {
                           return renderer.param == 0 ? "DirectX" : "OpenGL";
                         });

}  // namespace
