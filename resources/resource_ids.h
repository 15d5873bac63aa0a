// Resource ids of the tool, shared by the .rc file and the code.
#pragma once

// The application manifest has to be id 1 for Windows to read it at process start.
#define IDR_APP_MANIFEST 1

// The background picture, a JPEG stream stored as RCDATA.
#define IDR_BACKGROUND_PICTURE 2

// The application icon group, by name; the shell shows the first group as the file's icon.
#define APP_ICON_NAME "DEFAULT_ICON"
