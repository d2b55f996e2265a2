// Cutting texts to a number of characters: UTF-8 sequences are never split, whatever the input.
#include <gtest/gtest.h>

#include <string>

#include "foundation/foundation_intl.h"

TEST(TextCut, CountsCharactersOfTheCodePage) {
  struct Case {
    const char* text;
    std::size_t count;
    unsigned codePage;
    const char* expected;
  };
  const Case cases[] = {
      {"D\xE9mo", 2, 1252, "D\xE9"},  // one byte a character
      {"abc", 5, 1252, "abc"},
      {"D\xC3\xA9mo", 2, 65001, "D\xC3\xA9"},                      // é, two bytes
      {"\xCE\xB1\xCE\xB2\xCE\xB3", 2, 65001, "\xCE\xB1\xCE\xB2"},  // αβγ
      {"\xE8\xA8\x80\xE8\xAA\x9E", 1, 65001, "\xE8\xA8\x80"},      // 言語
      {"\xF0\x9F\x98\x80x", 1, 65001, "\xF0\x9F\x98\x80"},         // one emoji, four bytes
      {"\xE8\xA8", 1, 65001, "\xE8\xA8"},                          // a sequence cut short
      {"\x80\x80"
       "a",
       2, 65001, "\x80\x80"},              // stray continuation bytes
      {"\xFF\xC3\xA9", 1, 65001, "\xFF"},  // no valid lead
      {"\xC3\xA9", 0, 65001, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZK_TextCutIntl(c.text, c.count, c.codePage), c.expected)
        << c.text << " " << c.count << " " << c.codePage;
  }
}
