// Registrations of 2012 whose key names are not product codes: one with a
// space and a reg switch, one with an ampersand and a command of its own.
// The scan lists them; a confirmed run must leave them alone, delete the
// rest, run no injected command and say how many rows it could not delete.
#include "tests/wine/drive.h"
#include "tests/wine/e2e_support.h"

namespace {

using namespace drive;
using namespace e2e;

constexpr int kRelease = 4;  // AUTOCAD2012
constexpr wchar_t kItem[] = L"AUTOCAD2012";
constexpr wchar_t kScratch[] = L"Software\\QuarnelScratch";

// The lines a tool without its check would build from the odd names, run by
// hand under a scratch key, to show that the checks below would catch it.
void ShowNamesAreHostile(const std::wstring& folder) {
  Trace("names are hostile");
  const std::wstring cmd = SystemDirectory() + L"\\cmd.exe";
  const std::wstring scratch = kScratch;
  auto line = [&](const wchar_t* key) { return L"cmd /c reg delete HKEY_CURRENT_USER\\" + scratch + L"\\" + key + L" /f"; };

  const std::wstring neighbour = scratch + L"\\" + seed::kOddProducts[2].key;
  SetRegistryString(HKEY_CURRENT_USER, neighbour, L"ProductName", seed::kOddProducts[2].name);
  RunProcess(cmd, line(seed::kOddProducts[0].key), folder);
  Check(KeyExists(HKEY_CURRENT_USER, neighbour) && !ValueExists(HKEY_CURRENT_USER, neighbour, L"ProductName"),
        "the name with a switch empties the values of its plain neighbour");

  RunProcess(cmd, line(seed::kOddProducts[1].key), folder);
  const std::wstring injected = folder + L"\\" + seed::kInjectedFile;
  Check(FileExists(injected), "the name with an ampersand runs a command of its own");
  DeleteFileW(injected.c_str());
  RunProcess(cmd, L"cmd /c reg delete HKEY_CURRENT_USER\\" + scratch + L" /f", folder);
  Trace("");
}

std::vector<Row> RowsLeft() {
  std::vector<Row> rows;
  for (const Row& row : ExpectedRows(kRelease, true)) {
    for (const seed::OddProduct& odd : seed::kOddProducts) {
      if (odd.listed_for == kRelease && !odd.deleted && row.name == Ansi(odd.name)) rows.push_back(row);
    }
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    Say("usage: cleanup_unsafe_key_driver PATH-TO-Quarnel.exe");
    return 2;
  }
  wchar_t path[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
  const std::wstring folder = FolderOf(path);

  Say("== 0. Seed the sandbox with odd key names");
  if (!Check(SeedRegistry(L"leftovers.reg", true), "leftovers imported with reg import")) return Finish();
  ShowNamesAreHostile(folder);
  CheckInstallerStates(kRelease, false);
  const std::vector<Row> expected = ExpectedRows(kRelease, true);
  const std::vector<Row> left = RowsLeft();
  Check(left.size() == 2, "two odd names listed for the release");

  Tool tool;
  if (!Check(tool.Start(path), "tool started")) return Finish();
  if (!Check(tool.WaitForWindow(kCaption) != nullptr, "main window shown")) return Finish();
  const Snapshot seeded = TakeSnapshot();

  Say("== 1. Choose AUTOCAD2012: the odd names are listed");
  Trace("odd names");
  ChooseRelease(tool, kRelease, expected);
  Shot(tool, nullptr, "1-listed");

  Say("== 2. Clean, answer Yes: the odd names stay, and the tool says so");
  PressClean(tool);
  AnswerBox(tool, L"现在开始清理:" + std::wstring(kItem) + L" 注册表吗？提示您:如果您的CAD正常使用的,请勿执行此操作！",
            true, IDYES, "2-question");
  AnswerBox(tool,
            L"清理未完成，仍有" + std::to_wstring(left.size()) + L"项注册信息未能删除，请以管理员身份运行后重试",
            false, IDOK, "2-not-done", 120000);
  Say("  what is left:");
  SayRows(ListedRows(tool));
  CheckRows(tool, left, "the list shows the rows left, the odd ones alone");
  const std::wstring system = SystemDirectory();
  for (const std::wstring& where : {folder, system, std::wstring(L".")}) {
    Check(!FileExists(where + L"\\" + seed::kInjectedFile), "no injected command ran in " + Narrow(where));
  }
  Trace("odd names, registry");
  CheckRegistryChange(seeded, TakeSnapshot(), ExpectedRemovals(kRelease, true));
  Trace("");
  CheckInstallerStates(kRelease, true);

  Activate(tool);
  PressKey(VK_ESCAPE);
  DWORD exit_code = 1234;
  Check(tool.WaitForExit(&exit_code), "Esc ends the tool");
  CheckEqual(exit_code, 0UL, "exit code");
  return Finish();
}
