#include "app/main_window_win32.h"

#include <commctrl.h>

#include <string>

#include "app/display_text_win32.h"
#include "app/events.h"
#include "cleanup/release_table.h"
#include "res/resource.h"

namespace {

constexpr const wchar_t* kClassName = L"QuarnelMainWindow";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// Posted on CBN_SELENDOK, so that the scan runs once the list has closed and
// the new selection is in place.
constexpr UINT kVersionChosenMessage = WM_APP + 1;

constexpr COLORREF kLabelTextColour = RGB(0, 0, 0);
constexpr COLORREF kHintTextColour = RGB(255, 0, 0);

MainWindow* g_current = nullptr;

struct ControlClass {
  const wchar_t* class_name;
  DWORD style;
  int height;
};

ControlClass ClassFor(const layout::Control& control) {
  switch (control.kind) {
    case layout::Kind::kLabel:
      // The version label is one line centred in its box; the hint wraps and
      // starts at the top.
      return {WC_STATICW, static_cast<DWORD>(SS_LEFT | (control.id == layout::kVersionLabel ? SS_CENTERIMAGE : 0)),
              control.height};
    case layout::Kind::kDropDownList:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL, layout::kComboCreatedHeight};
    case layout::Kind::kReportList:
      return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | WS_BORDER, control.height};
    case layout::Kind::kPushButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, control.height};
  }
  return {WC_STATICW, SS_LEFT, control.height};
}

bool FillCombo(HWND combo) {
  for (const ReleaseEntry& entry : ReleaseTable) {
    const std::wstring item = DisplayText(entry.ItemText);
    const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) return false;
  }
  // One pixel taller than the default item height, which the font decides;
  // so it must come after WM_SETFONT. NOTE: Wine refuses this (CB_ERR) for a
  // combo that is not owner-drawn, and the items keep their default height;
  // Windows applies it. Either way the combo works, so the result is not checked.
  const LRESULT item_height = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  if (item_height != CB_ERR) SendMessageW(combo, CB_SETITEMHEIGHT, 0, item_height + 1);
  return true;
}

bool AddColumns(HWND list) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
  int index = 0;
  for (const layout::Column& column : layout::kListColumns) {
    std::wstring title = DisplayText(column.title);
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.fmt = LVCFMT_LEFT;
    info.cx = column.width;
    info.pszText = &title[0];
    info.iSubItem = index;
    if (SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&info)) != index) return false;
    ++index;
  }
  return true;
}

}  // namespace

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
  if (window_ != nullptr) return false;
  const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_QUARNEL));
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &MainWindow::WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.hIconSm = icon;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  // Centred on the whole screen, not the work area.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - layout::kOuterWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - layout::kOuterHeight) / 2;
  const std::wstring caption = DisplayText(layout::kCaption);
  if (CreateWindowExW(0, kClassName, caption.c_str(), kFrameStyle, left, top, layout::kOuterWidth, layout::kOuterHeight,
                      nullptr, nullptr, instance, this) == nullptr) {
    return false;
  }
  if (icon != nullptr) {
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  if (!CreateControls(instance)) {
    DestroyWindow(window_);
    return false;
  }
  return true;
}

bool MainWindow::CreateControls(HINSTANCE instance) {
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const layout::Control& control : layout::kControls) {
    const ControlClass control_class = ClassFor(control);
    const std::wstring text = control.text != nullptr ? DisplayText(control.text) : std::wstring();
    const DWORD style = WS_CHILD | control_class.style | (control.tab_stop ? WS_TABSTOP : 0);
    HWND child = CreateWindowExW(0, control_class.class_name, text.c_str(), style, control.left, control.top,
                                 control.width, control_class.height, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    if (child == nullptr) return false;
    SendMessageW(child, WM_SETFONT, font, FALSE);
    if (control.kind == layout::Kind::kDropDownList && !FillCombo(child)) return false;
    if (control.kind == layout::Kind::kReportList && !AddColumns(child)) return false;
    ShowWindow(child, SW_SHOW);
  }
  return true;
}

void MainWindow::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
}

HWND MainWindow::Control(layout::ControlId id) const { return window_ != nullptr ? GetDlgItem(window_, id) : nullptr; }

bool MainWindow::IsOwnWindow(HWND window) const {
  if (window_ == nullptr || window == nullptr) return false;
  if (window == window_ || IsChild(window_, window)) return true;
  // The combo's open list is a pop-up of its own, not a child.
  COMBOBOXINFO combo = {};
  combo.cbSize = sizeof(combo);
  return GetComboBoxInfo(Control(layout::kVersionCombo), &combo) && window == combo.hwndList;
}

bool MainWindow::PreTranslateMessage(const MSG& msg) {
  // No IsDialogMessage: it would make Enter press a default button.
  if (msg.message != WM_KEYDOWN || !IsOwnWindow(msg.hwnd)) return false;
  switch (msg.wParam) {
    case VK_ESCAPE:
      PostMessageW(window_, WM_CLOSE, 0, 0);
      return true;
    case VK_TAB:
      MoveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    default:
      return false;
  }
}

void MainWindow::MoveFocus(bool backward) {
  const int count = static_cast<int>(layout::kTabCycle.size());
  HWND focus = GetFocus();
  while (focus != nullptr && GetParent(focus) != window_ && IsChild(window_, focus)) focus = GetParent(focus);
  int current = backward ? count : -1;
  for (int i = 0; i < count; ++i) {
    if (Control(layout::kTabCycle[i]) == focus) current = i;
  }
  for (int step = 1; step <= count; ++step) {
    const int next = ((backward ? current - step : current + step) % count + count) % count;
    HWND candidate = Control(layout::kTabCycle[next]);
    if (candidate != nullptr && IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
      SetFocus(candidate);
      return;
    }
  }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    g_current = self;
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wparam);
      return 0;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_COMMAND:
      OnCommand(wparam);
      return 0;
    case kVersionChosenMessage:
      OnVersionChosen();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      OnNcDestroy();
      return DefWindowProcW(window, message, wparam, lparam);
    }
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

void MainWindow::OnActivate(WPARAM wparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) last_focus_ = focus;
    return;
  }
  OnSetFocus();
}

void MainWindow::OnSetFocus() {
  // Back to the control that last had the focus; the first time, CleanButton.
  if (last_focus_ == nullptr || !IsWindow(last_focus_)) last_focus_ = Control(layout::kFirstFocus);
  SetFocus(last_focus_);
}

LRESULT MainWindow::OnCtlColorStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id != layout::kVersionLabel && id != layout::kHintLabel) {
    return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  }
  SetTextColor(dc, id == layout::kHintLabel ? kHintTextColour : kLabelTextColour);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnCommand(WPARAM wparam) {
  const int id = LOWORD(wparam);
  const int code = HIWORD(wparam);
  if (id == layout::kVersionCombo && code == CBN_SELENDOK) PostMessageW(window_, kVersionChosenMessage, 0, 0);
  if (id == layout::kCleanButton && code == BN_CLICKED) OnCleanClicked();
}

void MainWindow::OnVersionChosen() { OnVersionSelected(); }

void MainWindow::OnDestroy() { PostQuitMessage(0); }

void MainWindow::OnNcDestroy() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  if (g_current == this) g_current = nullptr;
  window_ = nullptr;
  last_focus_ = nullptr;
}

HWND MainWindowControl(layout::ControlId id) { return g_current != nullptr ? g_current->Control(id) : nullptr; }
