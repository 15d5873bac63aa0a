// The administrator check once the main window exists: advice only, the tool goes on.
#include "actions/actions.h"
#include "actions/texts.h"
#include "platform/platform.h"

void OnWindowCreated() {
  if (QueryUserIsAdmin() == 0) ShowMessage(kNoAdminWarning, kWarningBox, kNoAdminCaption);
}
