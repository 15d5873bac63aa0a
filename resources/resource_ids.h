// Resource ids of the tool, shared by the .rc file and the code.
#pragma once

// The application manifest has to be id 1 for Windows to read it at process start.
#define IDR_APP_MANIFEST 1
