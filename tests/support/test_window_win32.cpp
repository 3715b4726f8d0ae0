#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>

#include "app/main_window_win32.h"
#include "tests/support/test_window.h"

namespace testing_window {
namespace {

// One window at a time, like the program.
std::unique_ptr<MainWindow>& Current() {
  static std::unique_ptr<MainWindow> window;
  return window;
}

}  // namespace

TestWindow::TestWindow() {
  INITCOMMONCONTROLSEX classes = {};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&classes);
  Current() = std::make_unique<MainWindow>();
  ready_ = Current()->Create(GetModuleHandleW(nullptr));
  // Wine builds no window at all without an X display.
  unavailable_ = !ready_ && std::getenv("DISPLAY") == nullptr;
}

TestWindow::~TestWindow() {
  Current().reset();
  // Destroying the window posts WM_QUIT, which would end the next message
  // box of this thread at once.
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace testing_window
