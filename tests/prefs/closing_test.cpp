// A close that arrives while the main window loads: held, then carried out once, when the
// outermost load has ended.
#include <gtest/gtest.h>

#include <string>

#include "prefs/closing.h"

namespace {

// Each step: 'B' BeginLoad, 'E' EndLoad, 'C' RequestClose; the outcome of each 'E' and 'C' as
// '1' (close now) or '0' (nothing to do), in order.
std::string Outcomes(const std::string& steps) {
  LoadingClose closing;
  std::string out;
  for (char step : steps) {
    if (step == 'B')
      closing.BeginLoad();
    else if (step == 'E')
      out += closing.EndLoad() ? '1' : '0';
    else if (step == 'C')
      out += closing.RequestClose() ? '1' : '0';
  }
  return out;
}

TEST(LoadingCloseTest, HoldsACloseUntilTheLoadHasEnded) {
  struct Case {
    const char* steps;
    const char* outcomes;
    const char* why;
  };
  const Case cases[] = {
      {"C", "1", "no load: a close goes on at once"},
      {"BE", "0", "a load without a close leaves nothing due"},
      {"BCE", "01", "held during the load, due at its end"},
      {"BCCE", "001", "two requests (close and log-off) close once"},
      {"BCEC", "011", "after the load a close goes on at once again"},
      {"BCEE", "010", "a second end does not close twice"},
      {"BBCEE", "001", "an inner load's end does not close under the outer one"},
      {"E", "0", "an end without a load is harmless"},
      {"EC", "01", "and leaves later closes working"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Outcomes(c.steps), c.outcomes) << c.steps << ": " << c.why;
  }
}

}  // namespace
