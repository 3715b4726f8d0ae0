// Programs planted beside the tool must not run: a cmd.exe, reg.exe, reg.com
// and reg.bat in the tool's folder, each leaving a marker file when started.
// First shows that they are live (a program in that folder starting "cmd",
// and cmd started there looking for "reg", do run them), then cleans 2014
// with Yes: no marker, and the deletes happened all the same.
#include <cstring>

#include "tests/wine/drive.h"
#include "tests/wine/e2e_support.h"

namespace {

using namespace drive;
using namespace e2e;

constexpr int kRelease = 6;  // AUTOCAD2014
constexpr wchar_t kItem[] = L"AUTOCAD2014";
constexpr const wchar_t* kPlantedPrograms[] = {L"cmd.exe", L"reg.exe", L"reg.com"};
constexpr const wchar_t* kAllPlanted[] = {L"cmd.exe", L"reg.exe", L"reg.com", L"reg.bat"};

bool Plant(const std::wstring& folder) {
  bool ok = true;
  for (const wchar_t* name : kPlantedPrograms) {
    ok = Check(CopyFileW(ThisProgram().c_str(), (folder + L"\\" + name).c_str(), FALSE) != FALSE,
               "planted " + Narrow(name)) && ok;
  }
  FILE* batch = _wfopen((folder + L"\\reg.bat").c_str(), L"wb");
  if (batch != nullptr) {
    std::fprintf(batch, "@echo ran> \"%%~dp0%s\"\r\n", Narrow(MarkerName(L"reg.bat")).c_str());
    std::fclose(batch);
  }
  return Check(batch != nullptr, "planted reg.bat") && ok;
}

std::vector<std::wstring> MarkersIn(const std::wstring& folder) {
  std::vector<std::wstring> found;
  for (const wchar_t* name : kAllPlanted) {
    if (FileExists(folder + L"\\" + MarkerName(name))) found.push_back(name);
  }
  return found;
}

void RemoveMarkers(const std::wstring& folder) {
  for (const wchar_t* name : kAllPlanted) DeleteFileW((folder + L"\\" + MarkerName(name)).c_str());
}

std::string Names(const std::vector<std::wstring>& names) {
  std::string joined;
  for (const std::wstring& name : names) joined += (joined.empty() ? "" : ", ") + Narrow(name);
  return joined.empty() ? "none" : joined;
}

// What a tool without its guard would do, to show the plants would catch it.
void ShowPlantsAreLive(const std::wstring& folder) {
  Trace("plants are live");
  const std::wstring system = SystemDirectory();
  RunProcess(system + L"\\cmd.exe", L"cmd /c reg query HKCU\\Software", folder);
  const std::vector<std::wstring> by_reg = MarkersIn(folder);
  Say("  cmd started in the tool's folder ran the planted: " + Names(by_reg));
  Check(!by_reg.empty(), "cmd started in the tool's folder runs a planted reg");
  RemoveMarkers(folder);

  // A program in the tool's folder that starts "cmd" by name, as the tool's
  // command lines do, gets the planted cmd.exe.
  const std::wstring probe = folder + L"\\quarnel-probe.exe";
  CopyFileW(ThisProgram().c_str(), probe.c_str(), FALSE);
  RunProcess(probe, L"quarnel-probe.exe --start-cmd", folder);
  DeleteFileW(probe.c_str());
  const std::vector<std::wstring> by_name = MarkersIn(folder);
  Say("  \"cmd /c ...\" started from a program in the tool's folder ran the planted: " + Names(by_name));
  Check(by_name.size() == 1 && by_name[0] == L"cmd.exe", "a bare cmd from that folder is the planted cmd.exe");
  RemoveMarkers(folder);
  Trace("");
}

int StartCmdByName() {
  wchar_t line[] = L"cmd /c exit 0";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return 1;
  WaitForSingleObject(info.hProcess, 30000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (RunAsPlantedProgram()) return 0;
  if (argc >= 2 && std::strcmp(argv[1], "--start-cmd") == 0) return StartCmdByName();
  if (argc < 2) {
    Say("usage: cleanup_planted_driver PATH-TO-Quarnel.exe");
    return 2;
  }
  wchar_t path[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
  const std::wstring folder = FolderOf(path);

  Say("== 0. Seed the sandbox, plant programs beside the tool");
  if (!Check(SeedRegistry(L"leftovers.reg", false), "leftovers imported with reg import")) return Finish();
  if (!Plant(folder)) return Finish();
  ShowPlantsAreLive(folder);
  CheckInstallerStates(kRelease, false);
  const std::vector<Row> expected = ExpectedRows(kRelease, false);

  Tool tool;
  if (!Check(tool.Start(path), "tool started")) return Finish();
  if (!Check(tool.WaitForWindow(kCaption) != nullptr, "main window shown")) return Finish();
  const Snapshot seeded = TakeSnapshot();

  Say("== 1. Choose AUTOCAD2014, clean, answer Yes");
  Trace("Yes with plants");
  ChooseRelease(tool, kRelease, expected);
  PressClean(tool);
  AnswerBox(tool, L"现在开始清理:" + std::wstring(kItem) + L" 注册表吗？提示您:如果您的CAD正常使用的,请勿执行此操作！",
            true, IDYES, "1-question");
  AnswerBox(tool, L"清理完成 建议您重启一次电脑", false, IDOK, "1-done", 120000);
  const std::vector<std::wstring> ran = MarkersIn(folder);
  Say("  planted programs that ran: " + Names(ran));
  Check(ran.empty(), "no planted program ran");
  Check(ListedRows(tool).empty(), "the re-scan lists nothing for the release");
  Trace("Yes with plants, registry");
  CheckRegistryChange(seeded, TakeSnapshot(), ExpectedRemovals(kRelease, false));
  Trace("");
  CheckInstallerStates(kRelease, true);

  Activate(tool);
  PressKey(VK_ESCAPE);
  DWORD exit_code = 1234;
  Check(tool.WaitForExit(&exit_code), "Esc ends the tool");
  CheckEqual(exit_code, 0UL, "exit code");
  return Finish();
}
