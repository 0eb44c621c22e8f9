// The keyword search and the number readers that the text mesh loaders are built on.
#include <gtest/gtest.h>

#include <string>

#include "MeshText.h"
#include "platform/message_boxes.h"

namespace {

int Length(const std::string& text) {
  return static_cast<int>(text.size());
}

TEST(MeshText, FindKeywordLooksFromTheStartUpToOneByteBeforeTheLastFit) {
  const std::string text = "ab *K1 *K2 *K";
  EXPECT_EQ(FindKeyword("*K", text.data(), Length(text), 0), 3);
  EXPECT_EQ(FindKeyword("*K", text.data(), Length(text), 4), 7);
  // "*K" also fits at the very end, which the search never looks at.
  EXPECT_EQ(FindKeyword("*K", text.data(), Length(text), 8), -1);
  EXPECT_EQ(FindKeyword("*K", text.data(), Length(text), -1), -1);
  EXPECT_EQ(FindKeyword("*longer than it", text.data(), Length(text), 0), -1);
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

TEST(MeshText, AKeywordAsLongAsTheTextIsAMissingChunk) {
  platform::TakeMessageBoxes();
  EXPECT_EQ(FindKeyword("*BITMAP", "*BITMAP", 7, 0), -1);
  auto boxes = platform::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Missing chunk");
  EXPECT_EQ(boxes[0].text, "*BITMAP");
}

TEST(MeshText, FindKeywordIntTakesTheFirstIntegerAfterTheKeyword) {
  const std::string nines(259, '9');
  struct Row {
    const char* keyword;
    std::string text;
    int expected;
  } rows[] = {
      {"*MESH_NUMVERTEX", "*MESH_NUMVERTEX 8\r\n", 8},
      {"*MESH_NUMVERTEX", "*MESH_NUMVERTEX\t-12 x", -12},
      {"*MESH_NUMVERTEX", "*MESH_NUMVERTEX 7.9 ", 7},
      {"*MESH_NUMVERTEX", "*MESH_NUMVERTEX - 5", 0},
      {"*MESH_NUMFACES ", "*MESH_NUMFACES\t8\r\n", 0},
      {"*MESH_NUMFACES ", "no count here", 0},
      {"*MESH_NUMFACES ", "*MESH_NUMFACES  \r\n", -1},
      {"*MESH_NUMFACES ", "*MESH_NUMFACES 2147483647", 2147483647},
      {"*MESH_NUMFACES ", "*MESH_NUMFACES 2147483648", -1},
      {"*MESH_NUMFACES ", "*MESH_NUMFACES " + nines, -1},
      {"*MESH_NUMFACES ", "*MESH_NUMFACES " + std::string(300, '0') + "5", 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FindKeywordInt(row.keyword, row.text.data(), 0, Length(row.text)), row.expected)
        << row.text;
  }
}

TEST(MeshText, ReadFloatAndReadIntReadOnlyDigitsPointsAndMinusSigns) {
  const std::string nines = std::string(259, '9') + " ";
  struct Row {
    std::string text;
    int pos;
    int end;  // -1: nothing read
    float value;
  } floats[] = {
      {"x 1.5e-3 ", 0, 5, 1.5f},
      {"x 1.5e-3 ", 5, 8, -3.0f},
      {"\t-.5\t", 0, 4, -0.5f},
      {"1.2.3 ", 0, 5, 1.2f},
      {"-- ", 0, 2, 0.0f},
      {"+4 ", 0, 2, 4.0f},
      {"0." + std::string(300, '0') + "1 ", 0, 303, 0.0f},
      {"text only", 0, -1, 0},
      {"ends in 12", 0, -1, 0},
      {nines, 0, -1, 0},
      {"1 ", -1, -1, 0},
  };
  for (const Row& row : floats) {
    float value = 42;
    EXPECT_EQ(ReadFloat(row.text.data(), row.pos, Length(row.text), &value), row.end) << row.text;
    EXPECT_EQ(value, row.end < 0 ? 42.0f : row.value) << row.text;
  }
  struct IntRow {
    std::string text;
    int end;
    int value;
  } ints[] = {
      {"A:    12 B:", 8, 12},  {"12.7 ", 4, 12}, {"-7\r\n", 2, -7},
      {"99999999999 ", -1, 0}, {"7", -1, 0},
  };
  for (const IntRow& row : ints) {
    int value = 42;
    EXPECT_EQ(ReadInt(row.text.data(), 0, Length(row.text), &value), row.end) << row.text;
    EXPECT_EQ(value, row.end < 0 ? 42 : row.value) << row.text;
  }
}

TEST(MeshText, ReadQuotedPathCopiesBetweenTheFirstTwoQuotesAfterTheBitmapKeyword) {
  const std::string longName(400, 'n');
  struct Row {
    std::string text;
    int result;
    std::string path;
  } rows[] = {
      {"*BITMAP \"maps\\wood.png\" x", 14, "maps\\wood.png"},
      {"\"a\" *BITMAP\r\n\t\"b.png\" \"c\" ", 6, "b.png"},
      {"*BITMAP \"\" x", 1, ""},
      {"*BITMAP \"open only", 1, ""},
      {"*BITMAP none at all", 1, ""},
      {"*MAP \"a.png\" x", 0, ""},
      {"*BITMAP \"" + longName + "\" x", 401, longName.substr(0, 299)},
  };
  for (const Row& row : rows) {
    char path[300] = "unchanged";
    EXPECT_EQ(ReadQuotedPath(row.text.data(), 0, Length(row.text), path, sizeof path), row.result)
        << row.text;
    EXPECT_EQ(path, row.result == 0 ? std::string("unchanged") : row.path) << row.text;
  }
}

}  // namespace
