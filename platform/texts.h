// Allocation shared by the operations that hand out new texts.
#pragma once

#include <cstddef>

// A block of `bytes` bytes; raises the fatal report when memory runs out.
char* AllocateText(size_t bytes);
