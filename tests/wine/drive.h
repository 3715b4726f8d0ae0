#pragma once
// Helpers for the driver programs that run the real tool under Wine and check
// it through its window, as a user would reach it: keyboard input, what the
// window shows, message boxes answered by button id. Every wait polls with a
// short interval up to a deadline; nothing sleeps a fixed time.
#include <windows.h>

#include "app/win32_handles.h"

#include <functional>
#include <string>
#include <vector>

namespace drive {

constexpr DWORD kDefaultTimeoutMs = 10000;

// Test bookkeeping: each check prints one line; Finish gives the exit code.
bool Check(bool ok, const std::string& what);
template <typename T, typename U>
bool CheckEqual(const T& actual, const U& expected, const std::string& what);
bool CheckText(const std::wstring& actual, const std::wstring& expected, const std::string& what);
// Prefixes every following check's label (a table row's name); "" ends it.
void Trace(const std::string& label);
int Finish();

// Polls condition every 10 ms until it holds or timeout_ms has passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = kDefaultTimeoutMs);

// The tool as a started process. Ends it on destruction if it still runs.
class Tool {
 public:
  Tool() = default;
  Tool(const Tool&) = delete;
  Tool& operator=(const Tool&) = delete;
  ~Tool();

  // Starts the program at path; false if it cannot be started.
  bool Start(const std::wstring& path);
  // Waits for the tool's visible top-level window with this caption.
  HWND WaitForWindow(const std::wstring& caption, DWORD timeout_ms = kDefaultTimeoutMs);
  // Waits for the process to end; false on time-out. exit_code gets its code.
  bool WaitForExit(DWORD* exit_code, DWORD timeout_ms = kDefaultTimeoutMs);

  HANDLE Process() const { return process_.Get(); }
  DWORD ProcessId() const { return process_id_; }
  HWND Window() const { return window_; }
  // The thread that owns the window: the tool's user-interface thread.
  DWORD UiThread() const;

 private:
  UniqueHandle process_;
  UniqueHandle thread_;
  DWORD process_id_ = 0;
  HWND window_ = nullptr;
};

// The window that has the keyboard focus in thread's input queue, or nullptr.
HWND FocusOf(DWORD thread);
// Waits until the focus in thread is on window.
bool WaitForFocus(DWORD thread, HWND window, DWORD timeout_ms = kDefaultTimeoutMs);

// Types one key as keyboard input (down, then up), with Shift held if asked.
// The input goes where the system's focus is, as a user's keystroke would.
void PressKey(WORD virtual_key, bool shift = false);
// The same with another modifier held (VK_MENU for Alt, VK_CONTROL).
void PressChord(WORD modifier, WORD virtual_key);

// Moves the mouse to (x, y) in screen coordinates and clicks the left button.
void ClickAt(int x, int y);

// A child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
std::wstring ClassName(HWND window);
// WM_GETTEXT, which is carried across processes.
std::wstring WindowText(HWND window);
// The text of a combo box item (CB_GETLBTEXT, carried across processes).
std::wstring ComboItemText(HWND combo, int index);

// Reads the tool's list view through memory allocated in the tool's process.
std::string ListCellText(HANDLE process, HWND list, int row, int column);
struct ListColumn {
  bool ok = false;
  int format = 0;
  int width = 0;
  std::wstring title;
};
ListColumn ListColumnInfo(HANDLE process, HWND list, int column);

// A visible message box of process_id with this caption whose buttons exist;
// nullptr if none appears before the time-out.
HWND WaitForMessageBox(DWORD process_id, const std::wstring& caption, DWORD timeout_ms = kDefaultTimeoutMs);
// Whether such a box exists right now (visible or not).
bool MessageBoxExists(DWORD process_id, const std::wstring& caption);
// The box's message text (its static control 0xFFFF).
std::wstring MessageBoxText(HWND box);
// Presses the box's button with this id (IDOK, IDYES, IDNO...).
bool PressBoxButton(HWND box, int button_id);

// Asks the scenario script for a screenshot of rect (screen coordinates)
// into png_name in the scenario folder; false if none was made in time.
bool Screenshot(const std::string& png_name, const RECT& rect, DWORD timeout_ms = kDefaultTimeoutMs);

// Whether this runs under Wine, where some things cannot be read from outside
// the tool's process (see the callers).
bool IsWine();

// What the screen shows in a rectangle (screen coordinates), as a user sees it.
class ScreenImage {
 public:
  explicit ScreenImage(const RECT& rect);
  // Colour at (x, y) relative to the rectangle's top left; 0 outside.
  COLORREF At(int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// The open list of a drop-down combo box of process_id (a pop-up window of
// class ComboLBox), or nullptr.
HWND FindComboList(DWORD process_id);

// The images of an icon group in an exe's resources.
struct IconImage {
  int width, height, colours, bits_per_pixel;
};
std::vector<IconImage> IconGroup(const std::wstring& exe_path, int group_id);

// Writes a REG_SZ value in the 64-bit view, creating the key.
bool SetRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value);

std::string Narrow(const std::wstring& text);  // UTF-8, for messages

}  // namespace drive

#include <sstream>

namespace drive {

template <typename T, typename U>
bool CheckEqual(const T& actual, const U& expected, const std::string& what) {
  const bool ok = actual == expected;
  if (ok) return Check(true, what);
  std::ostringstream detail;
  detail << what << ": got " << actual << ", expected " << expected;
  return Check(false, detail.str());
}

}  // namespace drive
