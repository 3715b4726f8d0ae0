// The whole job on a sandbox holding the leftovers of several releases, as a
// user does it: the clean button with nothing chosen, a release chosen with
// the keyboard and the question answered No, then Yes. After each step the
// whole registry is compared with the seeded one, and the installer's own
// API says which products are still installed. Prints each step, so it also
// serves as the walk-through of scripts/run.sh.
//
//   cleanup_driver PATH-TO-Quarnel.exe   the scenario (in wine_scenario.sh)
//   cleanup_driver --seed                only seeds the current prefix
#include <cstring>

#include "app/layout.h"
#include "tests/wine/drive.h"
#include "tests/wine/e2e_support.h"

namespace {

using namespace drive;
using namespace e2e;

constexpr int kRelease = 2;  // AUTOCAD2010
constexpr wchar_t kItem[] = L"AUTOCAD2010";
constexpr wchar_t kChooseFirst[] = L"请选择一个CAD版本";
constexpr wchar_t kDone[] = L"清理完成 建议您重启一次电脑";

std::wstring Question(const std::wstring& item) {
  return L"现在开始清理:" + item + L" 注册表吗？提示您:如果您的CAD正常使用的,请勿执行此操作！";
}

void NothingChosen(const Tool& tool, const Snapshot& seeded) {
  Say("== 1. The clean button with no release chosen");
  Trace("nothing chosen");
  PressClean(tool);
  AnswerBox(tool, kChooseFirst, false, IDOK, "1-nothing-chosen");
  Check(NoBoxCame(tool), "no further box");
  Check(ListedRows(tool).empty(), "the list stays empty");
  Trace("nothing chosen, registry");
  CheckRegistryChange(seeded, TakeSnapshot(), {});
  Trace("");
}

void AnsweredNo(const Tool& tool, const Snapshot& seeded, const std::vector<Row>& expected) {
  Say("== 2. Choose AUTOCAD2010, clean, answer No");
  Trace("No");
  ChooseRelease(tool, kRelease, expected);
  Shot(tool, nullptr, "2-listed");
  PressClean(tool);
  AnswerBox(tool, Question(kItem), true, IDNO, "2-question");
  Check(NoBoxCame(tool), "no further box");
  CheckRows(tool, expected, "the list is unchanged");
  Trace("No, registry");
  CheckRegistryChange(seeded, TakeSnapshot(), {});
  Trace("");
}

void AnsweredYes(const Tool& tool, const Snapshot& seeded) {
  Say("== 3. Clean again, answer Yes");
  Trace("Yes");
  PressClean(tool);
  AnswerBox(tool, Question(kItem), true, IDYES, "3-question");
  // Every delete runs and is waited for before the last box comes.
  AnswerBox(tool, kDone, false, IDOK, "3-done", 120000);
  Say("  what is left:");
  SayRows(ListedRows(tool));
  Check(ListedRows(tool).empty(), "the re-scan lists nothing for the release");
  Check(SendMessageW(GetDlgItem(tool.Window(), layout::kVersionCombo), CB_GETCURSEL, 0, 0) == kRelease, "the release stays chosen");
  Trace("Yes, registry");
  CheckRegistryChange(seeded, TakeSnapshot(), ExpectedRemovals(kRelease, false));
  Trace("");
  Say("  the installer's view:");
  CheckInstallerStates(kRelease, true);
}

int SeedOnly() {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  const std::wstring reg_file = std::wstring(folder) + L"\\leftovers.reg";
  if (!SeedRegistry(reg_file, false)) {
    Say("seeding failed");
    return 1;
  }
  Say("seeded from " + Narrow(reg_file) + ":");
  for (const seed::Product& product : seed::kProducts) {
    Say("  product " + Narrow(PackedCode(product.code)) + "  " +
        (product.name != nullptr ? Narrow(product.name) : std::string("(no ProductName)")));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--seed") == 0) return SeedOnly();
  if (argc < 2) {
    Say("usage: cleanup_driver PATH-TO-Quarnel.exe | --seed");
    return 2;
  }
  wchar_t path[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
  Say("ANSI code page " + std::to_string(GetACP()));

  Say("== 0. Seed the sandbox");
  if (!Check(SeedRegistry(L"leftovers.reg", false), "leftovers imported with reg import")) return Finish();
  CheckInstallerStates(kRelease, false);
  const std::vector<Row> expected = ExpectedRows(kRelease, false);

  Tool tool;
  if (!Check(tool.Start(path), "tool started")) return Finish();
  if (!Check(tool.WaitForWindow(kCaption) != nullptr, "main window shown")) return Finish();
  Check(WaitForFocus(tool.UiThread(), GetDlgItem(tool.Window(), layout::kCleanButton)), "focus on CleanButton at start");
  // Taken with the display up: Wine rewrites its display keys when it starts.
  const Snapshot seeded = TakeSnapshot();
  Shot(tool, nullptr, "0-start");

  NothingChosen(tool, seeded);
  AnsweredNo(tool, seeded, expected);
  AnsweredYes(tool, seeded);

  Activate(tool);
  PressKey(VK_ESCAPE);
  DWORD exit_code = 1234;
  Check(tool.WaitForExit(&exit_code), "Esc ends the tool");
  CheckEqual(exit_code, 0UL, "exit code");
  return Finish();
}
