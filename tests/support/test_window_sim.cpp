#include "sim/sim_ui.h"
#include "tests/support/test_window.h"

namespace testing_window {

TestWindow::TestWindow() {
  sim::ResetUi();
  ready_ = true;
}

TestWindow::~TestWindow() { sim::ResetUi(); }

}  // namespace testing_window
