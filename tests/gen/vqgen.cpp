// vqgen SAMPLES_DIR DATA_DIR: writes the bundled sample list and the tests' .twl files.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "tests/gen/GenFiles.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: vqgen SAMPLES_DIR DATA_DIR\n");
    return 2;
  }
  if (!GenFiles::Write_Sample(args[1]) || !GenFiles::Write_Test_Files(args[2])) {
    std::fprintf(stderr, "vqgen: cannot write the files\n");
    return 1;
  }
  return 0;
}
