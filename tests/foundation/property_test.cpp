// Property strings, word tests, colours and integer texts.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "foundation/foundation_intl.h"
#include "foundation/system.h"

namespace {

struct PropertyCase {
  const char* properties;
  const char* key;
  const char* expected;
};

TEST(PropertyGet, FindsKeysByTheirRules) {
  const PropertyCase cases[] = {
      {"name=Velmo v1.1", "NAME", "Velmo v1.1"},
      {"name=Velmo v1.1", "name", "Velmo v1.1"},
      {"name=Velmo v1.1", "Name", "Velmo v1.1"},
      {"bkcol=red;name= Demo ", "NAME", "Demo"},
      {"bkcol=red;name= Demo ", "BKCOL", "red"},
      {"a=1; name=x", "NAME", ""},  // a blank after ";" hides the key
      {"name =x", "NAME", ""},      // and so does a blank before "="
      {"remark=xname=y;name=z", "NAME", "z"},
      {"name=a;name=b", "NAME", "a"},  // the leftmost occurrence wins
      {"value1=un;value10=dix", "VALUE1", "un"},
      {"value1=un;value10=dix", "VALUE10", "dix"},
      {"value1=un;value10=dix", "VALUE", ""},
      {"modal", "MODAL", ""},
      {"modal=", "MODAL", ""},
      {"modal=;modal=true", "MODAL", ""},  // an empty first value still wins
      {"name=   ", "NAME", ""},
      {"name=\ta\t", "NAME", "\ta\t"},  // only spaces are trimmed
      {"", "NAME", ""},
      {"name=x", "", ""},
      {"NAME=Keeps Its Case", "name", "Keeps Its Case"},
      {"na\xC9me=x;na\xE9me=y", "NA\xC9ME", "x"},  // non-ASCII bytes match exactly
      {"na\xE9me=y", "NA\xC9ME", ""},
      {"name=x;", "NAME", "x"},
      {";name=x", "NAME", "x"},
      {"name==x", "NAME", "=x"},
      {"name", "NAME", ""},  // key at the very end, no "="
      {"x=1;name", "NAME", ""},
  };
  for (const PropertyCase& c : cases) {
    EXPECT_EQ(ZK_PropertyGetIntl(c.key, c.properties), c.expected)
        << "key " << c.key << " in '" << c.properties << "'";
  }
}

TEST(PropertyKeys, AreWhatStandsBeforeEachEntrysFirstEquals) {
  const std::string properties = "Name=a=b;modal; bkcol=red;=x;value1=;name=c";
  const std::vector<std::string_view> keys = ZK_PropertyKeysIntl(properties);
  EXPECT_EQ(keys, (std::vector<std::string_view>{"Name", " bkcol", "", "value1", "name"}));
  EXPECT_TRUE(ZK_PropertyKeyInIntl(keys, "NAME"));
  EXPECT_TRUE(ZK_PropertyKeyInIntl(keys, "VALUE1"));
  EXPECT_FALSE(ZK_PropertyKeyInIntl(keys, "MODAL"));
  EXPECT_FALSE(ZK_PropertyKeyInIntl(keys, "BKCOL"));
  EXPECT_FALSE(ZK_PropertyKeyInIntl(keys, "VALUE"));
  const std::string empty;
  EXPECT_TRUE(ZK_PropertyKeysIntl(empty).empty());

  // Every key the reader finds a value for is among the keys.
  for (const std::string text : {"a=1; name=x", "remark=xname=y;name=z", "value1=un;value10=dix",
                                 "name==x", "x=1;name", ";name=x", "NAME=Keeps"}) {
    for (const char* key : {"NAME", "VALUE1", "VALUE10", "REMARK", "A", "X"}) {
      if (ZK_PropertyGetIntl(key, text).empty()) continue;
      EXPECT_TRUE(ZK_PropertyKeyInIntl(ZK_PropertyKeysIntl(text), key))
          << key << " in '" << text << "'";
    }
  }
}

TEST(PropertyGet, ArbitraryBytesNeverGiveSemicolonsOrOuterSpaces) {
  // A deterministic walk over short texts of every byte value.
  std::string properties;
  for (int i = 0; i < 4096; ++i) {
    properties.push_back(static_cast<char>((i * 131 + 7) % 256));
    if (i % 17 == 0) properties += "key=";
    if (i % 23 == 0) properties += ";";
  }
  for (std::size_t start = 0; start + 64 < properties.size(); start += 61) {
    const std::string slice = properties.substr(start, 64);
    const std::string value = ZK_PropertyGetIntl("KEY", slice);
    EXPECT_EQ(value.find(';'), std::string::npos);
    if (!value.empty()) {
      EXPECT_NE(value.front(), ' ');
      EXPECT_NE(value.back(), ' ');
      EXPECT_NE(slice.find(value), std::string::npos);
    }
  }
}

TEST(Upper, TurnsOnlyAsciiLettersUpper) {
  EXPECT_EQ(ZK_UpperIntl("abc xyz AZ 09 {}"), "ABC XYZ AZ 09 {}");
  EXPECT_EQ(ZK_UpperIntl("\xE9t\xE9"), "\xE9T\xE9");
  EXPECT_EQ(ZK_UpperIntl(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(WordTests, TrueAndFalseWordsInAnyCaseAndNothingElse) {
  for (const char* word : {"T", "TRUE", "Y", "YES", "yes", "y", "True", "tRuE"}) {
    EXPECT_TRUE(ZK_IsTrueIntl(word)) << word;
    EXPECT_FALSE(ZK_IsFalseIntl(word)) << word;
  }
  for (const char* word : {"F", "FALSE", "N", "NO", "no", "n", "False"}) {
    EXPECT_TRUE(ZK_IsFalseIntl(word)) << word;
    EXPECT_FALSE(ZK_IsTrueIntl(word)) << word;
  }
  for (const char* word : {"", "1", "0", " yes", "yes ", "oui", "non", "TRUEX"}) {
    EXPECT_FALSE(ZK_IsTrueIntl(word)) << word;
    EXPECT_FALSE(ZK_IsFalseIntl(word)) << word;
  }
}

TEST(Colour, NamesThenHexadecimal) {
  const struct {
    const char* text;
    std::uint32_t colour;
  } cases[] = {
      {"black", 0x000000},
      {"White", 0xFFFFFF},
      {"Red", 0x0000FF},
      {"BLUE", 0xFF0000},
      {"green", 0x00FF00},
      {"yellow", 0x00FFFF},
      {"magenta", 0xFF00FF},
      {"cyan", 0xFFFF00},
      {"grey", 0xBFBFBF},
      {"lightgrey", 0xDFDFDF},
      {"darkgrey", 0x7F7F7F},
      {"00ff00", 0x00FF00},
      {"FF", 0x0000FF},
      {"FF0000", 0xFF0000},
      {"-1", 0xFFFFFFFF},
      {"0x0000ff", 0x0000FF},
      {"", 0},
      {"purple", 0},
      {"gray", 0},
      {"FFFFFFFF", 0},  // beyond a signed 32-bit number: unreadable, so black
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZK_ColourIntl(c.text), c.colour) << c.text;
  }
  EXPECT_EQ(ZK_ColourIntl("button"), ZK_SystemButtonFaceIntl());
  EXPECT_EQ(ZK_ColourIntl("Button"), ZK_SystemButtonFaceIntl());
}

TEST(TextToInt, ReadsAsStreamExtractionDoes) {
  const struct {
    const char* text;
    int radix;
    std::int32_t value;
  } cases[] = {
      {"  42", 10, 42},
      {"010", 10, 10},
      {"x", 10, 0},
      {"", 10, 0},
      {"12abc", 10, 12},
      {"-5", 10, -5},
      {"+7", 10, 7},
      {"\t\n 3", 10, 3},
      {"- 5", 10, 0},
      {"2147483647", 10, 2147483647},
      {"2147483648", 10, 0},
      {"-2147483648", 10, -2147483647 - 1},
      {"-2147483649", 10, 0},
      {"99999999999999999999999", 10, 0},
      {"ff", 16, 255},
      {"0xFF", 16, 255},
      {"0X1f", 16, 31},
      {"-1", 16, -1},
      {"-0x10", 16, -16},
      {"0x", 16, 0},
      {"7fffffff", 16, 2147483647},
      {"80000000", 16, 0},
      {"17", 8, 15},
      {"8", 8, 0},
      {"0x10", 8, 0},
      {"15", 3, 15},
      {"15", 0, 15},
      {"ff", 10, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZK_TextToIntIntl(c.text, c.radix), c.value) << c.text << " radix " << c.radix;
  }
}

TEST(IntToText, WritesDigitsWithoutPrefixOrLeadingZeros) {
  EXPECT_EQ(ZK_IntToTextIntl(-5, 10), "-5");
  EXPECT_EQ(ZK_IntToTextIntl(0, 10), "0");
  EXPECT_EQ(ZK_IntToTextIntl(40001, 10), "40001");
  EXPECT_EQ(ZK_IntToTextIntl(-2147483647 - 1, 10), "-2147483648");
  EXPECT_EQ(ZK_IntToTextIntl(255, 16), "ff");
  EXPECT_EQ(ZK_IntToTextIntl(8, 8), "10");
  EXPECT_EQ(ZK_IntToTextIntl(-1, 16), "ffffffff");
  EXPECT_EQ(ZK_IntToTextIntl(12, 7), "12");
  for (std::int32_t v : {0, 1, -1, 99, -12345, 2147483647}) {
    EXPECT_EQ(ZK_TextToIntIntl(ZK_IntToTextIntl(v, 10), 10), v);
    EXPECT_EQ(ZK_TextToIntIntl(ZK_IntToTextIntl(v, 16), 16), v >= 0 ? v : 0);
  }
}

}  // namespace
