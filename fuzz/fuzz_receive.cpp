// The driver's receive path, ACK/NAK, retransmission and time-out live, on a script: each step
// feeds raw bytes, feeds a packet framed with its right checksum (so that decoding is reached),
// ticks the response timer, raises a line error, reopens the port or sends one of the owner's
// requests. Everything the driver writes must be one well-formed frame.
#include "FuzzSupport.h"

namespace {
void Step(Fuzz::cInput& in, Fuzz::cDriverRig& rig) {
  cGarmin& garmin = rig.Garmin;
  cMemComm& comm = rig.Comm;
  const uint8_t c = in.Byte();
  if (c < 0xE0) {
    comm.Feed(in.Take(c % 64 + 1));
  } else if (c < 0xF0) {
    const uint8_t id = in.Byte();
    comm.Feed(Wire_Of(id, in.Take(in.Byte())));
  } else if (c < 0xF4) {
    rig.Tick();
  } else if (c == 0xF4) {
    comm.Raise_Event(1000 + in.Byte() % 10 + 1);
  } else if (c == 0xF5) {
    garmin.PortClose();
    garmin.PortOpen();
  } else if (c == 0xF6) {
    garmin.Request_Product_Data();
  } else if (c == 0xF7) {
    garmin.Request_Tracks();
  } else if (c == 0xF8) {
    garmin.Start_of_Records(qint16(in.Byte() | in.Byte() << 8));
  } else if (c == 0xF9) {
    garmin.Send_Route_Waypoint();
  } else if (c == 0xFA) {
    garmin.Send_Route_Header();
    garmin.Send_Route_Link();
  } else if (c == 0xFB) {
    garmin.Send_Track();
  } else if (c == 0xFC) {
    garmin.setIgnoreCheckSum(!garmin.IgnoreCheckSum());
  }
  for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::App();
  Fuzz::cDriverRig rig;
  cGarmin& garmin = rig.Garmin;
  // An owner that gives up on an error, as the window does.
  QObject::connect(&garmin, &cGarmin::cError,
                   [&garmin](qint16, const QString&, const QByteArray&) { garmin.PortClose(); });
  garmin.PortOpen();
  Fuzz::cInput in(data, size);
  while (!in.Empty()) {
    Step(in, rig);
    for (const QByteArray& wire : rig.Comm.Written) Fuzz::Check_Written(wire);
    rig.Comm.Written.clear();
    if (garmin.RxBuffer().size() > 16384) Fuzz::Broken("RxBuffer grows without bound");
  }
  // Pending queued passes belong to this driver: run them before it goes.
  QCoreApplication::processEvents();
  return 0;
}
