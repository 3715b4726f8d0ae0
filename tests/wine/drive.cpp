#include "tests/wine/drive.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace drive {
namespace {

int g_passed = 0;
int g_failed = 0;
std::string g_trace;

// Memory in another process, freed on destruction.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  char* Address() const { return static_cast<char*>(address_); }
  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    SIZE_T done = 0;
    return address_ != nullptr && WriteProcessMemory(process_, Address() + offset, data, size, &done) && done == size;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T done = 0;
    return address_ != nullptr && ReadProcessMemory(process_, Address() + offset, data, size, &done) && done == size;
  }

 private:
  HANDLE process_;
  void* address_;
};

class ScopedKey {
 public:
  ScopedKey() = default;
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY* Receive() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

struct BoxSearch {
  DWORD process_id;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || ClassName(window) != L"#32770") return TRUE;
  wchar_t caption[256] = {};
  GetWindowTextW(window, caption, 256);
  if (*search->caption != caption) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindBoxNow(DWORD process_id, const std::wstring& caption) {
  BoxSearch search = {process_id, &caption, nullptr};
  EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool HasButtons(HWND box) {
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
    if (GetDlgItem(box, id) != nullptr) return true;
  }
  return false;
}

struct WindowSearch {
  DWORD process_id;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK FindToolWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  wchar_t caption[256] = {};
  GetWindowTextW(window, caption, 256);
  if (*search->caption != caption) return TRUE;
  search->found = window;
  return FALSE;
}

bool IsExtendedKey(WORD key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

bool FileExists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool Check(bool ok, const std::string& what) {
  (ok ? g_passed : g_failed)++;
  std::printf("  %s %s%s\n", ok ? "ok  " : "FAIL", g_trace.empty() ? "" : (g_trace + ": ").c_str(), what.c_str());
  std::fflush(stdout);
  return ok;
}

bool CheckText(const std::wstring& actual, const std::wstring& expected, const std::string& what) {
  if (actual == expected) return Check(true, what);
  return Check(false, what + ": got \"" + Narrow(actual) + "\", expected \"" + Narrow(expected) + "\"");
}

void Trace(const std::string& label) { g_trace = label; }

int Finish() {
  std::printf("%d checks, %d failing\n", g_passed + g_failed, g_failed);
  std::fflush(stdout);
  return g_failed == 0 && g_passed > 0 ? 0 : 1;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    // A driver that shows a window of its own must keep it answering.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

Tool::~Tool() {
  if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.Get(), 99);
}

bool Tool::Start(const std::wstring& path) {
  std::wstring command_line = L"\"" + path + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(path.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  process_.Reset(info.hProcess);
  thread_.Reset(info.hThread);
  process_id_ = info.dwProcessId;
  return true;
}

HWND Tool::WaitForWindow(const std::wstring& caption, DWORD timeout_ms) {
  WaitUntil(
      [&] {
        WindowSearch search = {process_id_, &caption, nullptr};
        EnumWindows(&FindToolWindow, reinterpret_cast<LPARAM>(&search));
        window_ = search.found;
        return window_ != nullptr || WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
      },
      timeout_ms);
  return window_;
}

bool Tool::WaitForExit(DWORD* exit_code, DWORD timeout_ms) {
  if (WaitForSingleObject(process_.Get(), timeout_ms) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_.Get(), exit_code);
  return true;
}

DWORD Tool::UiThread() const { return window_ != nullptr ? GetWindowThreadProcessId(window_, nullptr) : 0; }

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool WaitForFocus(DWORD thread, HWND window, DWORD timeout_ms) {
  return WaitUntil([&] { return FocusOf(thread) == window; }, timeout_ms);
}

void PressKey(WORD virtual_key, bool shift) {
  if (shift) {
    PressChord(VK_SHIFT, virtual_key);
    return;
  }
  INPUT inputs[] = {KeyInput(virtual_key, false), KeyInput(virtual_key, true)};
  SendInput(2, inputs, sizeof(INPUT));
}

void PressChord(WORD modifier, WORD virtual_key) {
  INPUT inputs[] = {KeyInput(modifier, false), KeyInput(virtual_key, false), KeyInput(virtual_key, true),
                    KeyInput(modifier, true)};
  SendInput(4, inputs, sizeof(INPUT));
}

void ClickAt(int x, int y) {
  INPUT inputs[3] = {};
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65536LL + width / 2) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + height / 2) / height);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(3, inputs, sizeof(INPUT));
}

RECT RectInParent(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"<no answer>";
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return std::wstring(buffer.data());
}

std::wstring ComboItemText(HWND combo, int index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return L"<no item>";
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  return std::wstring(buffer.data());
}

std::string ListCellText(HANDLE process, HWND list, int row, int column) {
  constexpr std::size_t kTextSize = 8192;
  RemoteMemory memory(process, sizeof(LVITEMA) + kTextSize);
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = memory.Address() + sizeof(LVITEMA);
  item.cchTextMax = static_cast<int>(kTextSize);
  const char empty = '\0';
  if (!memory.Write(0, &item, sizeof(item)) || !memory.Write(sizeof(LVITEMA), &empty, 1)) return "<no memory>";
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(memory.Address()));
  std::vector<char> text(kTextSize + 1, '\0');
  if (!memory.Read(sizeof(LVITEMA), text.data(), kTextSize)) return "<unreadable>";
  return std::string(text.data());
}

ListColumn ListColumnInfo(HANDLE process, HWND list, int column) {
  constexpr int kTitleChars = 256;
  RemoteMemory memory(process, sizeof(LVCOLUMNW) + kTitleChars * sizeof(wchar_t));
  LVCOLUMNW info = {};
  info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  info.pszText = reinterpret_cast<wchar_t*>(memory.Address() + sizeof(LVCOLUMNW));
  info.cchTextMax = kTitleChars;
  ListColumn result;
  if (!memory.Write(0, &info, sizeof(info))) return result;
  if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(memory.Address()))) return result;
  std::vector<wchar_t> title(kTitleChars + 1, L'\0');
  if (!memory.Read(0, &info, sizeof(info)) ||
      !memory.Read(sizeof(LVCOLUMNW), title.data(), kTitleChars * sizeof(wchar_t))) {
    return result;
  }
  result.ok = true;
  result.format = info.fmt;
  result.width = info.cx;
  result.title = title.data();
  return result;
}

HWND WaitForMessageBox(DWORD process_id, const std::wstring& caption, DWORD timeout_ms) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        box = FindBoxNow(process_id, caption);
        return box != nullptr && IsWindowVisible(box) && HasButtons(box);
      },
      timeout_ms);
  return box != nullptr && IsWindowVisible(box) && HasButtons(box) ? box : nullptr;
}

bool MessageBoxExists(DWORD process_id, const std::wstring& caption) {
  return FindBoxNow(process_id, caption) != nullptr;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? WindowText(text) : L"<no text>";
}

bool PressBoxButton(HWND box, int button_id) {
  HWND button = GetDlgItem(box, button_id);
  return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

bool Screenshot(const std::string& png_name, const RECT& rect, DWORD timeout_ms) {
  constexpr const char* kRequest = "screenshot.request";
  constexpr const char* kDone = "screenshot.done";
  DeleteFileA(kDone);
  // Written under another name first, so the script never reads half a line.
  FILE* file = std::fopen("screenshot.request.part", "wb");
  if (file == nullptr) return false;
  std::fprintf(file, "%s %ldx%ld+%ld+%ld\n", png_name.c_str(), rect.right - rect.left, rect.bottom - rect.top,
               rect.left, rect.top);
  std::fclose(file);
  if (!MoveFileExA("screenshot.request.part", kRequest, MOVEFILE_REPLACE_EXISTING)) return false;
  const bool done = WaitUntil([&] { return FileExists(kDone); }, timeout_ms);
  DeleteFileA(kDone);
  if (!done) DeleteFileA(kRequest);
  return done;
}

bool IsWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

ScreenImage::ScreenImage(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
      GdiFlush();
      const auto* quads = static_cast<const RGBQUAD*>(bits);
      pixels_.reserve(static_cast<std::size_t>(width) * height);
      for (int i = 0; i < width * height; ++i)
        pixels_.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
      width_ = width;
      height_ = height;
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

COLORREF ScreenImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

namespace {

struct ListSearch {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK FindList(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ListSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || ClassName(window) != L"ComboLBox") return TRUE;
  search->found = window;
  return FALSE;
}

#pragma pack(push, 2)
struct GroupIconHeader {
  WORD reserved, type, count;
};
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bits_per_pixel;
  DWORD size;
  WORD id;
};
#pragma pack(pop)

}  // namespace

HWND FindComboList(DWORD process_id) {
  ListSearch search = {process_id, nullptr};
  EnumWindows(&FindList, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<IconImage> IconGroup(const std::wstring& exe_path, int group_id) {
  std::vector<IconImage> images;
  HMODULE module = LoadLibraryExW(exe_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return images;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(group_id), reinterpret_cast<LPCWSTR>(RT_GROUP_ICON));
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const auto* header = loaded != nullptr ? static_cast<const GroupIconHeader*>(LockResource(loaded)) : nullptr;
  if (header != nullptr &&
      SizeofResource(module, found) >= sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry)) {
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    for (WORD i = 0; i < header->count; ++i) {
      images.push_back({entries[i].width == 0 ? 256 : entries[i].width,
                        entries[i].height == 0 ? 256 : entries[i].height, entries[i].colours,
                        entries[i].bits_per_pixel});
    }
  }
  FreeLibrary(module);
  return images;
}

bool SetRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
  ScopedKey opened;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, opened.Receive(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const auto size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(opened.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), size) ==
         ERROR_SUCCESS;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &narrow[0], size, nullptr, nullptr);
  return narrow;
}

}  // namespace drive
