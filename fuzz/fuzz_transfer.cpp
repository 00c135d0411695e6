// A route upload or a track log download through the real driver on the in-memory serial
// control, against an arbitrary receiver: the first byte picks the transfer and the list, the
// rest answers the handshake and scripts raw bytes, packets, ACKs and timer ticks. Every frame
// written is well formed, a transfer ends once at most, and ends within the time-out on silence.
#include "FuzzSupport.h"
#include "points/cVQPoints.h"
#include "workflows/cTransfer.h"
#include "workflows/cTransferUI.h"

namespace {
void Pump() {
  for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

void Feed_Packet(cMemComm& comm, uint8_t id, const QByteArray& data) {
  comm.Feed(Wire_Of(id, data));
  Pump();
}

class cFuzzUI : public cTransferUI {
 public:
  cFuzzUI(Fuzz::cInput& in, cMemComm& comm, cGarmin& garmin)
      : In_(in), Comm_(comm), Garmin_(garmin) {}
  int Ended = 0;
  void Notice(const QString&) override {}
  // The receiver answers the first product request; a question about a silent one is cancelled.
  void Answer() {
    Feed_Packet(Comm_, Garmin_.PID_Product_Data(), In_.Take(In_.Byte()));
    const uint8_t array_size = In_.Byte();
    if (array_size > 0) Feed_Packet(Comm_, Garmin_.PID_Protocol_Array(), In_.Take(array_size));
  }
  bool Ask_Retry(const QString&) override { return false; }
  bool Ask_Go_On(const QString&) override { return true; }
  void Show_Panel(int, const QString&) override {}
  void Show_Progress(int done, int total) override {
    if (total > 0 && (done < 0 || done > total)) Fuzz::Broken("progress beyond its total");
  }
  void Set_Busy(bool) override {}

 private:
  Fuzz::cInput& In_;
  cMemComm& Comm_;
  cGarmin& Garmin_;
};

void Step(Fuzz::cInput& in, Fuzz::cDriverRig& rig) {
  cGarmin& g = rig.Garmin;
  cMemComm& comm = rig.Comm;
  const uint8_t ids[] = {g.PID_Records(),      g.PID_Trk_Hdr(),       g.PID_Trk_Data(),
                         g.PID_Xfer_Cmplt(),   g.PID_Nak_Byte(),      g.PID_Wpt_Data(),
                         g.PID_Rte_Hdr(),      g.PID_Pvt_Data(),      g.PID_Date_Time(),
                         g.PID_Product_Data(), g.PID_Protocol_Array()};
  const uint8_t c = in.Byte();
  if (c < 0x80) {
    comm.Feed(in.Take(c % 48 + 1));
    Pump();
  } else if (c < 0xB0) {
    const uint8_t id = ids[c % sizeof(ids)];
    Feed_Packet(comm, id, in.Take(in.Byte()));
  } else if (c < 0xE0) {
    // The ACK of what the host sent last, as a receiver that keeps up sends it.
    const QByteArray& last = g.Last_Sent();
    const uint8_t acked = last.size() > 1 ? uint8_t(last[1]) : 0;
    Feed_Packet(comm, g.PID_Ack_Byte(), QByteArray(1, char(acked)) + QByteArray(1, '\0'));
  } else {
    rig.Tick();
    Pump();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::App();
  Fuzz::cInput in(data, size);
  Fuzz::cDriverRig rig;
  cVQPoints points;
  cFuzzUI ui(in, rig.Comm, rig.Garmin);
  cTransfer transfer(rig.Garmin, points, ui);
  transfer.Set_Handshake_Wait_Ms(0);
  QObject::connect(&transfer, &cTransfer::Ended, [&ui] { ++ui.Ended; });

  const uint8_t mode = in.Byte();
  const int n = mode >> 1 & 7;
  for (int i = 0; i < n; ++i)
    points.Add(QStringLiteral("P%1").arg(i + 1), 31.5 + i * 0.01, 35.0, i * 10, QString());
  const bool started = (mode & 1) ? transfer.Garmin_Upload_Start(1, "9600,N,8,1", 1, "FUZZ")
                                  : transfer.Garmin_Download_Start(1, "9600,N,8,1");
  if (!started) return 0;
  ui.Answer();
  while (!in.Empty() && ui.Ended == 0) {
    Step(in, rig);
    for (const QByteArray& wire : rig.Comm.Written) Fuzz::Check_Written(wire);
    rig.Comm.Written.clear();
  }
  // The receiver falls silent: the time-out (four ticks) must end what is still running.
  for (int i = 0; i < 8 && ui.Ended == 0; ++i) {
    rig.Tick();
    Pump();
  }
  if (ui.Ended == 0) Fuzz::Broken("the transfer waits for ever on a silent receiver");
  if (ui.Ended > 1) Fuzz::Broken("the transfer ended more than once");
  if (transfer.Phase() != cTransfer::cPhase::Idle) Fuzz::Broken("ended but not idle");
  if (rig.Timer.isActive()) Fuzz::Broken("the timer runs after the end");
  return 0;
}
