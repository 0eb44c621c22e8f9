#include <gtest/gtest.h>

#include "platform/crt.h"

TEST(Crt, CaseInsensitiveComparisonStopsAtCount) {
  EXPECT_EQ(_strnicmp("ReadMe.TXT", "readme.txt", 10), 0);
  EXPECT_EQ(_strnicmp("abcX", "ABCy", 3), 0);
  EXPECT_LT(_strnicmp("abc", "abd", 3), 0);
  EXPECT_EQ(_stricmp("Tar", "tAR"), 0);
}

TEST(Crt, SnprintfReportsTruncationAndStillTerminates) {
  char buffer[6];
  EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%d", 12345), 5);
  EXPECT_STREQ(buffer, "12345");
  EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%d", 123456), -1);
  EXPECT_STREQ(buffer, "12345");
}
