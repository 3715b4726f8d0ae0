#pragma once
// MainWindow's stored layout. The Win32 window and the simulated one are both
// built from these tables, and the tests read them too.
#include <array>
#include <cstdint>

namespace layout {

constexpr const char* kCaption = "Quarnel(Ostrivo)";
constexpr std::int32_t kOuterWidth = 274;
constexpr std::int32_t kOuterHeight = 305;

enum class Kind { kLabel, kDropDownList, kReportList, kPushButton };

enum ControlId : std::int32_t {
  kVersionLabel = 101,
  kVersionCombo = 102,
  kHintLabel = 103,
  kProductList = 104,
  kCleanButton = 105,
};

struct Control {
  ControlId id;
  const char* name;  // the layout's name property (code page 936)
  Kind kind;
  std::int32_t left, top, width, height;  // in MainWindow's client area
  const char* text;                       // code page 936; nullptr for none
  bool tab_stop;
};

// The hint: an ASCII colon after the first two characters, full-width commas,
// and the last word between two ASCII double quotes (79 bytes in all).
constexpr const char* kHintText =
    "解决:在控制面板看不到CAD卸载项目，但是又不能正常安装CAD，每次安装时提示\"以安装\"";

// In creation order. The combo's closed box is 20 pixels tall in the layout.
constexpr std::array<Control, 5> kControls = {{
    {kVersionLabel, "标签2", Kind::kLabel, 8, 9, 40, 24, "CAD版本", false},
    {kVersionCombo, "组合框1", Kind::kDropDownList, 56, 11, 112, 20, nullptr, true},
    {kHintLabel, "标签1", Kind::kLabel, 0, 240, 264, 32, kHintText, false},
    {kProductList, "超级列表框1", Kind::kReportList, 3, 42, 261, 192, nullptr, true},
    {kCleanButton, "按钮1", Kind::kPushButton, 175, 10, 70, 20, "清理", true},
}};

// The combo is created this tall, closed box and open list together.
constexpr std::int32_t kComboCreatedHeight = 160;

// Forward Tab order; Shift+Tab walks it backwards.
constexpr std::array<ControlId, 3> kTabCycle = {kCleanButton, kProductList, kVersionCombo};
// Where the focus goes on first activation.
constexpr ControlId kFirstFocus = kCleanButton;

struct Column {
  const char* title;  // code page 936
  std::int32_t width;
};
constexpr std::array<Column, 2> kListColumns = {{{"信息", 250}, {"注册路径", 1}}};

}  // namespace layout
