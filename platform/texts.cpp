// Texts the tool hands out: joined texts and copies of the run directory.
#include "platform/texts.h"

#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/win32.h"

char* AllocateText(size_t bytes) {
  char* text = static_cast<char*>(std::malloc(bytes));
  if (!text) {
    char message[64];
    wsprintfA(message, "分配 %d 字节内存失败!", static_cast<int>(bytes));
    RaiseFatalError(message);
  }
  return text;
}

char* JoinText(std::initializer_list<const char*> texts) {
  size_t total = 0;
  for (const char* text : texts) total += text ? std::strlen(text) : 0;
  char* joined = AllocateText(total + 1);
  char* end = joined;
  for (const char* text : texts) {
    const size_t length = text ? std::strlen(text) : 0;
    if (length) std::memcpy(end, text, length);
    end += length;
  }
  *end = '\0';
  return joined;
}

void FreeText(char* text) { std::free(text); }
