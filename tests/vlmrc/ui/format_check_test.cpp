// The check of a translated format before wsprintfW fills it: the version line takes a string and
// a number, the no-reply entries a number. A format the check lets through must take exactly
// arguments of those kinds, in order; anything else is shown unformatted.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "internals/internals_test.h"

namespace {

class FormatCheckTest : public testing_support::InternalsTest {};

const FormatArgument kVersion[] = {ARG_STRING, ARG_NUMBER};
const FormatArgument kNoReply[] = {ARG_NUMBER};

struct Case {
  const char16_t* text;
  bool version;  // fillable with ("2.5", version number)
  bool noReply;  // fillable with (seconds)
};

TEST_F(FormatCheckTest, AcceptsWhatWsprintfFillsFromTheCallersArgumentsAndNothingElse) {
  const Case cases[] = {
      // No directive at all: an already filled-in line, or a plain translation.
      {u"", false, false},
      {u"Version 2.5", false, false},
      {u"100%% sure", false, false},
      // The expected kinds, with everything wsprintfW accepts around them.
      {u"Version %s (%d)", true, false},
      {u"Version %ls (%ld)", true, false},
      {u"Version %lS (%lu)", true, false},
      {u"%-8s|%08X", true, false},
      {u"%#x", false, true},
      {u"% +5.3d", false, true},
      {u"%.10s %i", true, false},
      {u"%d seconds", false, true},
      {u"%ld s, 100%%", false, true},
      {u"Version %s", true, false},  // fewer directives than arguments reads nothing unpassed
      // Kinds or orders the caller does not pass.
      {u"%d %s", false, false},
      {u"%s %d %d", false, false},
      {u"%s %s", false, false},
      {u"%c", false, false},
      {u"%S %d", false, false},  // a narrow string without the 'l' prefix
      {u"%C", false, false},
      {u"%hs %d", false, false},
      {u"%*d", false, false},
      {u"%.*s %d", false, false},
      {u"%I64d", false, false},
      {u"%p", false, false},
      {u"%n", false, false},
      {u"%f", false, false},
      {u"trailing %", false, false},
  };
  for (const auto& c : cases) {
    std::string shown(c.text, c.text + std::u16string(c.text).size());
    EXPECT_EQ(lib_->IsFormatFor(c.text, kVersion, 2) != FALSE, c.version) << shown;
    EXPECT_EQ(lib_->IsFormatFor(c.text, kNoReply, 1) != FALSE, c.noReply) << shown;
  }
}

TEST_F(FormatCheckTest, TheYearLineTakesACharacterThenANumber) {
  const FormatArgument year[] = {ARG_CHAR, ARG_NUMBER};
  EXPECT_TRUE(lib_->IsFormatFor(u"%c %d Zarvo", year, 2));
  EXPECT_TRUE(lib_->IsFormatFor(u"%lC%4u", year, 2));
  EXPECT_FALSE(lib_->IsFormatFor(u"%C %d", year, 2));
  EXPECT_FALSE(lib_->IsFormatFor(u"%d %c", year, 2));
}

}  // namespace
