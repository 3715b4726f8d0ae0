#include "cleanup/cleanup_run.h"

#include <string>

#include "app/controls.h"
#include "app/events.h"
#include "app/host/host.h"
#include "cleanup/product_scan.h"
#include "cleanup/release_table.h"

bool IsPlainProductKeyPath(const Text& path) {
  const Text prefix = kProductsKeyFullPath;
  if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < path.size(); ++i) {
    const char c = path[i];
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!plain) return false;
  }
  return true;
}

void OnCleanClicked() {
  if (VersionCombo::SelectedIndex() == -1) {
    ShowMessage("请选择一个CAD版本", kButtonsOk);
    return;
  }

  const Text question = "现在开始清理:" + VersionCombo::SelectedText() +
                        " 注册表吗？提示您:如果您的CAD正常使用的,请勿执行此操作！";
  // Only a real Yes deletes: a box that failed to appear answers 0.
  if (ShowMessage(question, kButtonsYesNo) != kAnswerYes) return;

  const std::int32_t row_count = ProductList::RowCount();
  for (std::int32_t row = 0; row < row_count; ++row) {
    const Text path = ProductList::GetCellText(row, 1);
    if (!IsPlainProductKeyPath(path)) continue;
    RunCommand("cmd /c reg delete " + path + " /f", true, kShowHidden);
  }

  for (const ReleaseEntry& entry : ReleaseTable) {
    if (VersionCombo::SelectedIndex() != entry.index) continue;
    for (const Text& line : ReleaseDeleteCommands(entry)) RunCommand(line, true, kShowHidden);
    OnVersionSelected();  // list what is left
  }

  // Rows left after the re-scan were not removed, most often for want of
  // administrator rights: say so instead of reporting success.
  const std::int32_t left = ProductList::RowCount();
  if (left > 0) {
    ShowMessage("清理未完成，仍有" + std::to_string(left) + "项注册信息未能删除，请以管理员身份运行后重试", kButtonsOk);
    return;
  }
  ShowMessage("清理完成 建议您重启一次电脑", kButtonsOk);
}
