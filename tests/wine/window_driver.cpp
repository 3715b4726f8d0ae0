// Starts the tool and checks its window as a user meets it: frame, geometry,
// controls, texts, the combo's items, the list's columns, the focus and the
// keys (Tab cycle, Enter, Space on the button, Esc), and that closing gives
// exit code 0. Expected values are written out here, not read from the
// program's own layout table, so a wrong table is caught too.
#include "tests/wine/drive.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/layout.h"

namespace {

using namespace drive;

constexpr wchar_t kCaption[] = L"Quarnel(Ostrivo)";
constexpr wchar_t kBoxCaption[] = L"信息：";
constexpr int kOuterWidth = 274;
constexpr int kOuterHeight = 305;
constexpr wchar_t kHint[] = L"解决:在控制面板看不到CAD卸载项目，但是又不能正常安装CAD，每次安装时提示\"以安装\"";
constexpr wchar_t kProductsKey[] = L"SOFTWARE\\Classes\\Installer\\Products\\";

struct ExpectedControl {
  const char* label;
  int id;
  const wchar_t* class_name;
  int left, top, width, height;  // height -1: the combo, checked on its own
  const wchar_t* text;
  bool tab_stop;
};

constexpr ExpectedControl kControls[] = {
    {"VersionLabel", layout::kVersionLabel, L"Static", 8, 9, 40, 24, L"CAD版本", false},
    {"VersionCombo", layout::kVersionCombo, L"ComboBox", 56, 11, 112, -1, L"", true},
    {"HintLabel", layout::kHintLabel, L"Static", 0, 240, 264, 32, kHint, false},
    {"ProductList", layout::kProductList, L"SysListView32", 3, 42, 261, 192, L"", true},
    {"CleanButton", layout::kCleanButton, L"Button", 175, 10, 70, 20, L"清理", true},
};

constexpr const wchar_t* kItems[] = {L"AUTOCAD2007", L"AUTOCAD2008", L"AUTOCAD2010", L"AUTOCAD2011", L"AUTOCAD2012",
                                     L"AUTOCAD2013", L"AUTOCAD2014", L"AUTOCAD2015", L"AUTOCAD2016"};

// Two seeded products: choosing 2007, then 2008, must list exactly the one.
struct SeededProduct {
  const wchar_t* key;
  const wchar_t* name;
};
constexpr SeededProduct kProducts[] = {
    {L"7D2F387510089040002000060BECB6AB", L"AutoCAD 2007 - English"},
    {L"1B2C3D4E5F60718293A4B5C6D7E8F901", L"AutoCAD 2008 - Simplified Chinese"},
};

constexpr SeededProduct kLateProduct = {L"2C3D4E5F60718293A4B5C6D7E8F9011B", L"AutoCAD 2008 - English"};

bool Has(LONG_PTR style, LONG_PTR bits) { return (style & bits) == bits; }

HWND Item(HWND window, int id) { return GetDlgItem(window, id); }

// The item height a drop-down list gets by default with the same font.
int DefaultComboItemHeight() {
  const UniqueWindow combo(CreateWindowExW(0, L"ComboBox", L"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 112, 160, nullptr,
                                           nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!combo) return -1;
  SendMessageW(combo.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return static_cast<int>(SendMessageW(combo.Get(), CB_GETITEMHEIGHT, 0, 0));
}

void CheckFrame(HWND window, const std::wstring& path) {
  Trace("MainWindow");
  CheckText(WindowText(window), kCaption, "caption");
  RECT rect = {};
  GetWindowRect(window, &rect);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
  CheckEqual(rect.left, left, "left edge centred on the screen");
  CheckEqual(rect.top, top, "top edge centred on the screen");
  CheckEqual(rect.right - rect.left, kOuterWidth, "outer width");
  CheckEqual(rect.bottom - rect.top, kOuterHeight, "outer height");

  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR ex_style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  Check(Has(style, WS_CAPTION | WS_SYSMENU), "title bar with a system menu");
  Check(!(style & WS_MINIMIZEBOX), "no minimize button");
  Check(!(style & WS_MAXIMIZEBOX), "no maximize button");
  Check(!(style & WS_THICKFRAME), "not resizable");
  Check(!(ex_style & WS_EX_TOPMOST), "not kept on top");
  Check(!(ex_style & WS_EX_TOOLWINDOW), "an ordinary window with its own taskbar button");
  Check(GetWindow(window, GW_OWNER) == nullptr, "no owner window");

  const std::vector<IconImage> icon = IconGroup(path, 1);
  if (Check(icon.size() == 1, "one icon image in the program's resources")) {
    CheckEqual(icon[0].width, 32, "icon width");
    CheckEqual(icon[0].height, 32, "icon height");
    CheckEqual(icon[0].colours, 16, "icon colours");
  }
  if (IsWine()) {
    // NOTE: Wine does not carry WM_GETICON (nor WM_GETFONT) across processes
    // and reads no other process's class; the icon shows in the screenshot.
    std::printf("  note: Wine cannot report the window's icons to another process\n");
    return;
  }
  const auto big = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  const auto small = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  Check(big != nullptr, "large icon set");
  Check(big == small, "the same icon as large and small icon");
}

// What the user sees: the button-face background around the controls, the
// version label's black text and the hint's red one.
void CheckColours(HWND window) {
  Trace("colours on screen");
  RECT client = {};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const ScreenImage image(client);
  if (!Check(image.Width() > 0, "screen readable")) return;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  struct Point {
    const char* label;
    int x, y;
  } background[] = {{"between label and list", 2, 37}, {"right of the button", 255, 20}, {"below the hint", 130, 274}};
  for (const Point& point : background) {
    CheckEqual(image.At(point.x, point.y), face, std::string("button face ") + point.label);
  }
  struct Region {
    const char* label;
    int left, top, width, height;
    bool want_red;
  } regions[] = {{"VersionLabel", 8, 9, 40, 24, false}, {"HintLabel", 0, 240, 264, 32, true}};
  for (const Region& region : regions) {
    int red = 0;
    int dark = 0;
    int other = 0;
    for (int y = region.top; y < region.top + region.height; ++y) {
      for (int x = region.left; x < region.left + region.width; ++x) {
        const COLORREF c = image.At(x, y);
        if (c == face) continue;
        if (GetRValue(c) > 200 && GetGValue(c) < 90 && GetBValue(c) < 90) {
          ++red;
        } else if (GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90) {
          ++dark;
        } else {
          ++other;
        }
      }
    }
    std::printf("  note: %s: %d red, %d dark, %d blended pixels\n", region.label, red, dark, other);
    Check(region.want_red ? red > 50 && dark == 0 : dark > 20 && red == 0,
          std::string(region.label) + (region.want_red ? " text drawn red" : " text drawn black"));
  }
  Trace("");
}

void CheckControls(HWND window) {
  const auto font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ExpectedControl& expected : kControls) {
    Trace(expected.label);
    HWND control = Item(window, expected.id);
    if (!Check(control != nullptr, "exists")) continue;
    CheckText(ClassName(control), expected.class_name, "class");
    const RECT rect = RectInParent(control);
    CheckEqual(rect.left, static_cast<LONG>(expected.left), "left");
    CheckEqual(rect.top, static_cast<LONG>(expected.top), "top");
    CheckEqual(rect.right - rect.left, static_cast<LONG>(expected.width), "width");
    if (expected.height >= 0) CheckEqual(rect.bottom - rect.top, static_cast<LONG>(expected.height), "height");
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    Check(Has(style, WS_CHILD | WS_VISIBLE), "visible child");
    Check(IsWindowEnabled(control) != FALSE, "enabled");
    CheckEqual((style & WS_TABSTOP) != 0, expected.tab_stop, "tab stop");
    CheckText(WindowText(control), expected.text, "text");
    if (!IsWine()) Check(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) == font, "default GUI font");
  }
  Trace("");
}

void CheckStyles(HWND window) {
  Trace("VersionLabel");
  LONG_PTR style = GetWindowLongPtrW(Item(window, layout::kVersionLabel), GWL_STYLE);
  CheckEqual(style & SS_TYPEMASK, static_cast<LONG_PTR>(SS_LEFT), "left-aligned text");
  Check(Has(style, SS_CENTERIMAGE), "one line centred vertically");
  Check(!(style & (WS_BORDER | SS_SUNKEN)), "no border");

  Trace("HintLabel");
  style = GetWindowLongPtrW(Item(window, layout::kHintLabel), GWL_STYLE);
  CheckEqual(style & SS_TYPEMASK, static_cast<LONG_PTR>(SS_LEFT), "left-aligned, wrapping text");
  Check(!(style & SS_CENTERIMAGE), "drawn from the top");
  Check(!(style & (WS_BORDER | SS_SUNKEN)), "no border");

  Trace("CleanButton");
  style = GetWindowLongPtrW(Item(window, layout::kCleanButton), GWL_STYLE);
  CheckEqual(style & BS_TYPEMASK, static_cast<LONG_PTR>(BS_PUSHBUTTON), "push button, not the default one");
  Check(Has(style, BS_CENTER | BS_VCENTER | BS_MULTILINE), "text centred both ways, may wrap");
  Trace("");
}

void CheckCombo(HWND window) {
  Trace("VersionCombo");
  HWND combo = Item(window, layout::kVersionCombo);
  const LONG_PTR style = GetWindowLongPtrW(combo, GWL_STYLE);
  CheckEqual(style & 3, static_cast<LONG_PTR>(CBS_DROPDOWNLIST), "drop-down list");
  Check(!(style & (CBS_SORT | CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)), "not sorted, not owner-drawn");
  CheckEqual(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(9), "nine items");
  for (int i = 0; i < 9; ++i) CheckText(ComboItemText(combo, i), kItems[i], "item " + std::to_string(i));
  CheckEqual(SendMessageW(combo, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(CB_ERR), "nothing selected");
  // NOTE: Wine ignores CB_SETITEMHEIGHT for the items of a combo that is not
  // owner-drawn, so there they keep the default height.
  const int default_height = DefaultComboItemHeight();
  const bool wine = IsWine();
  CheckEqual(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), static_cast<LRESULT>(default_height + (wine ? 0 : 1)),
             wine ? "item height: Wine's default" : "item one pixel taller than the default");
  const RECT closed = RectInParent(combo);
  std::printf("  note: closed box is %ld pixels tall\n", closed.bottom - closed.top);
  Trace("");
}

void CheckList(HANDLE process, HWND window) {
  Trace("ProductList");
  HWND list = Item(window, layout::kProductList);
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  CheckEqual(style & LVS_TYPEMASK, static_cast<LONG_PTR>(LVS_REPORT), "report view");
  Check(Has(style, LVS_SINGLESEL), "one selected row at most");
  Check(Has(style, WS_BORDER), "thin border");
  Check(!(GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE), "no 3-D edge");
  Check(!(style & LVS_SHOWSELALWAYS), "selection hidden without the focus");
  Check(!(style & (LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER)), "header shown, its buttons clickable");
  Check(!(style & (LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING)), "no editing, no sorting");
  CheckEqual(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
             static_cast<LRESULT>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES),
             "extended styles exactly");
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  CheckEqual(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(2), "two columns");
  Check(Has(GetWindowLongPtrW(header, GWL_STYLE), HDS_BUTTONS), "header items are buttons");
  struct Column {
    const wchar_t* title;
    int width;
  } columns[] = {{L"信息", 250}, {L"注册路径", 1}};
  for (int i = 0; i < 2; ++i) {
    Trace("ProductList column " + std::to_string(i));
    const ListColumn column = ListColumnInfo(process, list, i);
    if (!Check(column.ok, "readable")) continue;
    CheckText(column.title, columns[i].title, "title");
    CheckEqual(column.width, columns[i].width, "width");
    CheckEqual(column.format & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT, "left-aligned");
  }
  Trace("ProductList");
  CheckEqual(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(0), "no rows at start");
  Trace("");
}

void TakeScreenshot(HWND window, const std::string& name, const RECT& rect) {
  // Let the tool paint first: a sent message returns once it is idle again.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  Check(Screenshot(name, rect), "screenshot " + name);
}

struct KeyStep {
  const char* label;
  WORD key;
  bool shift;
  int focus_after;
};

void CheckTabCycle(DWORD thread, HWND window) {
  constexpr KeyStep steps[] = {
      {"Tab from CleanButton", VK_TAB, false, layout::kProductList},
      {"Tab from ProductList", VK_TAB, false, layout::kVersionCombo},
      {"Tab from VersionCombo", VK_TAB, false, layout::kCleanButton},
      {"Shift+Tab from CleanButton", VK_TAB, true, layout::kVersionCombo},
      {"Shift+Tab from VersionCombo", VK_TAB, true, layout::kProductList},
      {"Shift+Tab from ProductList", VK_TAB, true, layout::kCleanButton},
  };
  for (const KeyStep& step : steps) {
    Trace(step.label);
    PressKey(step.key, step.shift);
    Check(WaitForFocus(thread, Item(window, step.focus_after)), "focus moved");
  }
  Trace("");
}

// Input is handled in order, so once a Tab typed now has moved the focus, the
// keys before it are done: had one of them opened a box, the box would have
// taken the Tab. Starts and ends with the focus on CleanButton.
bool NoBoxOpened(const Tool& tool, HWND window) {
  PressKey(VK_TAB);
  const bool moved = WaitForFocus(tool.UiThread(), Item(window, layout::kProductList));
  const bool no_box = !MessageBoxExists(tool.ProcessId(), kBoxCaption);
  PressKey(VK_TAB, true);
  WaitForFocus(tool.UiThread(), Item(window, layout::kCleanButton));
  return moved && no_box;
}

void CheckEnterAndSpace(const Tool& tool, HWND window) {
  Trace("Enter on CleanButton");
  PressKey(VK_RETURN);
  Check(NoBoxOpened(tool, window), "does nothing: no box, Tab still works");

  Trace("Space on CleanButton");
  PressKey(VK_SPACE);
  HWND box = WaitForMessageBox(tool.ProcessId(), kBoxCaption);
  if (Check(box != nullptr, "a message box comes up")) {
    CheckText(MessageBoxText(box), L"请选择一个CAD版本", "asks for a release");
    Check(GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDYES) == nullptr, "one OK button");
    Check(!IsWindowEnabled(window), "main window disabled while the box is up");
    Check(PressBoxButton(box, IDOK), "OK pressed");
    Check(WaitUntil([&] { return !MessageBoxExists(tool.ProcessId(), kBoxCaption); }), "box gone");
    Check(WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }), "main window enabled again");
    Check(WaitForFocus(tool.UiThread(), Item(window, layout::kCleanButton)), "focus back on CleanButton");
    Check(NoBoxOpened(tool, window), "the box came once");
  }
  Trace("");
}

void CheckFocusComesBack(const Tool& tool, HWND window) {
  Trace("reactivation");
  PressKey(VK_TAB, true);  // CleanButton -> VersionCombo
  HWND combo = Item(window, layout::kVersionCombo);
  if (!Check(WaitForFocus(tool.UiThread(), combo), "focus on VersionCombo first")) return;
  // The user clicks another program's window, then the tool's title bar.
  const UniqueWindow other(CreateWindowExW(0, L"Static", L"driver", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 80, 40,
                                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  ClickAt(40, 20);
  Check(WaitUntil([&] { return GetForegroundWindow() == other.Get(); }), "another window activated");
  RECT frame = {};
  GetWindowRect(window, &frame);
  ClickAt((frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2);
  Check(WaitUntil([&] { return GetForegroundWindow() == window; }), "tool activated again");
  Check(WaitForFocus(tool.UiThread(), combo), "focus back on the control that last had it");
  Trace("");
}

void CheckChoosingByKeyboard(const Tool& tool, HWND window) {
  HWND combo = Item(window, layout::kVersionCombo);
  HWND list = Item(window, layout::kProductList);
  for (int index = 0; index < 2; ++index) {
    Trace("Down arrow to item " + std::to_string(index));
    PressKey(VK_DOWN);
    const std::string name = Narrow(kProducts[index].name);
    const std::string path = "HKEY_LOCAL_MACHINE\\" + Narrow(kProductsKey) + Narrow(kProducts[index].key);
    const bool listed = WaitUntil([&] {
      return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 1 && ListCellText(tool.Process(), list, 0, 0) == name;
    });
    Check(listed, "the scan ran and listed one product");
    CheckEqual(SendMessageW(combo, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(index), "selection");
    CheckText(WindowText(combo), kItems[index], "the box shows the item");
    CheckEqual(ListCellText(tool.Process(), list, 0, 0), name, "column 0: the product name");
    CheckEqual(ListCellText(tool.Process(), list, 0, 1), path, "column 1: the key's full path");
  }

  // Choosing the selected item again runs the scan again: it finds the
  // product added meanwhile. Enter reaches the open list and picks the item.
  Trace("Enter in the open list on the selected item");
  Check(SetRegistryString(HKEY_LOCAL_MACHINE, std::wstring(kProductsKey) + kLateProduct.key, L"ProductName",
                          kLateProduct.name),
        "another 2008 product added");
  PressKey(VK_F4);
  Check(WaitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }), "list open");
  PressKey(VK_RETURN);
  Check(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 2; }), "scanned again: two rows");
  Check(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == FALSE, "list closed");
  CheckEqual(SendMessageW(combo, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(1), "selection unchanged");
  Check(!MessageBoxExists(tool.ProcessId(), kBoxCaption), "Enter pressed no button");
  Trace("");
}

void CheckEscWithListOpen(Tool& tool, HWND window) {
  Trace("Esc with the combo's list open");
  HWND combo = Item(window, layout::kVersionCombo);
  PressKey(VK_F4);
  if (Check(WaitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }), "list open")) {
    HWND list = FindComboList(tool.ProcessId());
    if (Check(list != nullptr && IsWindowVisible(list), "the open list is shown")) {
      // Created 160 tall, closed box and list together: the open list ends
      // there at the latest, and the nine items fit without scrolling.
      RECT open = {};
      GetWindowRect(list, &open);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&open), 2);
      CheckEqual(open.left, 56L, "open list left");
      CheckEqual(open.right - open.left, 112L, "open list width");
      Check(open.bottom <= 11 + 160, "open list ends within the created 160 pixels");
      RECT inside = {};
      GetClientRect(list, &inside);
      const LRESULT item_height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
      Check(inside.bottom >= 9 * item_height, "all nine items visible at once");
      CheckEqual(SendMessageW(list, LB_GETTOPINDEX, 0, 0), static_cast<LRESULT>(0), "list starts at the first item");
      std::printf("  note: open list %ld..%ld, items %ld tall\n", open.top, open.bottom,
                  static_cast<long>(item_height));
    }
    RECT rect = {};
    GetWindowRect(window, &rect);
    TakeScreenshot(window, "window-list-open.png", rect);
  }
  PressKey(VK_ESCAPE);
  DWORD exit_code = 1234;
  Check(tool.WaitForExit(&exit_code), "the program ends");
  CheckEqual(exit_code, 0UL, "exit code");
  Trace("");
}

// Each in a fresh run of the tool: the keys that close it from a control.
void CheckClosingKeys(const std::wstring& path) {
  struct Case {
    const char* label;
    int focus;  // reached with Tab from CleanButton
    WORD key;
    bool alt;
  } cases[] = {
      {"Esc with the focus on ProductList", layout::kProductList, VK_ESCAPE, false},
      {"Alt+F4 with the focus on CleanButton", layout::kCleanButton, VK_F4, true},
  };
  for (const Case& c : cases) {
    Trace(c.label);
    Tool tool;
    if (!Check(tool.Start(path), "started again")) continue;
    HWND window = tool.WaitForWindow(kCaption);
    if (!Check(window != nullptr, "window shown")) continue;
    Check(WaitForFocus(tool.UiThread(), Item(window, layout::kCleanButton)), "focus on CleanButton");
    if (c.focus != layout::kCleanButton) {
      PressKey(VK_TAB);
      Check(WaitForFocus(tool.UiThread(), Item(window, c.focus)), "focus moved there");
    }
    if (c.alt) {
      PressChord(VK_MENU, c.key);
    } else {
      PressKey(c.key);
    }
    DWORD exit_code = 1234;
    Check(tool.WaitForExit(&exit_code), "the program ends");
    CheckEqual(exit_code, 0UL, "exit code");
  }
  Trace("");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: window_driver PATH-TO-Quarnel.exe\n");
    return 2;
  }
  wchar_t path[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);

  for (const SeededProduct& product : kProducts) {
    Check(SetRegistryString(HKEY_LOCAL_MACHINE, std::wstring(kProductsKey) + product.key, L"ProductName", product.name),
          "seeded " + Narrow(product.name));
  }

  Tool tool;
  if (!Check(tool.Start(path), "tool started")) return Finish();
  HWND window = tool.WaitForWindow(kCaption);
  if (!Check(window != nullptr, "main window shown")) return Finish();
  Check(WaitForFocus(tool.UiThread(), Item(window, layout::kCleanButton)), "focus on CleanButton at start");

  CheckFrame(window, path);
  CheckControls(window);
  CheckStyles(window);
  CheckCombo(window);
  CheckList(tool.Process(), window);
  RECT rect = {};
  GetWindowRect(window, &rect);
  TakeScreenshot(window, "window.png", rect);
  CheckColours(window);

  CheckTabCycle(tool.UiThread(), window);
  CheckEnterAndSpace(tool, window);
  CheckFocusComesBack(tool, window);
  CheckChoosingByKeyboard(tool, window);
  CheckEscWithListOpen(tool, window);
  CheckClosingKeys(path);
  return Finish();
}
