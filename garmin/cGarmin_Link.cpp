// The link protocol: sending, ACK/NAK with retransmission, the response time-out, waiting. What
// the link waits for is one state (Wait_, with the id it waits for); Link_Event decides what a
// frame, a sentence or a timer tick does in it.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <limits>

#include "garmin/Framing.h"
#include "garmin/cGarmin.h"

namespace {
QString On_Port(const char* text, qint16 port) {
  return QString::fromLatin1(text) + QString::number(port);
}
// Consecutive NAKs of one packet, or invalid frames, before the link gives up.
constexpr int kMaxRetries = 5;
// Timer ticks without what the link waits for before it reports the time-out.
constexpr int kMaxTicks = 3;
}  // namespace

void cGarmin::Timer_On() {
  // Enabling a running timer does not restart its period.
  if (tmrTimeout_ && !tmrTimeout_->isActive()) tmrTimeout_->start();
}

void cGarmin::Timer_Off() {
  if (tmrTimeout_) tmrTimeout_->stop();
}

quint8 cGarmin::Request_Of(const QByteArray& sent) const {
  if (sent.size() < 6) return 0;
  const quint8 id = quint8(sent[1]);
  if (id == Said_.Ids.Product_Rqst) return id;
  if (id != Said_.Ids.Command_Data) return 0;
  const quint8 command = quint8(sent[3]);
  const bool asks = command == Said_.Ids.Transfer_Alm || command == Said_.Ids.Transfer_Prx ||
                    command == Said_.Ids.Transfer_Rte || command == Said_.Ids.Transfer_Trk ||
                    command == Said_.Ids.Transfer_Wpt || command == Said_.Ids.Transfer_Posn ||
                    command == Said_.Ids.Transfer_Time;
  return asks ? command : 0;
}

QByteArray cGarmin::Command_Packet(quint8 pid, quint8 byte0, quint8 byte1) const {
  return Framing::Two_Byte_Packet(pid, byte0, byte1);
}

void cGarmin::Set_Wait(cWait wait, quint8 id) {
  Wait_ = wait;
  Wait_Id_ = id;
  if (wait == cWait::Idle) {
    Timer_Off();
    return;
  }
  Timer_On();
}

// What the link waited for came: the time-out starts again from a full period.
void cGarmin::Progress() {
  Timeout_Ticks_ = 0;
  if (Wait_ == cWait::Idle || !tmrTimeout_) return;
  tmrTimeout_->stop();
  tmrTimeout_->start();
}

void cGarmin::Clear_Link() {
  Set_Wait(cWait::Idle, 0);
  Request_ = 0;
  Timeout_Ticks_ = 0;
  Retry_Count_ = 0;
  NMEA_Mode_ = false;
  RxBuffer_.clear();
  Stale_Bytes_ = 0;
  Awaited_.clear();
  Last_Acked_.clear();
}

// Checksum in place, kept as Last_Sent, stuffed, traced and written.
void cGarmin::Write_Packet(const QByteArray& iPacket) {
  QByteArray packet = iPacket;
  packet[packet.size() - 3] = char(Framing::Packet_Checksum(packet));
  Last_Sent_ = packet;
  const QByteArray wire = Framing::Stuff(packet);
  emit HexDebug(Framing::Hex_Trace(wire, QStringLiteral("O")));
  comGarmin_->Output(wire);
}

void cGarmin::Send(const QByteArray& iPacket, bool responsenotneeded) {
  if (!comGarmin_ || !comGarmin_->PortOpen()) return;
  // Shorter than DLE, id, size, checksum, DLE, ETX: there is nothing to send.
  if (iPacket.size() < 6) return;
  Write_Packet(iPacket);
  const quint8 id = quint8(iPacket[1]);
  // ACKs and NAKs answer the receiver; they start no wait of their own.
  if (id == Said_.Ids.Ack_Byte || id == Said_.Ids.Nak_Byte) return;
  // A new exchange: what the receiver sends now is new, even if it equals what came before, and
  // the NAKs and invalid frames are counted for this packet alone.
  Last_Acked_.clear();
  Awaited_.clear();
  Retry_Count_ = 0;
  const quint8 command = quint8(iPacket[3]);
  if (responsenotneeded ||
      (id == Said_.Ids.Command_Data &&
       (command == Said_.Ids.Turn_Off_Pwr || command == Said_.Ids.Stop_Pvt_Data ||
        command == Said_.Ids.Reset_Transfer))) {
    // The receiver does not answer these, and the last three end whatever it was sending.
    Request_ = 0;
    Set_Wait(cWait::Idle, 0);
    return;
  }
  // Every other packet waits for its ACK (a request also for what it asks for), with a full
  // time-out of its own. What is already in the buffer came before it and answers nothing.
  Awaited_ = Last_Sent_;
  Stale_Bytes_ = RxBuffer_.size();
  Request_ = Request_Of(Awaited_);
  Set_Wait(cWait::Ack, id);
  Progress();
}

void cGarmin::Resend_Awaited() {
  Write_Packet(Awaited_);
  Stale_Bytes_ = RxBuffer_.size();
  Progress();
}

bool cGarmin::Link_Event(cLinkEvent event, const QByteArray& packet, bool stale) {
  switch (event) {
    case cLinkEvent::Frame: {
      const quint8 id = quint8(packet[1]);
      if (id == Said_.Ids.Ack_Byte || id == Said_.Ids.Nak_Byte)
        Link_Reply(packet, stale);
      else
        Link_Data(packet);
      return true;
    }
    case cLinkEvent::Bad_Frame:
      // A frame that fails its check reaches nobody.
      Link_Invalid(packet, stale);
      return false;
    case cLinkEvent::Sentence:
      // Sentences are not what a wait waits for: they never hold off its time-out. Without a
      // wait, the time-out watches the sentence stream.
      if (Wait_ == cWait::Idle) {
        Timeout_Ticks_ = 0;
        Timer_On();
      }
      return false;
    case cLinkEvent::Tick:
      if (++Timeout_Ticks_ <= kMaxTicks) return false;
      Timeout_Ticks_ = 0;
      Set_Wait(cWait::Idle, 0);
      Timer_Off();
      RxBuffer_.clear();
      Stale_Bytes_ = 0;
      emit cError(1,
                  NMEA_Mode_ ? On_Port("No longer receiving NMEA/TEXT data on port ", Port_)
                             : On_Port("No response from device on port ", Port_),
                  Last_Sent_);
      return false;
  }
  return false;
}

// Invalid frames count against the packet of this exchange: a spoilt data frame is asked for
// again, a spoilt ACK or NAK may have been the answer awaited and costs one resend of it.
void cGarmin::Link_Invalid(const QByteArray& packet, bool stale) {
  if (++Retry_Count_ > kMaxRetries) {
    Retry_Count_ = 0;
    Set_Wait(cWait::Idle, 0);
    emit cError(3, On_Port("Invalid message received from device on port ", Port_), packet);
    return;
  }
  if (packet.size() < 6) return;
  const quint8 id = quint8(packet[1]);
  if (id == Said_.Ids.Ack_Byte || id == Said_.Ids.Nak_Byte) {
    if (Wait_ == cWait::Ack && !Awaited_.isEmpty() && !stale) Resend_Awaited();
    return;
  }
  // The NAK asks for the packet again: the wait for it goes on.
  if (id != Said_.Ids.Pvt_Data && id != Said_.Ids.Display_Data)
    Send(Command_Packet(Said_.Ids.Nak_Byte, id, 0), false);
}

// An ACK or NAK answers the packet awaited only when it came after that packet went out and
// names it (one without data names none and is taken for it). Anything else is noise: under
// A200 consecutive waypoints share an id, so a doubled ACK would otherwise move an upload on.
bool cGarmin::Answers_Awaited(const QByteArray& packet, bool stale) const {
  return Wait_ == cWait::Ack && !Awaited_.isEmpty() && !stale &&
         (packet.size() <= 6 || quint8(packet[3]) == Wait_Id_);
}

void cGarmin::Link_Reply(const QByteArray& packet, bool stale) {
  const bool nak = quint8(packet[1]) == Said_.Ids.Nak_Byte;
  if (nak && Awaited_.isEmpty() && Last_Sent_.size() > 1 &&
      quint8(Last_Sent_[1]) == Said_.Ids.Ack_Byte) {
    // The receiver missed our ACK and asks for it again.
    Write_Packet(Last_Sent_);
    return;
  }
  if (!Answers_Awaited(packet, stale)) return;
  if (!nak) {
    const quint8 acked = Wait_Id_;
    Retry_Count_ = 0;
    Awaited_.clear();
    Progress();
    Set_Wait(Request_ ? cWait::Answer : cWait::Idle, Request_);
    emit Acked(acked);
    return;
  }
  if (++Retry_Count_ > kMaxRetries) {
    Retry_Count_ = 0;
    Set_Wait(cWait::Idle, 0);
    emit cError(2, On_Port("Unable to communicate with device on port ", Port_), Awaited_);
    return;
  }
  Resend_Awaited();
}

cArrival cGarmin::Arrival_Of(const QByteArray& packet) const {
  cArrival arrival;
  arrival.Repeat = !Last_Acked_.isEmpty() && packet == Last_Acked_;
  arrival.After_Ack_us = Ack_Clock_.isValid() ? Ack_Clock_.nsecsElapsed() / 1000 : 0;
  return arrival;
}

// What a data frame does to the wait: more packets of a transfer follow these; transfer
// complete, the time, the position and the product data end what was asked for; other packets
// change no wait.
void cGarmin::Advance_Wait(quint8 id) {
  const cIdTable& ids = Said_.Ids;
  const bool more = id == ids.Prx_Wpt_Data || id == ids.Records || id == ids.Rte_Hdr ||
                    id == ids.Rte_Link || id == ids.Rte_Wpt_Data || id == ids.Trk_Hdr ||
                    id == ids.Trk_Data || id == ids.Wpt_Data;
  const bool ends = (id == ids.Xfer_Cmplt && Request_ != ids.Product_Rqst) ||
                    (id == ids.Date_Time && Request_ == ids.Transfer_Time) ||
                    (id == ids.Position_Data && Request_ == ids.Transfer_Posn) ||
                    (id == ids.Product_Data && Request_ == ids.Product_Rqst);
  switch (Wait_) {
    case cWait::Idle:
      // A transfer the receiver starts on its own: the rest of it is awaited.
      if (more) Set_Wait(cWait::Rest, 0);
      return;
    case cWait::Ack:
      // The answer may come before the ACK of its request, which is then taken as given.
      if (!Request_ || (!more && !ends)) return;
      Awaited_.clear();
      [[fallthrough]];
    case cWait::Answer:
    case cWait::Rest:
      if (!more && !ends) return;
      if (Wait_ == cWait::Rest && !more && id != ids.Xfer_Cmplt) return;
      Progress();
      if (more) {
        Set_Wait(cWait::Rest, Request_);
      } else {
        Request_ = 0;
        Set_Wait(cWait::Idle, 0);
      }
      return;
  }
}

// A data frame that passed its check: the wait moves on, the ACK goes out before the owner
// hears of the frame, and a frame that repeats the one just acknowledged is marked so (with
// when it came), for the transfer to tell a resend from a real repeat.
void cGarmin::Link_Data(const QByteArray& packet) {
  const quint8 id = quint8(packet[1]);
  // PVT and display packets stream without acknowledgement.
  const bool answered = id != Said_.Ids.Pvt_Data && id != Said_.Ids.Display_Data;
  Arrival_ = answered ? Arrival_Of(packet) : cArrival();
  Retry_Count_ = 0;
  Advance_Wait(id);
  if (answered) {
    Send(Command_Packet(Said_.Ids.Ack_Byte, id, 0), false);
    Last_Acked_ = packet;
    Ack_Clock_.start();
  }
  Dispatch_Packet(packet);
}

void cGarmin::tmrTimeout_Timer() { Link_Event(cLinkEvent::Tick); }

void cGarmin::WaitFor(qint32 Duration) {
  if (Duration <= 0) return;
  const qint32 max_s = std::numeric_limits<qint32>::max() / 1000;
  WaitFor_Ms(Duration > max_s ? max_s * 1000 : Duration * 1000);
}

// Processes events until the time is up and sleeps between them: a precise single-shot timer
// at the deadline wakes the last sleep.
void cGarmin::WaitFor_Ms(qint32 duration_ms) {
  if (duration_ms <= 0) return;
  QElapsedTimer clock;
  clock.start();
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  for (qint64 left = duration_ms; left > 0; left = duration_ms - clock.elapsed()) {
    wake.start(int(left));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

void cGarmin::Reset() {
  if (comGarmin_ && comGarmin_->PortOpen()) comGarmin_->setInBufferCount(0);
  Send(Command_Packet(Said_.Ids.Command_Data, Said_.Ids.Reset_Transfer, 0), false);
}

QString cGarmin::TrimNull(QString& instring) {
  int first = 0, last = instring.size();
  while (first < last && instring[first] == QLatin1Char(' ')) ++first;
  while (last > first && instring[last - 1] == QLatin1Char(' ')) --last;
  instring = instring.mid(first, last - first);
  const int nul = instring.indexOf(QChar(0));
  return nul < 0 ? instring : instring.left(nul);
}
