// Prints the allocator tunables this process ends up with after asking for large heap
// pages, and whether argv survived the restart.
#include <cstdio>
#include <cstdlib>

#include "platform/Platform.h"

int main(int argc, char** argv) {
  tvn::platform::UseLargeHeapPages(argv);
  const char* tunables = std::getenv("GLIBC_TUNABLES");
  std::printf("tunables=[%s] args=%d last=%s\n", tunables ? tunables : "", argc, argv[argc - 1]);
  return 0;
}
