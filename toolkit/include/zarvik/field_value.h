// FieldValue: what a form item holds as its value, copied whole with its
// ItemRecord.
#pragma once

#include <string>

#include "currency_value.h"
#include "date_value.h"

// The item's TYPE says which members carry meaning: `text` for STRING, DATE
// and CURRENCY, `date` for DATE, `currency` for CURRENCY. DATE and CURRENCY
// keep in `text` what was typed; only the control shows the reformatted value.
struct FieldValue {
  bool checkState = false;  // state of a CHECK or CHECKSYS item; false for other kinds
  std::string text;         // the item's text, as last read from its control
  CurrencyValue currency;   // the amount read from `text` (TYPE CURRENCY), with its layout
  DateValue date;           // the date read from `text` (TYPE DATE), with its format
};
