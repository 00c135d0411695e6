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
  const quint8 command = quint8(packet[3]);
  if (id == Ids_.Command_Data && (command == Ids_.Turn_Off_Pwr || command == Ids_.Stop_Pvt_Data ||
                                  command == Ids_.Reset_Transfer)) {
    // The receiver does not answer these.
    Timer_Off();
    return;
  }
  if (responsenotneeded) Timer_Off();
}

// The checking half of Extract_Packet. Returns true: the owner gets Receive for the frame.
bool cGarmin::Check_Packet(QByteArray& packet) {
  Timer_Off();
  Timeout_Ticks_ = 0;
  const quint8 id = quint8(packet[1]);
  // More packets of a transfer follow these.
  if (id == Ids_.Prx_Wpt_Data || id == Ids_.Records || id == Ids_.Rte_Hdr || id == Ids_.Rte_Link ||
      id == Ids_.Rte_Wpt_Data || id == Ids_.Trk_Hdr || id == Ids_.Trk_Data || id == Ids_.Wpt_Data ||
      id == Ids_.Pvt_Data)
    Timer_On();

  if (id == Ids_.Ack_Byte) {
    // The ACK of a request for records is not the answer, the records are: a receiver that
    // acknowledges and then stays silent must still end in a time-out, not leave the owner
    // waiting for ever.
    if (Asks_For_Records(Last_Sent_) && packet.size() > 3 && quint8(packet[3]) == Ids_.Command_Data)
      Timer_On();
    return true;
  }
  if (id == Ids_.Nak_Byte) {
    if (++Retry_Count_ > 5) {
      Retry_Count_ = 0;
      emit cError(2, On_Port("Unable to communicate with device on port ", Port_), Last_Sent_);
    } else {
      Send(Last_Sent_, false);
    }
    return true;
  }
  // PVT and display packets stream without acknowledgement.
  const bool answered = id != Ids_.Pvt_Data && id != Ids_.Display_Data;
  if (Framing::Packet_Checksum(packet) == quint8(packet[packet.size() - 3])) {
    Retry_Count_ = 0;
    if (answered) Send(Command_Packet(Ids_.Ack_Byte, id, 0), false);
    Dispatch_Packet(packet);
  } else if (++Retry_Count_ > 5) {
    Retry_Count_ = 0;
    emit cError(3, On_Port("Invalid message received from device on port ", Port_), packet);
  } else if (answered) {
    Send(Command_Packet(Ids_.Nak_Byte, id, 0), false);
  }
  return true;
}

void cGarmin::tmrTimeout_Timer() {
  if (++Timeout_Ticks_ <= 3) return;
  Timeout_Ticks_ = 0;
  Timer_Off();
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
