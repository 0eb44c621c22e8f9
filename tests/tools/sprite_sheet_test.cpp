// The sprite sheet the build writes: every rectangle the level draws from holds its picture, with a
// transparent margin inside each cell and nothing drawn where cells share pixels or outside them.
#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kSheetPath = std::string(TUNDREL_GAME_DATA_DIR) + "/img/spr/plasko.png";

struct Rgba {
  unsigned char r, g, b, a;
};

class SpriteSheet {
 public:
  SpriteSheet() {
    unsigned char* pixels = stbi_load(kSheetPath.c_str(), &width_, &height_, nullptr, 4);
    if (pixels == nullptr) return;
    pixels_.assign(reinterpret_cast<Rgba*>(pixels),
                   reinterpret_cast<Rgba*>(pixels) + width_ * height_);
    stbi_image_free(pixels);
  }
  bool Loaded() const { return !pixels_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgba At(int x, int y) const { return pixels_[y * width_ + x]; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<Rgba> pixels_;
};

struct Cell {
  const char* name;
  int left, top, right, bottom;
};

// The source rectangles the game draws with: paddle, ball and life icon, snowball, chimney, gifts.
const Cell kCells[] = {
    {"paddle", 4, 4, 180, 48},          {"ball", 125, 44, 175, 94},
    {"snowball", 184, 0, 319, 147},     {"chimney", 319, 0, 452, 147},
    {"small gift", 50, 147, 184, 293},  {"medium gift", 184, 147, 319, 293},
    {"large gift", 319, 147, 452, 293},
};

bool InAnyCell(int x, int y) {
  for (const Cell& cell : kCells) {
    if (x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom) return true;
  }
  return false;
}

// Share of the pixels of a rectangle given relative to a cell that are (nearly) opaque.
double OpaqueShare(const SpriteSheet& sheet, const Cell& cell, int x, int y, int w, int h) {
  int opaque = 0;
  for (int py = 0; py < h; ++py) {
    for (int px = 0; px < w; ++px)
      opaque += sheet.At(cell.left + x + px, cell.top + y + py).a >= 200;
  }
  return static_cast<double>(opaque) / (w * h);
}

class SpriteSheetTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sheet_.Loaded()) << kSheetPath << ": " << stbi_failure_reason();
  }
  SpriteSheet sheet_;
};

TEST_F(SpriteSheetTest, IsAPngWithAnAlphaChannelThatHoldsEveryCell) {
  std::ifstream file(kSheetPath, std::ios::binary);
  std::vector<char> header(26);
  ASSERT_TRUE(file.read(header.data(), 26));
  EXPECT_EQ(std::string(header.data() + 1, 3), "PNG");
  EXPECT_EQ(header[25], 6) << "PNG colour type 6: RGB with alpha";
  EXPECT_EQ(sheet_.Width(), 512);
  EXPECT_EQ(sheet_.Height(), 512);
}

TEST_F(SpriteSheetTest, KeepsATransparentMarginInsideEveryCell) {
  const int margin = 2;
  for (const Cell& cell : kCells) {
    SCOPED_TRACE(cell.name);
    int drawn = 0;
    for (int y = cell.top; y < cell.bottom; ++y) {
      for (int x = cell.left; x < cell.right; ++x) {
        bool edge = x < cell.left + margin || x >= cell.right - margin || y < cell.top + margin ||
                    y >= cell.bottom - margin;
        if (edge) {
          ASSERT_EQ(sheet_.At(x, y).a, 0) << "at " << x << ", " << y;
        } else {
          drawn += sheet_.At(x, y).a > 0;
        }
      }
    }
    EXPECT_GT(drawn, 0) << "the cell is empty";
  }
}

TEST_F(SpriteSheetTest, LeavesTheRowsTheBallSharesWithThePaddleTransparent) {
  for (int y = 44; y < 48; ++y) {
    for (int x = 125; x < 175; ++x) ASSERT_EQ(sheet_.At(x, y).a, 0) << "at " << x << ", " << y;
  }
}

TEST_F(SpriteSheetTest, DrawsNothingOutsideTheCells) {
  for (int y = 0; y < sheet_.Height(); ++y) {
    for (int x = 0; x < sheet_.Width(); ++x) {
      if (!InAnyCell(x, y)) {
        ASSERT_EQ(sheet_.At(x, y).a, 0) << "at " << x << ", " << y;
      }
    }
  }
}

TEST_F(SpriteSheetTest, PaddlePictureFillsItsCollisionRectangle) {
  const Cell& paddle = kCells[0];
  EXPECT_GE(OpaqueShare(sheet_, paddle, 8, 10, 145, 24), 0.93);
  EXPECT_EQ(OpaqueShare(sheet_, paddle, 0, 36, 176, 8), 0.0) << "nothing below the paddle";
}

TEST_F(SpriteSheetTest, BallPictureIsARoundDiscOnItsCollisionCircle) {
  const Cell& ball = kCells[1];
  const double cx = 26, cy = 23;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 50; ++x) {
      double distance = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      unsigned char alpha = sheet_.At(ball.left + x, ball.top + y).a;
      if (distance < 13) {
        EXPECT_EQ(alpha, 255) << x << ", " << y;
      }
      // Only the cap above the disc may reach out of the circle.
      if (distance > 16 && y > 10) {
        EXPECT_EQ(alpha, 0) << x << ", " << y;
      }
    }
  }
}

TEST_F(SpriteSheetTest, HangingObjectsFillTheRectanglesTheBallHits) {
  struct Shape {
    int cell, x, y, w, h;
    double share;
  };
  // Snowballs are round: a disc fills about 78 % of the square around it.
  const Shape shapes[] = {{2, 31, 39, 71, 71, 0.74},
                          {3, 34, 41, 65, 68, 0.9},
                          {4, 27, 70, 76, 52, 0.9},
                          {5, 25, 63, 86, 63, 0.9},
                          {6, 19, 53, 96, 76, 0.9}};
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(kCells[shape.cell].name);
    EXPECT_GE(OpaqueShare(sheet_, kCells[shape.cell], shape.x, shape.y, shape.w, shape.h),
              shape.share);
  }
}

TEST_F(SpriteSheetTest, FallingObjectsAreOpaqueWhereThePaddleCatchesThem) {
  struct Circle {
    int cell, cx, cy, radius;
  };
  const Circle circles[] = {
      {2, 69, 74, 29}, {3, 69, 74, 30}, {4, 69, 95, 27}, {5, 69, 95, 30}, {6, 69, 95, 36}};
  for (const Circle& circle : circles) {
    SCOPED_TRACE(kCells[circle.cell].name);
    // The centre and the points halfway to the circle's edge all lie on the object's picture.
    const Cell& cell = kCells[circle.cell];
    int half = circle.radius / 2;
    for (auto [dx, dy] : {std::pair{0, 0}, {half, 0}, {-half, 0}, {0, half}, {0, -half}}) {
      EXPECT_EQ(sheet_.At(cell.left + circle.cx + dx, cell.top + circle.cy + dy).a, 255)
          << dx << ", " << dy;
    }
  }
}

TEST_F(SpriteSheetTest, SmallGiftStillReadsAtAFifthOfItsSize) {
  // The gift counter draws the small gift at zoom 0.2: average 5 x 5 blocks as the scaling does.
  const Cell& gift = kCells[4];
  int solid = 0, red = 0, gold = 0;
  for (int by = 0; by + 5 <= 146; by += 5) {
    for (int bx = 0; bx + 5 <= 134; bx += 5) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
          Rgba p = sheet_.At(gift.left + bx + x, gift.top + by + y);
          double weight = p.a / 255.0;
          r += p.r * weight, g += p.g * weight, b += p.b * weight, a += weight;
        }
      }
      if (a / 25 < 0.8) continue;
      ++solid;
      r /= a, g /= a, b /= a;
      red += r > 150 && g < 80 && b < 80;
      gold += r > 180 && g > 140 && b < 120;
    }
  }
  EXPECT_GE(solid, 120) << "the box keeps its size";
  EXPECT_GE(red, 40) << "the wrapping stays red";
  EXPECT_GE(gold, 12) << "the ribbon stays visible";
}

}  // namespace
