// docs/reference.md held against the code: every public name and keyword is described, every
// status code carries its catalogue messages, the colour table and the ZK_FormItemSet column are
// the toolkit's, and the examples of dates and amounts are run here. Also the release files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/clock.h"
#include "foundation/foundation_intl.h"
#include "zarvik/zarvik.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSource = ZARVIK_SOURCE_DIR;

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

const std::string& reference() {
  static const std::string text = readText(kSource / "docs" / "reference.md");
  return text;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// The cells of a table row, trimmed, each without one pair of backticks around it.
std::vector<std::string> cells(const std::string& row) {
  std::vector<std::string> result;
  std::istringstream in(row.substr(1));
  for (std::string cell; std::getline(in, cell, '|');) {
    cell.erase(0, cell.find_first_not_of(' '));
    cell.erase(cell.find_last_not_of(' ') + 1);
    if (cell.size() >= 2 && cell.front() == '`' && cell.back() == '`')
      cell = cell.substr(1, cell.size() - 2);
    result.push_back(cell);
  }
  return result;
}

// The rows of the table whose header row starts with `header`.
std::vector<std::vector<std::string>> table(const std::string& header) {
  const std::vector<std::string> all = lines(reference());
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].rfind(header, 0) != 0) continue;
    for (std::size_t j = i + 2; j < all.size() && !all[j].empty() && all[j][0] == '|'; ++j)
      rows.push_back(cells(all[j]));
    break;
  }
  EXPECT_FALSE(rows.empty()) << "no table headed " << header;
  return rows;
}

bool isNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The word stands in the reference on its own, not as part of a longer name.
bool mentions(const std::string& word) {
  const std::string& text = reference();
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const bool before = at > 0 && isNameCharacter(text[at - 1]);
    const std::size_t end = at + word.size();
    if (!before && (end == text.size() || !isNameCharacter(text[end]))) return true;
  }
  return false;
}

// The catalogue is in code page 1252, this page in UTF-8; its texts use Latin-1 letters only.
std::string utf8(const std::string& text) {
  std::string result;
  for (const unsigned char c : text) {
    if (c < 0x80) {
      result += static_cast<char>(c);
      continue;
    }
    EXPECT_GE(c, 0xA0) << "a code page 1252 letter outside Latin-1 in: " << text;
    result += static_cast<char>(0xC0 | (c >> 6));
    result += static_cast<char>(0x80 | (c & 0x3F));
  }
  return result;
}

std::string catalogueMessage(int code, const std::string& language) {
  std::ifstream catalogue(kSource / "toolkit" / "foundation" / "zarmsg.zdb");
  return ZK_CatalogueLookupIntl(catalogue, code, language);
}

// Every `inline constexpr char ZK_X[] = "TEXT";` of the public header, name to text.
std::map<std::string, std::string> keywordConstants() {
  const std::string header = readText(kSource / "toolkit" / "include" / "zarvik" / "zarvik.h");
  const std::regex constant(R"re(inline constexpr char (ZK_\w+)\[\] = "([^"]*)";)re");
  std::map<std::string, std::string> result;
  for (std::sregex_iterator it(header.begin(), header.end(), constant), end; it != end; ++it)
    result[(*it)[1]] = (*it)[2];
  EXPECT_GT(result.size(), 50u);
  return result;
}

TEST(Reference, DescribesEveryPublicName) {
  const std::regex name(R"(\bZK_\w+)");
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(kSource / "toolkit" / "include" / "zarvik")) {
    if (entry.path().extension() != ".h") continue;
    const std::string text = readText(entry.path());
    for (std::sregex_iterator it(text.begin(), text.end(), name), end; it != end; ++it)
      names.insert(it->str());
  }
  EXPECT_GT(names.size(), 100u);
  for (const std::string& found : names) EXPECT_TRUE(mentions(found)) << found;
}

TEST(Reference, DescribesEveryCommandOfTheTestDriver) {
  // Each row of the driver's command table: {L"name", least, most, ...
  const std::string source = readText(kSource / "tools" / "probe" / "probe_commands.cpp");
  const std::regex row(R"re(\{L"([a-z-]+)", \d+, )re");
  int count = 0;
  for (std::sregex_iterator it(source.begin(), source.end(), row), end; it != end; ++it, ++count)
    EXPECT_NE(reference().find("`" + (*it)[1].str() + "`"), std::string::npos) << (*it)[1];
  EXPECT_GT(count, 30);
}

TEST(Reference, EveryKeywordHasATableRowWithItsText) {
  const std::vector<std::string> all = lines(reference());
  for (const auto& [name, text] : keywordConstants()) {
    bool found = false;
    for (const std::string& line : all) {
      found =
          found || (line.rfind("|", 0) == 0 && line.find("`" + name + "`") != std::string::npos &&
                    line.find("`" + text + "`") != std::string::npos);
    }
    EXPECT_TRUE(found) << name << " = \"" << text << "\"";
  }
}

TEST(Reference, StatusCodesCarryTheirCatalogueMessages) {
  const std::string header = readText(kSource / "toolkit" / "include" / "zarvik" / "zarvik.h");
  std::map<int, std::string> constants;
  const std::regex enumerator(R"((ZK_ERR_\w+) = (\d+),)");
  for (std::sregex_iterator it(header.begin(), header.end(), enumerator), end; it != end; ++it)
    constants[std::stoi((*it)[2])] = (*it)[1];

  std::map<int, std::vector<std::string>> rows;
  for (const auto& row : table("| code | constant | message (English)"))
    rows[std::stoi(row[0])] = row;
  EXPECT_EQ(rows.size(), static_cast<std::size_t>(ZK_ALL_STATUS_CODE_COUNT));
  for (int i = 0; i < ZK_ALL_STATUS_CODE_COUNT; ++i) {
    const int code = ZK_ALL_STATUS_CODES[i];
    ASSERT_EQ(rows.count(code), 1u) << code;
    const std::vector<std::string>& row = rows[code];
    ASSERT_GE(row.size(), 5u) << code;
    EXPECT_EQ(row[1], constants[code]) << code;
    EXPECT_EQ(row[2], catalogueMessage(code, "US")) << code;
    EXPECT_EQ(row[3], utf8(catalogueMessage(code, ZK_LANGUAGE))) << code;
  }
}

TEST(Reference, ColourTableIsTheToolkits) {
  std::map<std::string, std::string> documented;
  for (const auto& row : table("| name | value")) documented[row[0]] = row[1];
  // The toolkit's own table of names, read from its source.
  const std::string source = readText(kSource / "toolkit" / "foundation" / "property.cpp");
  const std::regex named(R"re(\{"([A-Z]+)", 0x([0-9A-F]+)\})re");
  int count = 0;
  for (std::sregex_iterator it(source.begin(), source.end(), named), end; it != end; ++it, ++count)
    EXPECT_EQ(documented[(*it)[1]], "0x" + (*it)[2].str()) << (*it)[1];
  EXPECT_GT(count, 5);
  EXPECT_EQ(documented.size(), static_cast<std::size_t>(count) + 1);  // and BUTTON
  EXPECT_EQ(documented.count("BUTTON"), 1u);
  for (const auto& [name, value] : documented) {
    if (name == "BUTTON") continue;
    std::string lower = name;  // names match in any case
    for (char& c : lower) c = static_cast<char>(c - 'A' + 'a');
    EXPECT_EQ(ZK_ColourIntl(name), std::stoul(value, nullptr, 16)) << name;
    EXPECT_EQ(ZK_ColourIntl(lower), std::stoul(value, nullptr, 16)) << lower;
  }
}

TEST(Reference, DateExamplesAreTheToolkits) {
  DateValue moment;
  moment.Set(2026, 12, 7, 14, 5, 9);
  ASSERT_EQ(moment.Error(), 0);
  for (const auto& row : table("| format | 7 December 2026, 14:05:09 |"))
    EXPECT_EQ(moment.Format(row[0]), row[1]) << row[0];

  DateValue today;
  today.Set(2026, 12, 7, 12, 0, 0);
  ZK_ClockFixIntl(today.seconds);
  for (const auto& row : table("| format | typed on 7 December 2026 | read as |")) {
    DateValue typed;
    typed.SetFormat(row[0]);
    typed.Parse(row[1]);
    if (row[2] == "refused") {
      EXPECT_NE(typed.Error(), 0) << row[0] << " " << row[1];
    } else {
      EXPECT_EQ(typed.Error(), 0) << row[0] << " " << row[1];
      EXPECT_EQ(typed.Format(""), row[2]) << row[0] << " " << row[1];
    }
  }
  ZK_ClockRealIntl();
}

// As a field of type CURRENCY checks and rewrites what was typed.
TEST(Reference, AmountExamplesAreTheToolkits) {
  for (const auto& row : table("| picture | typed | shown |")) {
    CurrencyValue amount;
    amount.SetFormat(row[0]);
    amount.Parse(row[1]);
    if (row[2] == "refused") {
      EXPECT_NE(amount.Error(), 0) << row[0] << " " << row[1];
    } else {
      EXPECT_EQ(amount.Error(), 0) << row[0] << " " << row[1];
      EXPECT_EQ(amount.Format(), row[2]) << row[0] << " " << row[1];
    }
  }
}

// The index's last column says which keys ZK_FormItemSet takes; every keyword it takes is there.
TEST(Reference, FormItemSetColumnIsWhatItAccepts) {
  ASSERT_EQ(ZK_FormItemAdd("reference", "item", ZK_STATIC, 1, 0, 0, 10, 10, ""), ZK_OK);
  std::map<std::string, std::string> documented;
  for (const auto& row : table("| key | constant | read for |")) {
    ASSERT_GE(row.size(), 4u) << row[0];
    documented[row[0]] = row[3];
  }
  for (const auto& [key, changes] : documented) {
    const int status = ZK_FormItemSet("reference", "item", key, "");
    EXPECT_EQ(status, changes == "yes" ? ZK_OK : ZK_ERR_KEYWORD_UNKNOWN) << key;
  }
  for (const auto& [name, text] : keywordConstants()) {
    if (ZK_FormItemSet("reference", "item", text, "") != ZK_ERR_KEYWORD_UNKNOWN) {
      EXPECT_EQ(documented[text], "yes") << name;
    }
  }
}

// Statuses are named by their constants wherever a function's comment in the public header or a
// sentence of this page says what it returns or reports; a bare number is easily wrong.
TEST(Reference, StatusesAreNamedByTheirConstants) {
  const std::set<int> codes(ZK_ALL_STATUS_CODES, ZK_ALL_STATUS_CODES + ZK_ALL_STATUS_CODE_COUNT);
  // From the word that says it to the end of the clause: every number in a list counts.
  const std::regex said(
      R"(\b(?:[Ss]tatus(?:es)?(?!\s+(?:codes?|bar)\b)|[Rr]eturn(?:s|ed)?|[Rr]eports?|refused with)\b[^.;|`]*)");
  const std::regex number(R"(\b\d+\b)");
  const auto bareCodes = [&](const std::string& text) {
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), said), end; it != end; ++it) {
      const std::string clause = it->str();
      for (std::sregex_iterator n(clause.begin(), clause.end(), number); n != end; ++n) {
        if (codes.count(std::stoi(n->str())) != 0) {
          found.push_back(clause);
          break;
        }
      }
    }
    return found;
  };
  const std::string header = readText(kSource / "toolkit" / "include" / "zarvik" / "zarvik.h");
  std::string comments;
  for (const std::string& line : lines(header))
    if (line.rfind("//", 0) == 0) comments += line.substr(2) + "\n";
  EXPECT_EQ(bareCodes(comments), std::vector<std::string>{}) << "zarvik.h";
  // The page's prose and tables: not the rows of the tables of statuses (each row gives its
  // number) nor its code blocks.
  const std::regex statusRow(R"(\| \d+ \|.*)");
  std::string prose;
  bool code = false;
  for (const std::string& line : lines(reference())) {
    if (line.rfind("```", 0) == 0) code = !code;
    if (!code && !std::regex_match(line, statusRow)) prose += line + "\n";
  }
  EXPECT_EQ(bareCodes(prose), std::vector<std::string>{}) << "reference.md";
}

// The README's guide is the Clients example, whole: its one C++ block stands for
// examples/clients/clients.cpp, which the build compiles and tests/e2e/clients_test.sh drives;
// scripts/doc-examples.sh (the test docs.examples) holds the block to the file, line for line.
TEST(Reference, ReadmeGuideIsTheClientsExample) {
  const std::string readme = readText(kSource / "README.md");
  const std::string::size_type guide = readme.find("\n## A keyboard-first form");
  ASSERT_NE(guide, std::string::npos);
  const std::string::size_type next = readme.find("\n## ", guide + 1);
  const std::string section = readme.substr(guide, next - guide);
  std::vector<std::string> fences;
  for (const std::string& line : lines(section))
    if (line.rfind("```c", 0) == 0) fences.push_back(line);
  EXPECT_EQ(fences, std::vector<std::string>{"```cpp file=examples/clients/clients.cpp"});
  EXPECT_TRUE(fs::is_regular_file(kSource / "examples" / "clients" / "clients.cpp"));
}

TEST(Reference, ReleaseFilesNameLicenceAndVersion) {
  EXPECT_EQ(readText(kSource / "LICENSE").rfind("MIT License\n", 0), 0u);
  const std::string changes = readText(kSource / "CHANGELOG.md");
  EXPECT_NE(changes.find("\n## [" + std::string(ZK_VERSION) + "]"), std::string::npos)
      << "CHANGELOG.md has no entry for " << ZK_VERSION;
}

}  // namespace
