#pragma once
// MainWindow on Win32: the one top-level window, its five controls built from
// the layout table, and the keys it looks at before the focused control.
#include <windows.h>

#include "app/layout.h"

class MainWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Builds the window hidden and centred on the screen, then its controls;
  // false (and nothing left behind) when any of them cannot be created.
  bool Create(HINSTANCE instance);
  // Shows the window in its normal state and activates it.
  void Show();
  // Tab, Shift+Tab and Esc for this window or any of its controls; true when
  // the key was handled here and must not reach the control.
  bool PreTranslateMessage(const MSG& msg);

  HWND Window() const { return window_; }
  HWND Control(layout::ControlId id) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  bool CreateControls(HINSTANCE instance);
  bool IsOwnWindow(HWND window) const;
  void MoveFocus(bool backward);

  void OnActivate(WPARAM wparam);
  void OnSetFocus();
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  void OnCommand(WPARAM wparam);
  void OnVersionChosen();
  void OnDestroy();
  void OnNcDestroy();

  HWND window_ = nullptr;
  HWND last_focus_ = nullptr;
};

// The live control of the MainWindow that exists now; nullptr while none does.
HWND MainWindowControl(layout::ControlId id);
