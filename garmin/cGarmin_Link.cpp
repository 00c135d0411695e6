// The link protocol: sending, ACK/NAK with retransmission, the response time-out, waiting.
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
}  // namespace

void cGarmin::Timer_On() {
  // Enabling a running timer does not restart its period.
  if (tmrTimeout_ && !tmrTimeout_->isActive()) tmrTimeout_->start();
}

void cGarmin::Timer_Off() {
  if (tmrTimeout_) tmrTimeout_->stop();
}

bool cGarmin::Asks_For_Records(const QByteArray& sent) const {
  if (sent.size() < 6 || quint8(sent[1]) != Ids_.Command_Data) return false;
  const quint8 command = quint8(sent[3]);
  return command == Ids_.Transfer_Alm || command == Ids_.Transfer_Prx ||
         command == Ids_.Transfer_Rte || command == Ids_.Transfer_Trk ||
         command == Ids_.Transfer_Wpt || command == Ids_.Transfer_Posn ||
         command == Ids_.Transfer_Time;
}

QByteArray cGarmin::Command_Packet(quint8 pid, quint8 byte0, quint8 byte1) const {
  return Framing::Two_Byte_Packet(pid, byte0, byte1);
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
  if (id != Ids_.Ack_Byte) Timer_On();
  // Every packet but an ACK or NAK waits for its answer. A record we send (Records, a route
  // header, waypoint or link, transfer complete) is answered by its ACK or NAK alone; a request
  // also by what it asks for.
  if (id != Ids_.Ack_Byte && id != Ids_.Nak_Byte) {
    Awaiting_Ack_ = true;
    Awaiting_Id_ = id;
    Request_Pending_ = Asks_For_Records(packet);
    if (Request_Pending_) Requested_ = quint8(packet[3]);
  }
  const quint8 command = quint8(packet[3]);
  if (id == Ids_.Command_Data && (command == Ids_.Turn_Off_Pwr || command == Ids_.Stop_Pvt_Data ||
                                  command == Ids_.Reset_Transfer)) {
    // The receiver does not answer these, and they end whatever it was sending.
    Timer_Off();
    Awaiting_Ack_ = Request_Pending_ = Expecting_More_ = false;
    return;
  }
  if (responsenotneeded) {
    Timer_Off();
    Awaiting_Ack_ = false;
  }
}

// The checking half of Extract_Packet. Returns true: the owner gets Receive for the frame.
// The response timer stops at every frame and runs again while something is still due: the ACK
// of a record we sent, or the rest of a transfer under way (the records a request asked for,
// the packets after a Records, header or data packet). A frame that is neither, a stray ACK in a
// download or a transfer complete in an upload, does not end the wait, so a receiver that sends
// it and falls silent still ends in the time-out.
bool cGarmin::Check_Packet(QByteArray& packet) {
  Timer_Off();
  Timeout_Ticks_ = 0;
  Check_Link_Packet(packet);
  if (Awaiting_Ack_ || Expecting_More_) Timer_On();
  return true;
}

void cGarmin::Check_Link_Packet(QByteArray& packet) {
  const quint8 id = quint8(packet[1]);
  if (id == Ids_.Ack_Byte) {
    // An ACK answers the packet it names (its first data byte); one that names another packet
    // leaves the wait as it was.
    if (packet.size() > 6 && quint8(packet[3]) != Awaiting_Id_) return;
    Awaiting_Ack_ = false;
    // The ACK of a request for records is not its answer; the records are.
    if (Request_Pending_) Expecting_More_ = true;
    Request_Pending_ = false;
    return;
  }
  if (id == Ids_.Nak_Byte) {
    if (++Retry_Count_ > 5) {
      Retry_Count_ = 0;
      Awaiting_Ack_ = Request_Pending_ = Expecting_More_ = false;
      emit cError(2, On_Port("Unable to communicate with device on port ", Port_), Last_Sent_);
    } else {
      Send(Last_Sent_, false);
    }
    return;
  }
  // PVT and display packets stream without acknowledgement.
  const bool answered = id != Ids_.Pvt_Data && id != Ids_.Display_Data;
  if (Framing::Packet_Checksum(packet) == quint8(packet[packet.size() - 3])) {
    Retry_Count_ = 0;
    // More packets of a transfer follow these; transfer complete, the time and the position
    // end what was asked for; other packets change nothing.
    const bool more = id == Ids_.Prx_Wpt_Data || id == Ids_.Records || id == Ids_.Rte_Hdr ||
                      id == Ids_.Rte_Link || id == Ids_.Rte_Wpt_Data || id == Ids_.Trk_Hdr ||
                      id == Ids_.Trk_Data || id == Ids_.Wpt_Data || id == Ids_.Pvt_Data;
    const bool ends = id == Ids_.Xfer_Cmplt ||
                      (id == Ids_.Date_Time && Requested_ == Ids_.Transfer_Time) ||
                      (id == Ids_.Position_Data && Requested_ == Ids_.Transfer_Posn);
    if (more || ends) Expecting_More_ = more;
    if ((Request_Pending_ && (more || ends)) ||
        (Awaiting_Id_ == Ids_.Product_Rqst && id == Ids_.Product_Data))
      Awaiting_Ack_ = Request_Pending_ = false;
    if (answered) Send(Command_Packet(Ids_.Ack_Byte, id, 0), false);
    Dispatch_Packet(packet);
  } else if (++Retry_Count_ > 5) {
    Retry_Count_ = 0;
    Awaiting_Ack_ = Request_Pending_ = Expecting_More_ = false;
    emit cError(3, On_Port("Invalid message received from device on port ", Port_), packet);
  } else if (answered) {
    // The NAK asks for the packet again: the wait for it goes on.
    Send(Command_Packet(Ids_.Nak_Byte, id, 0), false);
  }
}

void cGarmin::tmrTimeout_Timer() {
  if (++Timeout_Ticks_ <= 3) return;
  Timeout_Ticks_ = 0;
  Timer_Off();
  Awaiting_Ack_ = Request_Pending_ = Expecting_More_ = false;
  RxBuffer_.clear();
  emit cError(1,
              NMEA_Mode_ ? On_Port("No longer receiving NMEA/TEXT data on port ", Port_)
                         : On_Port("No response from device on port ", Port_),
              Last_Sent_);
}

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
