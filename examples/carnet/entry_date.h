// Dates of entries: "dd/mm/yyyy", a real calendar date from 1970 to 2037, kept as a day number.
#pragma once

#include <cstdint>
#include <string>

namespace carnet {

// The toolkit's date fields hold signed 32-bit seconds since 1970 (up to January 2038): an
// entry outside these whole years could not be edited back in the grid's date editor.
constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2037;
constexpr std::size_t kDateTextSize = 10;

// Days since 01/01/1970 of the 10 bytes at `text`, or -1 when they are not a date in range.
int ScanDate(const char* text);
// True when the whole text is one date.
bool ParseDate(const std::string& text, int& days);
// Writes the kDateTextSize bytes of "dd/mm/yyyy".
void FormatDate(int days, char* out);
std::string DateText(int days);

}  // namespace carnet
