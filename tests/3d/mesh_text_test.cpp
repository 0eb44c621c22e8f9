// The keyword search and the number readers that the text mesh loaders are built on.
#include <gtest/gtest.h>

#include <string>

#include "MeshText.h"
#include "platform/message_boxes.h"

namespace {

int Length(const std::string& text) {
  return static_cast<int>(text.size());
}

TEST(MeshText, FindKeywordSearchesUpToOneByteBeforeTheLastFitAndReportsAMissingChunk) {
  platform::TakeMessageBoxes();
  const std::string text = "ab *K1 *K2 *K";
  const int found[][2] = {{0, 3}, {4, 7}, {8, -1}, {-1, -1}};  // start, result
  for (const auto& row : found) EXPECT_EQ(FindKeyword("*K", text.data(), 13, row[0]), row[1]);
  EXPECT_EQ(FindKeyword("*longer than text", text.data(), 13, 0), -1);
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
  EXPECT_EQ(FindKeyword("*BITMAP", "*BITMAP", 7, 0), -1);
  auto boxes = platform::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption + ": " + boxes[0].text, "Missing chunk: *BITMAP");
}

TEST(MeshText, FindKeywordIntTakesTheFirstIntegerAfterTheKeyword) {
  const struct {
    std::string text;
    int expected;
  } rows[] = {
      {"*MESH_NUMFACES 8\r\n", 8},       {"*MESH_NUMFACES 7.9 ", 7},
      {"*MESH_NUMFACES\t8\r\n", 0},      {"*MESH_NUMFACES  \r\n", -1},
      {"*MESH_NUMFACES 2147483648", -1}, {"*MESH_NUMFACES " + std::string(259, '9'), -1},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FindKeywordInt("*MESH_NUMFACES ", row.text.data(), 0, Length(row.text)), row.expected)
        << row.text;
  }
}

TEST(MeshText, NumbersAreDigitsPointsAndMinusSignsOnly) {
  const struct {
    std::string text;
    int pos, end;  // end -1: nothing read
    float value;
  } floats[] = {
      {"x 1.5e-3 ", 0, 5, 1.5f},
      {"x 1.5e-3 ", 5, 8, -3.0f},
      {"\t-.5\t", 0, 4, -0.5f},
      {"1.2.3 ", 0, 5, 1.2f},
      {"0." + std::string(300, '0') + "1 ", 0, 303, 0.0f},
      {"text only", 0, -1, 0},
      {"ends in 12", 0, -1, 0},
      {std::string(259, '9') + " ", 0, -1, 0},
      {"1 ", -1, -1, 0},
  };
  for (const auto& row : floats) {
    float value = 42;
    EXPECT_EQ(ReadFloat(row.text.data(), row.pos, Length(row.text), &value), row.end) << row.text;
    EXPECT_EQ(value, row.end < 0 ? 42.0f : row.value) << row.text;
  }
  const struct {
    std::string text;
    int end, value;
  } ints[] = {{"A:    12 B:", 8, 12}, {"12.7 ", 4, 12}, {"99999999999 ", -1, 42}, {"7", -1, 42}};
  for (const auto& row : ints) {
    int value = 42;
    EXPECT_EQ(ReadInt(row.text.data(), 0, Length(row.text), &value), row.end) << row.text;
    EXPECT_EQ(value, row.value) << row.text;
  }
}

TEST(MeshText, ReadQuotedPathCopiesBetweenTheFirstTwoQuotesAfterTheBitmapKeyword) {
  const std::string longName(400, 'n');
  const struct {
    std::string text;
    int result;
    std::string path;
  } rows[] = {
      {"*BITMAP \"maps\\wood.png\" x", 14, "maps\\wood.png"},
      {"*BITMAP \"\" x", 1, ""},
      {"*BITMAP \"open only", 1, ""},
      {"*BITMAP none at all", 1, ""},
      {"*MAP \"a.png\" x", 0, "unchanged"},
      {"*BITMAP \"" + longName + "\" x", 401, longName.substr(0, 299)},
  };
  for (const auto& row : rows) {
    char path[300] = "unchanged";
    EXPECT_EQ(ReadQuotedPath(row.text.data(), 0, Length(row.text), path, sizeof path), row.result)
        << row.text;
    EXPECT_EQ(path, row.path) << row.text;
  }
}

}  // namespace
