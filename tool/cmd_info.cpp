#include <cstdio>

#include "tool/Commands.h"

// Asks a receiver who it is.
int Cmd_Info(const QStringList&) {
  std::fprintf(stderr, "vqtool: info is not available yet\n");
  return 2;
}
