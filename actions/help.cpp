// Help text and the online support page.
#include "actions/actions.h"
#include "actions/texts.h"
#include "platform/platform.h"

void OnHelpClicked() { ShowMessage(kHelpText, kPlainBox); }

void OnSupportClicked() { OpenWebPage(kSupportAddress); }
