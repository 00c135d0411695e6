#include "tests/sim/cSimReceiver.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QStringList>
#include <algorithm>
#include <thread>

#include "garmin/Framing.h"
#include "tests/doubles/Packets.h"

namespace {
constexpr quint8 kAck = 6, kNak = 21, kProductRqst = 254, kProductData = 255, kArray = 253;
}

cSimReceiver::cSimReceiver(QObject* parent) : QObject(parent) {
  Master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (Master_ < 0) return;
  if (grantpt(Master_) != 0 || unlockpt(Master_) != 0) {
    ::close(Master_);
    Master_ = -1;
    return;
  }
  Slave_Path_ = QString::fromLocal8Bit(ptsname(Master_));
  Slave_Keep_ = ::open(ptsname(Master_), O_RDWR | O_NOCTTY);
  if (Slave_Keep_ >= 0) {
    termios t;
    if (tcgetattr(Slave_Keep_, &t) == 0) {
      cfmakeraw(&t);
      tcsetattr(Slave_Keep_, TCSANOW, &t);
    }
  }
  fcntl(Master_, F_SETFL, fcntl(Master_, F_GETFL) | O_NONBLOCK);
  Notifier_ = new QSocketNotifier(Master_, QSocketNotifier::Read, this);
  connect(Notifier_, &QSocketNotifier::activated, this, &cSimReceiver::On_Readable);
  Resend_Timer_.setSingleShot(true);
  Resend_Timer_.setInterval(30);
  connect(&Resend_Timer_, &QTimer::timeout, this, [this] {
    if (Awaiting_Ack_ && !Nmea_Timer_.isActive()) Send_Packet(Last_.Id, Last_.Data);
  });
  connect(&Nmea_Timer_, &QTimer::timeout, this, [this] {
    const QString body = QStringLiteral("$GPRMC,123519,A,3146.000,N,03513.000,E,0.0,0.0,071226,,");
    Send_Raw((body + QLatin1Char('*') + Framing::NMEA_Checksum(body) + QStringLiteral("\r\n"))
                 .toLatin1());
  });
}

cSimReceiver::~cSimReceiver() { Disappear(); }

QByteArray cSimReceiver::Array_Of(const QStringList& names) {
  QByteArray data;
  for (const QString& n : names) {
    const int number = n.mid(1).toInt();
    data.append(n[0].toLatin1()).append(char(number & 0xFF)).append(char((number >> 8) & 0xFF));
  }
  return data;
}

void cSimReceiver::Disappear() {
  Nmea_Timer_.stop();
  Resend_Timer_.stop();
  delete Notifier_;
  Notifier_ = nullptr;
  if (Slave_Keep_ >= 0) ::close(Slave_Keep_);
  if (Master_ >= 0) ::close(Master_);
  Slave_Keep_ = Master_ = -1;
}

void cSimReceiver::Talk_Nmea(int interval_ms) {
  if (interval_ms <= 0) {
    Nmea_Timer_.stop();
    return;
  }
  Nmea_Timer_.start(interval_ms);
}

void cSimReceiver::Hold_For_Line(std::chrono::steady_clock::time_point& free_at, qint64 bytes) {
  if (Line_Baud <= 0) return;
  const auto now = std::chrono::steady_clock::now();
  const auto wire = std::chrono::nanoseconds(bytes * 10 * 1000000000LL / Line_Baud);
  free_at = std::max(now, free_at) + wire;
  std::this_thread::sleep_until(free_at);
}

void cSimReceiver::Send_Raw(const QByteArray& bytes) {
  if (Master_ < 0) return;
  Bytes_Out_ += bytes.size();
  Hold_For_Line(Out_Free_, bytes.size());
  qint64 done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(Master_, bytes.constData() + done, size_t(bytes.size() - done));
    if (n <= 0) return;
    done += n;
  }
}

void cSimReceiver::Send_Packet(quint8 id, const QByteArray& data) {
  QByteArray packet = Packet_Of(id, data);
  quint8 sum = quint8(packet[packet.size() - 3]);
  const bool is_data = id != kAck && id != kNak;
  if (is_data) ++Data_Sent_;
  if (is_data && Corrupt_Every > 0 && Data_Sent_ % Corrupt_Every == 0) sum = quint8(sum + 1);
  packet[packet.size() - 3] = char(sum);
  // Noise as a line picks it up: a DLE among it, but no frame end.
  const QByteArray noise = is_data && Noise_Every > 0 && Data_Sent_ % Noise_Every == 0
                               ? QByteArray("\xFF\x00\x10\x7F#junk")
                               : QByteArray();
  Send_Raw(noise + Framing::Stuff(packet));
  if (is_data && Nmea_After > 0 && Data_Sent_ == Nmea_After) Talk_Nmea(20);
}

void cSimReceiver::Send_Ack(quint8 id) {
  ++Acks_Sent_;
  QByteArray packet = Packet_Of(kAck, QByteArray(1, char(id)) + QByteArray(1, '\0'));
  if (Spoil_Ack_Every > 0 && Acks_Sent_ % Spoil_Ack_Every == 0) packet[5] = char(packet[5] + 1);
  QByteArray wire = Framing::Stuff(packet);
  if (Double_Ack_Every > 0 && Acks_Sent_ % Double_Ack_Every == 0) wire += wire;
  Send_Raw(wire);
}

void cSimReceiver::Send_Sequence(const QList<cPacket>& packets) {
  Queue_.append(packets);
  if (!Awaiting_Ack_) Send_Next();
}

void cSimReceiver::Send_Next() {
  if (Queue_.isEmpty()) {
    Awaiting_Ack_ = false;
    return;
  }
  Last_ = Queue_.takeFirst();
  Awaiting_Ack_ = true;
  Send_Packet(Last_.Id, Last_.Data);
}

void cSimReceiver::On_Readable() {
  char chunk[512];
  for (;;) {
    const ssize_t n = ::read(Master_, chunk, sizeof chunk);
    if (n <= 0) break;
    In_.append(chunk, int(n));
    Bytes_In_ += n;
    Hold_For_Line(In_Free_, n);
  }
  for (int end = Framing::Find_Frame_End(In_); end >= 0; end = Framing::Find_Frame_End(In_)) {
    const QByteArray text = In_.left(end + 1);
    In_.remove(0, end + 1);
    const int start = text.indexOf(Framing::DLE);
    if (start < 0) continue;
    const QByteArray packet = Framing::Unstuff(text.mid(start));
    if (packet.size() >= 6) Handle(packet);
  }
}

void cSimReceiver::Handle(const QByteArray& packet) {
  const quint8 id = quint8(packet[1]);
  const bool valid = Framing::Packet_Checksum(packet) == quint8(packet[packet.size() - 3]);
  if (valid) Received.append(packet);
  if (Silent || Nmea_Timer_.isActive()) {
    if (valid) emit Packet_Received(packet);
    return;
  }
  if (id == kAck) {
    if (valid && Awaiting_Ack_ && Lose_Ack_Every > 0 && ++Acks_Seen_ % Lose_Ack_Every == 0)
      Resend_Timer_.start();
    else if (valid && Awaiting_Ack_)
      Send_Next();
  } else if (id == kNak) {
    if (Awaiting_Ack_) Send_Packet(Last_.Id, Last_.Data);
  } else if (!valid || Nak_Next > 0 || (Refuse_After > 0 && Host_Packets_ >= Refuse_After) ||
             (Nak_Every > 0 && (Host_Packets_ + 1) % Nak_Every == 0 && ++Host_Packets_)) {
    if (valid && Nak_Next > 0) --Nak_Next;
    Send_Packet(kNak, QByteArray(1, char(id)) + QByteArray(1, '\0'));
  } else {
    ++Host_Packets_;
    Send_Ack(id);
    const bool command = id == kProductRqst || id == 10 || id == 11;
    if (!command && packet == Last_Taken_) {
      emit Packet_Received(packet);
      return;
    }
    Last_Taken_ = command ? QByteArray() : packet;
    if (!command) Taken.append(packet);
    if (id == kProductRqst) {
      QList<cPacket> answer{
          {kProductData, Le16(77) + Le16(361) + "eTrex Sim Software Version 3.61" + '\0'}};
      if (!Protocol_Array.isEmpty()) answer.append({kArray, Protocol_Array});
      Send_Sequence(answer);
    } else if ((id == 10 || id == 11) && packet.size() > 6 && packet[3] == 0) {
      // Abort transfer: what was waiting to be sent is dropped.
      Queue_.clear();
      Awaiting_Ack_ = false;
    } else if ((id == 10 || id == 11) && packet.size() > 6 &&
               Scripts_.contains(quint8(packet[3]))) {
      Send_Sequence(Scripts_.value(quint8(packet[3])));
    }
  }
  if (valid) emit Packet_Received(packet);
}
