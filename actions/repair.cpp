// The repair: copy the three components into the system folder, register them, then start the simulator.
#include "actions/actions.h"
#include "actions/texts.h"
#include "platform/platform.h"

namespace {

struct RepairComponent {
  const char* source;  // appended to the run directory
  const char* destination;
  const char* registration;
};

// In copy order; the registrations run in the reverse order.
constexpr RepairComponent RepairComponents[] = {
    {"\\手动安装\\COMDLG32\\COMDLG32.OCX", "C:\\Windows\\System32\\COMDLG32.OCX",
     "regsvr32 C:\\WINDOWS\\system32\\COMDLG32.OCX"},
    {"\\手动安装\\MSCOMCTL\\MSCOMCTL.OCX", "C:\\Windows\\System32\\MSCOMCTL.OCX",
     "regsvr32 C:\\WINDOWS\\system32\\MSCOMCTL.OCX"},
    {"\\手动安装\\msstdfmt\\msstdfmt.dll", "C:\\Windows\\System32\\msstdfmt.dll",
     "regsvr32 C:\\WINDOWS\\system32\\msstdfmt.dll"},
};
constexpr int kComponentCount = sizeof RepairComponents / sizeof RepairComponents[0];

constexpr char kSimulator[] = "\\Kestrov汉化版.exe";

}  // namespace

void OnRepairClicked() {
  for (const RepairComponent& component : RepairComponents) {
    char* runDirectory = GetRunDirectory();
    char* source = JoinText({runDirectory, component.source});
    FreeText(runDirectory);
    CopyFileReplacing(source, component.destination);
    FreeText(source);
  }
  for (int i = kComponentCount - 1; i >= 0; --i) RunProgram(RepairComponents[i].registration);
  ShowMessage(kLaunchNotice, kPlainBox);
  char* runDirectory = GetRunDirectory();
  // Quoted: unquoted, a folder such as "D:\My Tools" would make the elevated
  // tool start "D:\My.exe" if someone put one there.
  char* simulator = JoinText({"\"", runDirectory, kSimulator, "\""});
  FreeText(runDirectory);
  RunProgram(simulator);
  FreeText(simulator);
}
