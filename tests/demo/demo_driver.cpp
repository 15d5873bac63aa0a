// Drives one full repair of the real tool in a demo folder, pausing at each step for a screenshot, and writes a
// summary.
//   demo_driver FOLDER OUT
// At each step it writes OUT\<step>.ready and waits for OUT\<step>.shot, which the demo script
// makes once it has captured the screen. Exit code 0 only when the whole repair happened.
#include "tests/support/tool_run.h"

#include <cstdio>
#include <string>

namespace {

std::string g_out;

void Step(const char* name) {
  WriteFileBytes(g_out + "\\" + name + ".ready", "");
  WaitForFile(g_out + "\\" + name + ".shot", 30000);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string folder = argv[1];
  g_out = argv[2];
  const std::string registrationLog = g_out + "\\registrations.log", simulatorLog = g_out + "\\simulator.log";
  DeleteFileA(registrationLog.c_str());
  DeleteFileA(simulatorLog.c_str());
  SetEnvironmentVariableA("KESTROV_REGISTRATION_LOG", registrationLog.c_str());
  SetEnvironmentVariableA("KESTROV_SIMULATOR_LOG", simulatorLog.c_str());
  RemoveSystemCopies();
  LayOutSimulatorFolder(folder);

  std::string summary;
  bool ok = true;
  auto report = [&](const std::string& line, bool good) {
    summary += (good ? "ok    " : "FAIL  ") + line + "\r\n";
    ok = ok && good;
  };

  ToolRun tool(folder + "\\KestrovRepair.exe");
  report("main window shown: " + WindowText(tool.window()), tool.window() != nullptr);
  if (tool.window()) {
    Step("1-window");
    PostMessageA(tool.control(kRepairButton), BM_CLICK, 0, 0);
    HWND notice = WaitForBox(tool.processId(), "信息：");
    report("notice shown: " + (notice ? ReadBox(notice).text : std::string("none")), notice != nullptr);
    for (int i = 0; i < 200 && Registrations(registrationLog).size() < 3; ++i) Sleep(50);
    if (notice) {
      Step("2-notice");
      report("simulator not started before the notice closed", SimulatorStarts(simulatorLog).empty());
      PressBoxButton(notice, IDOK);
    }
    for (int i = 0; i < 200 && SimulatorStarts(simulatorLog).empty(); ++i) Sleep(50);
    Step("3-launched");
    for (const Component& component : kComponents) {
      std::string source, copy;
      const bool same = ReadFileBytes(SourceOf(folder, component), &source) &&
                        ReadFileBytes(SystemCopyOf(component), &copy) && source == copy;
      report("copied to " + SystemCopyOf(component), same);
    }
    std::string order;
    for (const std::string& name : Registrations(registrationLog)) order += (order.empty() ? "" : ", ") + name;
    report("registered in order: " + order, order == "msstdfmt, MSCOMCTL, COMDLG32");
    const auto starts = SimulatorStarts(simulatorLog);
    report("simulator started: " +
               (starts.empty() ? std::string("no") : starts[0].commandLine + " in " + starts[0].currentDirectory),
           starts.size() == 1 && starts[0].currentDirectory == folder);
    PostMessageA(tool.window(), WM_CLOSE, 0, 0);
  }
  const DWORD code = tool.waitExit();
  report("exit code " + std::to_string(code), code == 0);
  WriteFileBytes(g_out + "\\summary.txt", summary);
  std::fputs(summary.c_str(), stdout);
  RemoveSystemCopies();
  return ok ? 0 : 1;
}
