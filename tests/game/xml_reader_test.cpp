// The pull reader over XML files: the order and kinds of nodes it reports, attribute access, the
// integer conversion the level files rely on, and what it does with files that are not good XML.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "IrrXMLReader.h"
#include "platform/files.h"
#include "temp_folder.h"

namespace {

class XmlReaderTest : public testing::Test {
 protected:
  std::unique_ptr<IrrXMLReader> Open(const std::string& content) {
    folder_.Write("file.xml", content);
    return std::unique_ptr<IrrXMLReader>(createIrrXMLReader(folder_.File("file.xml").c_str()));
  }

  TempFolder folder_;
};

// One line per node: its type, then its name or its text.
std::vector<std::string> Walk(IrrXMLReader& reader) {
  std::vector<std::string> nodes;
  while (reader.read()) {
    std::string line = std::to_string(reader.getNodeType()) + " " + reader.getNodeName();
    if (*reader.getNodeData() != '\0') line += std::string("'") + reader.getNodeData() + "'";
    nodes.push_back(line);
  }
  return nodes;
}

TEST(XmlTextToInt, ReadsAnOptionalSignAndDigitsUpToTheFirstOtherCharacter) {
  EXPECT_EQ(XmlTextToInt("0"), 0);
  EXPECT_EQ(XmlTextToInt("42"), 42);
  EXPECT_EQ(XmlTextToInt("007"), 7);
  EXPECT_EQ(XmlTextToInt("-17"), -17);
  EXPECT_EQ(XmlTextToInt("+8"), 8);
  EXPECT_EQ(XmlTextToInt("120.9"), 120);
  EXPECT_EQ(XmlTextToInt("-3.7"), -3);
  EXPECT_EQ(XmlTextToInt("12px"), 12);
  EXPECT_EQ(XmlTextToInt("5 6"), 5);
  EXPECT_EQ(XmlTextToInt("0x10"), 0);
  EXPECT_EQ(XmlTextToInt("1e3"), 1);
}

TEST(XmlTextToInt, GivesZeroWithoutLeadingDigits) {
  EXPECT_EQ(XmlTextToInt(nullptr), 0);
  EXPECT_EQ(XmlTextToInt(""), 0);
  EXPECT_EQ(XmlTextToInt("-"), 0);
  EXPECT_EQ(XmlTextToInt("+"), 0);
  EXPECT_EQ(XmlTextToInt(" 5"), 0);
  EXPECT_EQ(XmlTextToInt("\t5"), 0);
  EXPECT_EQ(XmlTextToInt("--5"), 0);
  EXPECT_EQ(XmlTextToInt("+-5"), 0);
  EXPECT_EQ(XmlTextToInt("- 5"), 0);
  EXPECT_EQ(XmlTextToInt("abc"), 0);
  EXPECT_EQ(XmlTextToInt(".9"), 0);
}

TEST(XmlTextToInt, SaturatesAtTheLimitsOfInt) {
  EXPECT_EQ(XmlTextToInt("2147483647"), INT_MAX);
  EXPECT_EQ(XmlTextToInt("2147483648"), INT_MAX);
  EXPECT_EQ(XmlTextToInt("-2147483648"), INT_MIN);
  EXPECT_EQ(XmlTextToInt("-2147483649"), INT_MIN);
  EXPECT_EQ(XmlTextToInt("99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(XmlTextToInt("-99999999999999999999999999"), INT_MIN);
  EXPECT_EQ(XmlTextToInt("00000000000000000000000012"), 12);
  EXPECT_EQ(XmlTextToInt(std::string(100000, '9').c_str()), INT_MAX);
}

TEST_F(XmlReaderTest, ReportsEveryNodeInDocumentOrderWithEndsOfElementsThatHaveContent) {
  auto reader = Open(
      "<?xml version=\"1.0\"?>\n<!-- levels -->\n"
      "<level name=\"a\"><object x=\"1\"/>snow<![CDATA[<raw>]]><group><object></object></group>"
      "</level>\n");
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->getNodeType(), kXmlNodeNone);
  EXPECT_STREQ(reader->getNodeName(), "");

  EXPECT_EQ(Walk(*reader),
            (std::vector<std::string>{"6 ", "4 ' levels '", "1 level", "1 object", "3 'snow'",
                                      "5 '<raw>'", "1 group", "1 object", "2 group", "2 level"}));
  EXPECT_FALSE(reader->read());
  EXPECT_EQ(reader->getNodeType(), kXmlNodeNone);
}

TEST_F(XmlReaderTest, ReadsAttributesOfTheElementItStandsOn) {
  auto reader = Open(
      "<level name=\"First &amp; &lt;best&gt;\" brickCnt=\"12\">\n"
      "  <object x=\"120.9\" y=\"-40\" type=\"2\"/>\n"
      "</level>");
  ASSERT_NE(reader, nullptr);

  ASSERT_TRUE(reader->read());
  EXPECT_STREQ(reader->getAttributeValue("name"), "First & <best>");
  EXPECT_EQ(reader->getAttributeValueAsInt("brickCnt"), 12);
  EXPECT_EQ(reader->getAttributeValue("x"), nullptr);

  ASSERT_TRUE(reader->read());
  ASSERT_STREQ(reader->getNodeName(), "object");
  EXPECT_EQ(reader->getAttributeValueAsInt("x"), 120);
  EXPECT_EQ(reader->getAttributeValueAsInt("y"), -40);
  EXPECT_EQ(reader->getAttributeValueAsInt("type"), 2);
  EXPECT_EQ(reader->getAttributeValue("name"), nullptr);
  EXPECT_EQ(reader->getAttributeValueAsInt("state"), 0);
  EXPECT_EQ(reader->getAttributeValue("Type"), nullptr) << "names are compared with their case";
  EXPECT_EQ(reader->getAttributeValue(nullptr), nullptr);

  ASSERT_TRUE(reader->read());
  EXPECT_EQ(reader->getNodeType(), kXmlNodeElementEnd);
  EXPECT_EQ(reader->getAttributeValue("name"), nullptr) << "an element's end has no attributes";
  EXPECT_FALSE(reader->read());
  EXPECT_EQ(reader->getAttributeValue("name"), nullptr);
}

TEST_F(XmlReaderTest, TakesTheFirstOfRepeatedAttributesAndEmptyValuesAsText) {
  auto reader = Open("<object x=\"5\" x=\"9\" type=\"\"/>");
  ASSERT_NE(reader, nullptr);
  ASSERT_TRUE(reader->read());
  EXPECT_EQ(reader->getAttributeValueAsInt("x"), 5);
  EXPECT_STREQ(reader->getAttributeValue("type"), "");
  EXPECT_EQ(reader->getAttributeValueAsInt("type"), 0);
}

TEST_F(XmlReaderTest, ReadsFilesWithAByteOrderMarkAndWindowsLineEnds) {
  auto reader = Open("\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<level\r\n name=\"Snow\"\r\n/>\r\n");
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(Walk(*reader), (std::vector<std::string>{"6 ", "1 level"}));
}

TEST_F(XmlReaderTest, OpensPathsWrittenWithBackslashes) {
  folder_.MakeFolder("levels");
  folder_.Write("levels/3.xml", "<level brickCnt=\"3\"/>");
  std::string windowsForm = folder_.WindowsPath() + "\\levels\\3.xml";

  std::unique_ptr<IrrXMLReader> reader(createIrrXMLReader(windowsForm.c_str()));
  ASSERT_NE(reader, nullptr);
  ASSERT_TRUE(reader->read());
  EXPECT_EQ(reader->getAttributeValueAsInt("brickCnt"), 3);
}

TEST_F(XmlReaderTest, GivesNoReaderForAFileThatCannotBeReadAndNotesWhy) {
  folder_.Write("empty.xml", "");
  ASSERT_EQ(mkfifo(folder_.File("pipe.xml").c_str(), 0600), 0);
  const std::pair<std::string, const char*> kRows[] = {
      {folder_.File("missing.xml"), "missing"},
      {folder_.Path(), "not a regular file"},
      {folder_.File("pipe.xml"), "not a regular file"},
      {folder_.File("empty.xml"), "empty"}};
  for (const auto& [path, reason] : kRows) {
    EXPECT_EQ(createIrrXMLReader(path.c_str()), nullptr) << path;
    EXPECT_STREQ(platform::TakeLoadFailure(), reason) << path;
  }
  EXPECT_EQ(createIrrXMLReader(nullptr), nullptr);
}

TEST_F(XmlReaderTest, GivesNoReaderForAFileAboveTheSizeLimit) {
  std::string big = "<level>" + std::string(kMaxXmlFileBytes, ' ') + "</level>";
  folder_.Write("big.xml", big);
  EXPECT_EQ(createIrrXMLReader(folder_.File("big.xml").c_str()), nullptr);
  EXPECT_STREQ(platform::TakeLoadFailure(), "too large");
}

TEST_F(XmlReaderTest, ReadsNothingFromAFileThatIsNotWellFormed) {
  const char* broken[] = {
      "   \n",
      "<level name=\"a\"><object x=\"1\"/>",        // never closed
      "<level><object></level></object>",           // crossed
      "<level name=\"a><object x=\"1\"/></level>",  // quote runs on
      "<level name=a/>",                            // unquoted value
      "<level/><level/>trailing <",                 // cut short
      "\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR",        // not text at all
  };
  for (const char* content : broken) {
    SCOPED_TRACE(content);
    auto reader = Open(content);
    ASSERT_NE(reader, nullptr);
    EXPECT_TRUE(Walk(*reader).empty());
    EXPECT_STREQ(platform::TakeLoadFailure(), "not well-formed XML");
  }
}

TEST_F(XmlReaderTest, KeepsAnUndeclaredEntityAsText) {
  auto reader = Open("<level name=\"&unknown; &#65;\"/>");
  ASSERT_NE(reader, nullptr);
  ASSERT_TRUE(reader->read());
  EXPECT_STREQ(reader->getAttributeValue("name"), "&unknown; A");
}

TEST_F(XmlReaderTest, DoesNotExpandEntitiesDeclaredInTheDocument) {
  std::string bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE level [\n <!ENTITY a \"aaaaaaaaaa\">\n";
  for (int i = 1; i < 10; ++i) {
    bomb += " <!ENTITY " + std::string(1, 'a' + i) + " \"";
    for (int j = 0; j < 10; ++j) bomb += "&" + std::string(1, 'a' + i - 1) + ";";
    bomb += "\">\n";
  }
  bomb += "]>\n<level name=\"&j;\"/>\n";
  auto reader = Open(bomb);
  ASSERT_NE(reader, nullptr);
  bool sawLevel = false;
  while (reader->read()) {
    if (reader->getNodeType() != kXmlNodeElement) continue;
    sawLevel = true;
    ASSERT_NE(reader->getAttributeValue("name"), nullptr);
    EXPECT_LT(std::string(reader->getAttributeValue("name")).size(), 10u);
  }
  EXPECT_TRUE(sawLevel);
}

TEST_F(XmlReaderTest, WalksVeryDeepNestingWithoutRecursion) {
  const int depth = 200000;
  std::string deep;
  for (int i = 0; i < depth; ++i) deep += "<n>";
  deep += "<object x=\"7\"/>";
  for (int i = 0; i < depth; ++i) deep += "</n>";
  auto reader = Open(deep);
  ASSERT_NE(reader, nullptr);
  int opened = 0, closed = 0, x = 0;
  while (reader->read()) {
    if (reader->getNodeType() == kXmlNodeElementEnd) ++closed;
    if (reader->getNodeType() != kXmlNodeElement) continue;
    ++opened;
    if (std::string(reader->getNodeName()) == "object") x = reader->getAttributeValueAsInt("x");
  }
  EXPECT_EQ(opened, depth + 1);
  EXPECT_EQ(closed, depth);
  EXPECT_EQ(x, 7);
}

TEST_F(XmlReaderTest, KeepsBytesAfterAnEmbeddedNulOutOfTheAttribute) {
  std::string content = "<object x=\"12";
  content += '\0';
  content += "34\" type=\"1\"/>";
  auto reader = Open(content);
  ASSERT_NE(reader, nullptr);
  while (reader->read()) {
    if (reader->getNodeType() == kXmlNodeElement) {
      EXPECT_EQ(reader->getAttributeValueAsInt("x"), 12);
    }
  }
}

}  // namespace
