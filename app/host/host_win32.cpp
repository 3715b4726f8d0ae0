#include <windows.h>

#include <vector>

#include "app/display_text_win32.h"
#include "app/host/answer_map.h"
#include "app/host/host.h"
#include "app/win32_handles.h"

namespace {

constexpr const char* kBoxCaption = "信息：";
constexpr const char* kFatalCaption = "错误";

bool IsAsciiSpace(char c) { return c == ' ' || c == '\t'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(const Text& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

Text FirstWord(const Text& line) {
  std::size_t begin = 0;
  while (begin < line.size() && IsAsciiSpace(line[begin])) ++begin;
  std::size_t end = begin;
  while (end < line.size() && !IsAsciiSpace(line[end])) ++end;
  return line.substr(begin, end - begin);
}

Text SystemDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return Text(buffer, length);
}

}  // namespace

Answer ShowMessage(const Text& message, std::uint32_t button_set) {
  const std::wstring text = DisplayText(message);
  const std::wstring caption = DisplayText(kBoxCaption);
  const HWND active = GetActiveWindow();
  const int result = MessageBoxW(nullptr, text.c_str(), caption.c_str(), BoxStyle(button_set));
  // A task-modal box without an owner is destroyed while the thread's windows
  // are still disabled, so nothing takes the activation back (Wine leaves no
  // window active at all). Give it back, so that the focus returns to the
  // control that had it.
  if (active != nullptr && IsWindow(active) && GetActiveWindow() != active) SetForegroundWindow(active);
  return AnswerFromBoxResult(result);
}

bool RunCommand(const Text& command_line, bool wait, std::int32_t show_mode) {
  // The tool runs elevated with its own folder (often a downloads folder) as
  // current directory. Windows looks for a bare "cmd" in the application's
  // folder first, and cmd looks for "reg" in its current directory first, so
  // a planted cmd.exe or reg.exe there would run with administrator rights.
  // Hence the system's own interpreter by full path, started in the system
  // folder; the command line itself goes unchanged.
  const Text system_directory = SystemDirectory();
  if (system_directory.empty()) return false;
  const Text first_word = FirstWord(command_line);
  Text application;
  if (EqualsIgnoringAsciiCase(first_word, "cmd") || EqualsIgnoringAsciiCase(first_word, "cmd.exe")) {
    application = system_directory + "\\cmd.exe";
  }

  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');  // CreateProcessA may write into its command line

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_mode == kShowHidden ? SW_HIDE : SW_SHOWNORMAL);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, system_directory.c_str(), &startup, &info)) {
    return false;
  }
  const ProcessHandles process(info);
  if (wait) {
    WaitForSingleObject(process.process.Get(), INFINITE);
  } else {
    WaitForInputIdle(process.process.Get(), 1000);
  }
  return true;
}

void FatalStop(const Text& message) {
  // A window destroyed on the way here may have posted WM_QUIT, which would
  // end the box's modal loop before anyone saw the message.
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  const std::wstring text = DisplayText(message);
  const std::wstring caption = DisplayText(kFatalCaption);
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(static_cast<UINT>(-1));
}
