// Time from process start to a visible top-level window, for the program and
// for the minimal window program; each started several times, median printed.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
  DWORD process_id;
  HWND window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lparam) {
  auto* found = reinterpret_cast<Found*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == found->process_id && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

// Seconds until the program's window is visible; negative on failure.
double StartToWindow(const std::wstring& exe) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::wstring line = L"\"" + exe + L"\"";
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  Found found = {process.dwProcessId, nullptr};
  double elapsed = -1;
  while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
    if (found.window != nullptr) {
      elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      break;
    }
    Sleep(1);  // polling for the window: there is nothing to wait on
  }
  if (found.window != nullptr) PostMessageW(found.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: startup_wine PROGRAM.exe MINIMAL.exe\n");
    return 2;
  }
  constexpr int kRuns = 7;
  std::vector<double> program, minimal;
  for (int run = 0; run < kRuns; ++run) {  // alternate, so that both see the same machine
    const double a = StartToWindow(argv[1]), b = StartToWindow(argv[2]);
    if (a < 0 || b < 0) return 1;
    program.push_back(a);
    minimal.push_back(b);
  }
  std::printf("start to window: program %.1f ms, minimal window %.1f ms, ratio %.2f (median of %d)\n",
              Median(program) * 1e3, Median(minimal) * 1e3, Median(program) / Median(minimal), kRuns);
  return 0;
}
