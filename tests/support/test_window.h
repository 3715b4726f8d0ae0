#pragma once
// A fresh MainWindow for the tests of the control operations: natively the
// simulated window reset to its start, under Wine the real window built,
// hidden, in the test's own process.

namespace testing_window {

class TestWindow {
 public:
  TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow();

  // False when the window could not be built.
  bool Ready() const { return ready_; }
  // True when building a window is impossible here (no display for Wine),
  // rather than broken.
  bool Unavailable() const { return unavailable_; }

 private:
  bool ready_ = false;
  bool unavailable_ = false;
};

}  // namespace testing_window
