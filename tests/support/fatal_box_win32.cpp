#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/fatal_box.h"

namespace fatal_box {
namespace {

std::string Utf8(const wchar_t* text) {
  char buffer[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof(buffer) - 1, nullptr, nullptr);
  return buffer;
}

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t class_name[32] = {};
  GetClassNameW(window, class_name, 32);
  if (owner != search->process_id || std::wstring(class_name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  if (GetDlgItem(window, IDOK) == nullptr) return TRUE;
  search->found = window;
  return FALSE;
}

DWORD WINAPI Answer(void*) {
  // The process ends through the box, so this thread only has to find it;
  // it gives up after a minute, and the death test then fails on its output.
  for (int i = 0; i < 6000; ++i) {
    Search search = {GetCurrentProcessId(), nullptr};
    EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      wchar_t caption[256] = {};
      wchar_t text[1024] = {};
      GetWindowTextW(search.found, caption, 256);
      GetDlgItemTextW(search.found, 0xFFFF, text, 1024);
      std::fprintf(stderr, "box \"%s\": %s\n", Utf8(caption).c_str(), Utf8(text).c_str());
      std::fflush(stderr);
      PostMessageW(GetDlgItem(search.found, IDOK), BM_CLICK, 0, 0);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}

}  // namespace

int FatalExitStatus() { return -1; }

bool BoxesCanAppear() { return std::getenv("DISPLAY") != nullptr; }

void AnswerTheFatalBox() {
  PostQuitMessage(0);
  HANDLE thread = CreateThread(nullptr, 0, &Answer, nullptr, 0, nullptr);
  if (thread != nullptr) CloseHandle(thread);
}

}  // namespace fatal_box
