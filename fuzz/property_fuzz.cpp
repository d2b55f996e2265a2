// Property lookup on arbitrary strings, for every keyword, against a plain reading of the rules
// (upper-case copies, search for KEY=, a hit only at the start or after ";").
#include <string>

#include "foundation/foundation_intl.h"
#include "fuzz_input.h"
#include "zarvik/zarvik.h"

namespace {

const char* const kKeys[] = {
    ZK_MENU,    ZK_LF,      ZK_NAME,   ZK_BKCOL,    ZK_TXCOL,    ZK_EDGE,      ZK_MODAL,
    ZK_STBAR,   ZK_RESIZE,  ZK_ENABLE, ZK_VISIBLE,  ZK_PASSWORD, ZK_MULTILINE, ZK_CHECK,
    ZK_VALUE,   ZK_BUTTON,  ZK_TYPE,   ZK_LENGTH,   ZK_FORMAT,   ZK_REMARK,    ZK_NOTNULL,
    ZK_EDIT,    ZK_TXHPOS,  ZK_TXVPOS, ZK_FTNAME,   ZK_FTSIZE,   ZK_FTBOLD,    ZK_FTITALIC,
    ZK_FTULINE, ZK_BRDSIZE, ZK_BRDCOL, ZK_BRDSTYLE, ZK_RETURN,   ZK_ADDVALUE,  ZK_CLEARVALUE,
    "VALUE1",   "VALUE50",
};

std::string referenceGet(const std::string& key, const std::string& properties) {
  if (key.empty() || properties.empty()) return "";
  const std::string upperKey = ZK_UpperIntl(key) + "=";
  const std::string upperProperties = ZK_UpperIntl(properties);
  std::size_t hit = upperProperties.find(upperKey);
  while (hit != std::string::npos && hit != 0 && upperProperties[hit - 1] != ';') {
    hit = upperProperties.find(upperKey, hit + 1);
  }
  if (hit == std::string::npos) return "";
  const std::size_t start = hit + upperKey.size();
  std::string value = properties.substr(start, properties.find(';', start) - start);
  const std::size_t first = value.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return value.substr(first, value.find_last_not_of(' ') - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t choice = input.byte();
  const std::size_t keyCount = sizeof kKeys / sizeof kKeys[0];
  const std::string key = choice < keyCount ? kKeys[choice] : input.text();
  const std::string properties = input.rest();

  const std::string value = ZK_PropertyGetIntl(key, properties);
  FUZZ_CHECK(value.find(';') == std::string::npos);
  FUZZ_CHECK(value.empty() || (value.front() != ' ' && value.back() != ' '));
  FUZZ_CHECK(value.empty() || properties.find(value) != std::string::npos);
  FUZZ_CHECK(value == referenceGet(key, properties));

  // The readers of a value never fail either.
  ZK_IsTrueIntl(value);
  ZK_IsFalseIntl(value);
  FUZZ_CHECK(!(ZK_IsTrueIntl(value) && ZK_IsFalseIntl(value)));
  ZK_ColourIntl(value);
  return 0;
}
