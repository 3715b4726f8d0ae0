#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/events.h"
#include "app/host/host.h"
#include "app/main_window_win32.h"
#include "app/program_start.h"

namespace {

// The command lines the handlers start inherit this directory.
void EnterProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return;
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return;
  // A program in a drive's root keeps the backslash: "C:" alone would name
  // that drive's current directory instead.
  path.resize(slash == 0 || path[slash - 1] == L':' ? slash + 1 : slash);
  SetCurrentDirectoryW(path.c_str());
}

}  // namespace

int ProgramStart() {
  EnterProgramFolder();

  INITCOMMONCONTROLSEX classes = {};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&classes);

  MainWindow window;
  if (!window.Create(GetModuleHandleW(nullptr))) FatalStop("无法创建主窗口，程序不能运行。");
  OnWindowCreated();
  window.Show();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
