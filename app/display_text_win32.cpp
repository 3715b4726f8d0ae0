#include "app/display_text_win32.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr UINT kProgramCodePage = 936;

std::wstring Convert(UINT code_page, const char* bytes, int length) {
  const int needed = MultiByteToWideChar(code_page, 0, bytes, length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(code_page, 0, bytes, length, &wide[0], needed);
  return wide;
}

}  // namespace

std::wstring DisplayText(const Text& text) {
  const int length = static_cast<int>(std::strlen(text.c_str()));
  if (length == 0) return {};
  std::wstring wide = Convert(kProgramCodePage, text.c_str(), length);
  // NOTE: only a system without the code page 936 tables gets here; its own
  // ANSI code page is then the best guess left.
  if (wide.empty()) wide = Convert(CP_ACP, text.c_str(), length);
  return wide;
}
