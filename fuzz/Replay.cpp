// Runs a fuzz target once on every file of the folders given, in the ordinary build: an input
// that once failed a target (fuzz/regressions) stays fixed, and the seeds still run clean. A
// broken invariant aborts, which fails the test.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const QDir dir(QString::fromLocal8Bit(argv[i]));
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
      QFile f(info.filePath());
      if (!f.open(QIODevice::ReadOnly)) return 2;
      const QByteArray bytes = f.readAll();
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                             size_t(bytes.size()));
      ++inputs;
    }
  }
  std::printf("%d inputs replayed\n", inputs);
  return inputs > 0 ? 0 : 1;
}
