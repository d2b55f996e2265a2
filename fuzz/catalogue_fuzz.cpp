// The catalogue lookup on arbitrary file contents: a message is one line of the file, or one of
// the two fixed texts.
#include <sstream>
#include <string>

#include "foundation/foundation_intl.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int code = input.byte() % 64 + (input.byte() & 1) * 1000;
  const std::string contents = input.rest();
  for (const char* language : {"FR", "US"}) {
    std::istringstream catalogue(contents);
    const std::string message = ZK_CatalogueLookupIntl(catalogue, code, language);
    FUZZ_CHECK(message.find('\n') == std::string::npos);
    FUZZ_CHECK(message == "no message : message error not found" ||
               contents.find(message) != std::string::npos);
  }
  return 0;
}
