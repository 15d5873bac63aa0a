// Benchmark: from process start to the main window visible and idle, for the tool and for a bare one-window program.
// Prints the median of each over many runs and their ratio. Run under Wine: scripts/bench.
#include "platform/win32.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 25;

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// Milliseconds from CreateProcess to a visible window of the new process with its thread idle; -1 on failure.
double StartOnce(const std::string& exe) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string line = "\"" + exe + "\"";
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
  Search search = {process.dwProcessId, nullptr};
  for (int i = 0; i < 20000 && !search.found; ++i) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(0);
  }
  WaitForInputIdle(process.hProcess, 10000);
  QueryPerformanceCounter(&end);
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return search.found ? 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart : -1;
}

double Median(const std::string& exe) {
  std::vector<double> times;
  StartOnce(exe);  // the first start fills the file cache
  for (int run = 0; run < kRuns; ++run) {
    const double ms = StartOnce(exe);
    if (ms >= 0) times.push_back(ms);
  }
  if (times.empty()) return -1;
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: startup_bench TOOL.exe BARE.exe\n");
    return 2;
  }
  const double tool = Median(argv[1]), bare = Median(argv[2]);
  if (tool < 0 || bare <= 0) return 1;
  std::printf("start-up to visible and idle, median of %d runs: tool %.1f ms, bare window %.1f ms, ratio %.2f\n", kRuns,
              tool, bare, tool / bare);
  return 0;
}
