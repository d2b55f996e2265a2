// CurrencyValue pictures, currency names and texts: no crash, error codes within their table,
// and an accepted amount written with a wide enough picture reads back as the same amount.
#include <string>

#include "fuzz_input.h"
#include "zarvik/currency_value.h"

namespace {
const char* const kCurrencies[] = {"US", "US$", "FR", "FR$", "EUR", ""};
const char kWidePicture[] = "9999999999999999999,888888888";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t mode = input.byte();
  const std::string picture = input.text();
  const std::string text = input.rest();

  CurrencyValue amount;
  if (mode & 1) {
    amount.SetCurrency(static_cast<int>(mode >> 1) % 21 - 1, static_cast<int>(mode) % 12 - 1,
                       kCurrencies[(mode >> 2) % 6]);
  } else {
    amount.SetFormat(picture);
  }
  FUZZ_CHECK(amount.Error() >= 0 && amount.Error() <= 6);
  amount.Parse(text);
  FUZZ_CHECK(amount.Error() >= 0 && amount.Error() <= 6);
  FUZZ_CHECK(amount.units >= 0);
  FUZZ_CHECK(amount.fraction == 0 || (amount.fraction >= 1000000000));
  const bool accepted = amount.Error() == 0 && !amount.IsEmpty();
  amount.Format();
  FUZZ_CHECK(amount.Error() >= 0 && amount.Error() <= 6);

  if (accepted) {
    CurrencyValue wide = amount;
    wide.SetFormat(kWidePicture);
    const std::string written = wide.Format();
    if (wide.Error() == 0) {
      CurrencyValue back;
      back.SetFormat(kWidePicture);
      back.Parse(written);
      FUZZ_CHECK(back.Error() == 0);
      FUZZ_CHECK(back.units == amount.units);
      FUZZ_CHECK(back.fraction == amount.fraction);
      FUZZ_CHECK(back.negative == amount.negative || (amount.units == 0 && amount.fraction == 0));
    }
  }
  return 0;
}
