// FatalStop shows its message and ends the process with exit code -1; under
// Wine also when a WM_QUIT is already waiting, as it is after a window that
// could not be built has been destroyed.
#include <gtest/gtest.h>

#include "app/host/host.h"
#include "tests/support/fatal_box.h"

namespace {

TEST(FatalStopDeathTest, ShowsTheMessageAndEndsWithMinusOne) {
  if (!fatal_box::BoxesCanAppear()) GTEST_SKIP() << "no display for the message box";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        fatal_box::AnswerTheFatalBox();
        FatalStop("main window failed");
      },
      ::testing::ExitedWithCode(fatal_box::FatalExitStatus()), "main window failed");
}

}  // namespace
