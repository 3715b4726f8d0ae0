// RunCommand's result: true once the process was started, whatever it then
// does; false at once for a program that cannot be found.
#include <gtest/gtest.h>

#include "app/host/host.h"

namespace {

TEST(RunCommand, TellsWhetherTheProcessStarted) {
  struct Case {
    const char* label;
    const char* line;
    bool wait;
    bool started;
  } cases[] = {
      {"interpreter, waited for", "cmd /c exit 0", true, true},
      {"a failing command still started", "cmd /c exit 3", true, true},
      {"not waited for", "cmd /c exit 0", false, true},
      {"program that does not exist", "no-such-program-q7 /x", true, false},
      {"empty line", "", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(RunCommand(c.line, c.wait, kShowHidden), c.started);
  }
}

}  // namespace
