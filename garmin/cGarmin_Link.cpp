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
  if (id == Ids_.Product_Rqst) return id;
  if (id != Ids_.Command_Data) return 0;
  const quint8 command = quint8(sent[3]);
  const bool asks = command == Ids_.Transfer_Alm || command == Ids_.Transfer_Prx ||
                    command == Ids_.Transfer_Rte || command == Ids_.Transfer_Trk ||
                    command == Ids_.Transfer_Wpt || command == Ids_.Transfer_Posn ||
                    command == Ids_.Transfer_Time;
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
  Last_Acked_.clear();
}

void cGarmin::Send(const QByteArray& iPacket, bool responsenotneeded) {
  if (!comGarmin_ || !comGarmin_->PortOpen()) return;
  // Shorter than DLE, id, size, checksum, DLE, ETX: there is nothing to send.
  if (iPacket.size() < 6) return;
  QByteArray packet = iPacket;
  packet[packet.size() - 3] = char(Framing::Packet_Checksum(packet));
  Last_Sent_ = packet;
  const QByteArray wire = Framing::Stuff(packet);
  emit HexDebug(Framing::Hex_Trace(wire, QStringLiteral("O")));
  comGarmin_->Output(wire);

  const quint8 id = quint8(packet[1]);
  // ACKs and NAKs answer the receiver; they start no wait of their own.
  if (id == Ids_.Ack_Byte || id == Ids_.Nak_Byte) return;
  // A new exchange: what the receiver sends now is new, even if it equals what came before.
  Last_Acked_.clear();
  const quint8 command = quint8(packet[3]);
  if (responsenotneeded ||
      (id == Ids_.Command_Data && (command == Ids_.Turn_Off_Pwr || command == Ids_.Stop_Pvt_Data ||
                                   command == Ids_.Reset_Transfer))) {
    // The receiver does not answer these, and the last three end whatever it was sending.
    Request_ = 0;
    Set_Wait(cWait::Idle, 0);
    return;
  }
  // Every other packet waits for its ACK (a request also for what it asks for), with a full
  // time-out of its own.
  Request_ = Request_Of(packet);
  Set_Wait(cWait::Ack, id);
  Progress();
}

bool cGarmin::Link_Event(cLinkEvent event, const QByteArray& packet) {
  bool report = false;
  switch (event) {
    case cLinkEvent::Frame:
      report = Link_Frame(packet);
      break;
    case cLinkEvent::Bad_Frame:
      // A frame that fails its check reaches nobody; a data frame is asked for again, a spoilt
      // ACK or NAK is line noise.
      Link_Invalid(packet, packet.size() >= 6 && quint8(packet[1]) != Ids_.Ack_Byte &&
                               quint8(packet[1]) != Ids_.Nak_Byte);
      break;
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
      emit cError(1,
                  NMEA_Mode_ ? On_Port("No longer receiving NMEA/TEXT data on port ", Port_)
                             : On_Port("No response from device on port ", Port_),
                  Last_Sent_);
      return false;
  }
  return report;
}

void cGarmin::Link_Invalid(const QByteArray& packet, bool answer) {
  if (++Retry_Count_ > kMaxRetries) {
    Retry_Count_ = 0;
    Set_Wait(cWait::Idle, 0);
    emit cError(3, On_Port("Invalid message received from device on port ", Port_), packet);
    return;
  }
  if (!answer) return;
  const quint8 id = quint8(packet[1]);
  // The NAK asks for the packet again: the wait for it goes on.
  if (id != Ids_.Pvt_Data && id != Ids_.Display_Data)
    Send(Command_Packet(Ids_.Nak_Byte, id, 0), false);
}

// A frame that passed its check.
bool cGarmin::Link_Frame(const QByteArray& packet) {
  const quint8 id = quint8(packet[1]);
  // An ACK or NAK without data names no packet and is taken for the one awaited.
  const bool names_awaited = packet.size() <= 6 || quint8(packet[3]) == Wait_Id_;
  if (id == Ids_.Ack_Byte) {
    // Only the ACK of what was sent last moves the link on; another is stale.
    if (Wait_ == cWait::Ack && names_awaited) {
      Progress();
      Set_Wait(Request_ ? cWait::Answer : cWait::Idle, Request_);
    }
    return true;
  }
  if (id == Ids_.Nak_Byte) {
    // Retransmission of what was sent last, while its ACK is awaited (or when it was our ACK).
    const bool ours = Last_Sent_.size() > 1 && quint8(Last_Sent_[1]) == Ids_.Ack_Byte;
    if (!(Wait_ == cWait::Ack && names_awaited) && !ours) return true;
    if (++Retry_Count_ > kMaxRetries) {
      Retry_Count_ = 0;
      Set_Wait(cWait::Idle, 0);
      emit cError(2, On_Port("Unable to communicate with device on port ", Port_), Last_Sent_);
    } else {
      Send(Last_Sent_, false);
    }
    return true;
  }
  // PVT and display packets stream without acknowledgement.
  const bool answered = id != Ids_.Pvt_Data && id != Ids_.Display_Data;
  if (answered && packet == Last_Acked_) {
    // The receiver missed our ACK and sent the same packet again: it is acknowledged again and
    // reaches nobody a second time.
    Send(Command_Packet(Ids_.Ack_Byte, id, 0), false);
    return false;
  }
  Retry_Count_ = 0;
  // More packets of a transfer follow these; transfer complete, the time, the position and the
  // product data end what was asked for; other packets change no wait.
  const bool more = id == Ids_.Prx_Wpt_Data || id == Ids_.Records || id == Ids_.Rte_Hdr ||
                    id == Ids_.Rte_Link || id == Ids_.Rte_Wpt_Data || id == Ids_.Trk_Hdr ||
                    id == Ids_.Trk_Data || id == Ids_.Wpt_Data;
  const bool ends = (id == Ids_.Xfer_Cmplt && Request_ != Ids_.Product_Rqst) ||
                    (id == Ids_.Date_Time && Request_ == Ids_.Transfer_Time) ||
                    (id == Ids_.Position_Data && Request_ == Ids_.Transfer_Posn) ||
                    (id == Ids_.Product_Data && Request_ == Ids_.Product_Rqst);
  switch (Wait_) {
    case cWait::Idle:
      // A transfer the receiver starts on its own: the rest of it is awaited.
      if (more) Set_Wait(cWait::Rest, 0);
      break;
    case cWait::Ack:
      // The answer may come before the ACK of its request, which is then taken as given.
      if (!Request_ || (!more && !ends)) break;
      [[fallthrough]];
    case cWait::Answer:
    case cWait::Rest:
      if (!more && !ends) break;
      if (Wait_ == cWait::Rest && !more && id != Ids_.Xfer_Cmplt) break;
      Progress();
      if (more) {
        Set_Wait(cWait::Rest, Request_);
      } else {
        Request_ = 0;
        Set_Wait(cWait::Idle, 0);
      }
      break;
  }
  if (answered) {
    Send(Command_Packet(Ids_.Ack_Byte, id, 0), false);
    Last_Acked_ = packet;
  }
  Dispatch_Packet(packet);
  return true;
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
  Send(Command_Packet(Ids_.Command_Data, Ids_.Reset_Transfer, 0), false);
}

QString cGarmin::TrimNull(QString& instring) {
  int first = 0, last = instring.size();
  while (first < last && instring[first] == QLatin1Char(' ')) ++first;
  while (last > first && instring[last - 1] == QLatin1Char(' ')) --last;
  instring = instring.mid(first, last - first);
  const int nul = instring.indexOf(QChar(0));
  return nul < 0 ? instring : instring.left(nul);
}
