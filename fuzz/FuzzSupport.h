#pragma once
// Shared pieces of the fuzz targets: one QCoreApplication, a reader of the fuzzer's input, a
// driver rig whose timer the targets tick, and a stop for a broken invariant of ours.
#include <QByteArray>
#include <QCoreApplication>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "garmin/Framing.h"
#include "garmin/cGarmin.h"
#include "tests/doubles/cMemComm.h"
#include "tests/garmin/Helpers.h"

namespace Fuzz {

inline QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  return *app;
}

// Bytes off the front of the input; reads past the end give 0 and an empty array.
class cInput {
 public:
  cInput(const uint8_t* data, size_t size) : Data_(data), Size_(size) {}
  bool Empty() const { return Pos_ >= Size_; }
  uint8_t Byte() { return Pos_ < Size_ ? Data_[Pos_++] : 0; }
  QByteArray Take(size_t n) {
    const size_t k = n < Size_ - Pos_ ? n : Size_ - Pos_;
    QByteArray out(reinterpret_cast<const char*>(Data_ + Pos_), int(k));
    Pos_ += k;
    return out;
  }
  QByteArray Rest() { return Take(Size_ - Pos_); }

 private:
  const uint8_t* Data_;
  size_t Size_;
  size_t Pos_ = 0;
};

// An invariant did not hold: the fuzzer records the input that led here.
[[noreturn]] inline void Broken(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// Bytes the driver wrote: one frame, stuffed, its size byte and checksum right.
inline void Check_Written(const QByteArray& wire) {
  const QByteArray p = Framing::Unstuff(wire);
  if (p.size() < 6 || p[0] != Framing::DLE || p[p.size() - 2] != Framing::DLE ||
      p[p.size() - 1] != Framing::ETX)
    Broken("written bytes are not a frame");
  if (uint8_t(p[2]) != p.size() - 6) Broken("written size byte disagrees with the data");
  if (uint8_t(p[p.size() - 3]) != Framing::Packet_Checksum(p)) Broken("written checksum");
  if (Framing::Stuff(p) != wire) Broken("written frame is not stuffed as it should be");
}

// A driver on the in-memory serial control, its port settings given. The response timer never
// fires by the clock: the targets tick it themselves.
struct cDriverRig {
  cMemComm Comm;
  QTimer Timer;
  cGarmin Garmin;
  cDriverRig() {
    Timer.setInterval(1000000);
    Garmin.setComGarmin(&Comm);
    Garmin.setTmrTimeout(&Timer);
    Garmin.setSettings(QStringLiteral("9600,N,8,1"));
    Garmin.setPort(1);
  }
  // One tick of the response timer, which fires only while it runs.
  void Tick() {
    if (Timer.isActive()) QMetaObject::invokeMethod(&Timer, "timeout");
  }
};

}  // namespace Fuzz
