// Zyl_String: no text versus empty text, length limits, case and path helpers.
#include <cstring>
#include <string>

#include "graph/zyl_string.h"
#include "graph_test_support.h"

namespace {

TEST(ZylString, NullAndEmptyDiffer) {
  Zyl_String s;
  EXPECT_EQ(s.GetString(), nullptr);
  s.SetString("");
  ASSERT_NE(s.GetString(), nullptr);
  EXPECT_STREQ(s.GetString(), "");
  s.SetString(nullptr);
  EXPECT_EQ(s.GetString(), nullptr);
}

TEST(ZylString, AddStringOnNoTextCopies) {
  Zyl_String s;
  s.AddString("ab");
  EXPECT_STREQ(s.GetString(), "ab");
  s.AddString(nullptr);
  s.AddString("cd");
  EXPECT_STREQ(s.GetString(), "abcd");
}

TEST(ZylString, LongTextsAreCut) {
  const std::string longText(70000, 'x');
  Zyl_String s;
  s.SetString(longText.c_str());
  EXPECT_EQ(std::strlen(s.GetString()), 65534u);
  s.AddString("y");
  EXPECT_EQ(std::strlen(s.GetString()), 65534u);
  s.SetString(std::string(65530, 'a').c_str());
  s.AddString("bcdefgh");
  EXPECT_EQ(std::string(s.GetString()).substr(65530), "bcde");
}

TEST(ZylString, SetMaxCars) {
  Zyl_String s;
  s.SetString("abcdef");
  s.SetMaxCars(0);
  EXPECT_STREQ(s.GetString(), "abcdef");
  s.SetMaxCars(10);
  EXPECT_STREQ(s.GetString(), "abcdef");
  s.SetMaxCars(3);
  EXPECT_STREQ(s.GetString(), "abc");
}

TEST(ZylString, CaseConversionTouchesAsciiLettersOnly) {
  Zyl_String s;
  s.StrUpr();
  EXPECT_EQ(s.GetString(), nullptr);
  s.SetString("aB1-\xe9z");
  s.StrUpr();
  EXPECT_STREQ(s.GetString(), "AB1-\xe9Z");
  s.StrLwr();
  EXPECT_STREQ(s.GetString(), "ab1-\xe9z");
}

TEST(ZylString, CopyIsDeep) {
  Zyl_String a;
  a.SetString("one");
  Zyl_String b(a);
  a.SetString("two");
  EXPECT_STREQ(b.GetString(), "one");
  b = a;
  EXPECT_STREQ(b.GetString(), "two");
}

struct PathCase {
  const char* path;
  const char* expected;
};

class MakeFullName : public ::testing::TestWithParam<PathCase> {};

TEST_P(MakeFullName, KeepsLastComponent) {
  char buffer[300];
  std::strcpy(buffer, GetParam().path);
  Zyl_String s;
  EXPECT_EQ(s.MakeFULLName(buffer), buffer);
  EXPECT_STREQ(buffer, GetParam().expected);
  EXPECT_EQ(s.GetString(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, MakeFullName,
                         ::testing::Values(PathCase{"dir\\sub/file.dll", "file.dll"},
                                           PathCase{"\\file.dll", "\\file.dll"},
                                           PathCase{"file.dll", "file.dll"},
                                           PathCase{"a\\", ""},
                                           PathCase{"Z:\\x\\y.dll", "y.dll"}));

}  // namespace

namespace {

TEST(TextEqualIgnoringCase, ComparesAsciiLettersCaselessly) {
  EXPECT_TRUE(TextEqualIgnoringCase("Light", "LIGHT"));
  EXPECT_FALSE(TextEqualIgnoringCase("Light", "Lights"));
  EXPECT_FALSE(TextEqualIgnoringCase("Lights", "Light"));
  EXPECT_TRUE(TextEqualIgnoringCase("", ""));
  EXPECT_FALSE(TextEqualIgnoringCase(nullptr, "a"));
  EXPECT_FALSE(TextEqualIgnoringCase("a", nullptr));
}

}  // namespace
