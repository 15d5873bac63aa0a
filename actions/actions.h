// The handlers of the main window's events: what the tool does for the user.
#pragma once

void OnWindowCreated();
void OnRepairClicked();
void OnHelpClicked();
void OnSupportClicked();
