// The word sort of the platform's string comparison (lstrcmpW, lstrcmpiW).
#pragma once

namespace handset::strings {

// Compares as the default user locale does: letters alphabetically whatever their case and accent,
// then accents, then case (lower before upper) unless ignored; symbols sort before digits and digits
// before letters; hyphens and apostrophes only count when all else is equal, so "coop" and "co-op"
// sort together. Returns -1, 0 or 1.
int CompareWordSort(const char16_t* a, const char16_t* b, bool ignoreCase);

}  // namespace handset::strings
