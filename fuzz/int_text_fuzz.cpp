// Integer texts in radix 8, 10 and 16, against the standard stream extraction they follow.
#include <cstdint>
#include <iomanip>
#include <ios>
#include <sstream>
#include <string>

#include "foundation/foundation_intl.h"
#include "fuzz_input.h"

namespace {

std::int32_t streamRead(const std::string& text, int radix) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  std::int32_t value = 0;
  in >> std::setbase(radix) >> value;
  return in.fail() ? 0 : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int radixes[] = {8, 10, 16};
  const int radix = radixes[input.byte() % 3];
  const std::string text = input.rest();

  const std::int32_t value = ZK_TextToIntIntl(text, radix);
  // A lone "0x" prefix is read by some libraries as the 0 before the x and by others as a
  // failure: 0 either way.
  FUZZ_CHECK(value == streamRead(text, radix));

  const std::string written = ZK_IntToTextIntl(value, 10);
  FUZZ_CHECK(ZK_TextToIntIntl(written, 10) == value);
  if (value >= 0) {
    FUZZ_CHECK(ZK_TextToIntIntl(ZK_IntToTextIntl(value, radix), radix) == value);
  }
  return 0;
}
