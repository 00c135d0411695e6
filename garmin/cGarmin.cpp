// Creation, the port, and the receive side: collecting bytes and cutting them into frames
// and sentences.
#include "garmin/cGarmin.h"

#include <QMetaObject>
#include <cmath>

#include "garmin/Framing.h"

namespace {
// Input that forms no frame and no sentence is noise. The longest frame on the wire is 518
// bytes (255 data bytes, size and checksum all doubled, plus DLE id and DLE ETX) and a
// sentence is at most 82 characters, so a buffer of 4096 bytes with no complete unit in it
// holds mostly noise: it is cut to its newest 1024 bytes, enough for a frame still arriving.
constexpr int kRxBufferMax = 4096;
constexpr int kRxBufferKeep = 1024;
constexpr int kMaxWireFrame = 518;

// Start and end of the sentence the receive path looks at: S the first "$" (else the first
// "@"), E the first CR LF; -1 when absent.
struct cSentencePos {
  int S = -1;
  int E = -1;
  bool Text = false;
};
cSentencePos Find_Sentence(const QByteArray& buffer) {
  cSentencePos pos;
  pos.S = buffer.indexOf('$');
  if (pos.S < 0) {
    pos.S = buffer.indexOf('@');
    pos.Text = pos.S >= 0;
  }
  pos.E = buffer.indexOf("\r\n");
  return pos;
}

// A frame has begun and its end has not come yet. Its data may hold "$" and CR LF (positions,
// counts); cutting it as a sentence would lose the frame, so it waits for its end, unless it
// has grown longer than any frame can be.
bool Frame_In_Progress(const QByteArray& buffer) {
  const int start = buffer.startsWith('\n') ? 1 : 0;  // the LF a sentence leaves
  return buffer.size() > start && buffer[start] == Framing::DLE &&
         buffer.size() <= kMaxWireFrame + start && Framing::Find_Frame_End(buffer) < 0;
}
}  // namespace

cGarmin::cGarmin(QObject* parent) : QObject(parent) {
  Port_ = 1;
  Pi_ = 4.0 * std::atan(1.0);
  Rad_To_Deg_ = 180.0 / Pi_;
}

cGarmin::~cGarmin() = default;

void cGarmin::setComGarmin(cCommControl* comm) {
  if (comGarmin_) disconnect(comGarmin_, nullptr, this, nullptr);
  comGarmin_ = comm;
  if (comGarmin_) connect(comGarmin_, &cCommControl::OnComm, this, &cGarmin::comGarmin_OnComm);
}

void cGarmin::setTmrTimeout(QTimer* timer) {
  if (tmrTimeout_) disconnect(tmrTimeout_, nullptr, this, nullptr);
  tmrTimeout_ = timer;
  if (!tmrTimeout_) return;
  // The timer runs only while an answer is awaited; a running one handed over would report a
  // time-out although nothing was sent.
  tmrTimeout_->stop();
  connect(tmrTimeout_, &QTimer::timeout, this, &cGarmin::tmrTimeout_Timer);
}

bool cGarmin::PortOpen() {
  if (!comGarmin_) return false;
  if (comGarmin_->PortOpen()) return true;
  // Every session starts from a clean link (nothing awaited, no retries, no half frame) and
  // from nothing known about the receiver: the one on the line may not be the last one.
  Clear_Link();
  Said_ = cReceiver();
  comGarmin_->setSettings(Settings_);
  comGarmin_->setCommPort(Port_);
  comGarmin_->RThreshold = 1;
  comGarmin_->SThreshold = 1;
  comGarmin_->InBufferSize = 2048;
  comGarmin_->OutBufferSize = 512;
  comGarmin_->InputLen = 0;
  comGarmin_->setCommPort(Port_);
  comGarmin_->setPortOpen(true);
  return comGarmin_->PortOpen();
}

void cGarmin::PortClose() {
  Clear_Link();
  Said_ = cReceiver();
  if (comGarmin_ && comGarmin_->PortOpen()) comGarmin_->setPortOpen(false);
}

void cGarmin::comGarmin_OnComm() {
  if (!comGarmin_) return;
  const int event = comGarmin_->CommEvent();
  if (event > 1000) {
    // A line or buffer error: what is waiting, and a frame half received, cannot be trusted.
    comGarmin_->setInBufferCount(0);
    RxBuffer_.clear();
    Stale_Bytes_ = 0;
    if (event != CommEvents::comEventDeviceLost) return;
    // Nothing more can come: the owner hears it now rather than after the time-out.
    Clear_Link();
    emit cError(4, QStringLiteral("The device on port %1 was disconnected").arg(Port_), Last_Sent_);
    return;
  }
  if (event != CommEvents::comEvReceive) return;
  RxBuffer_.append(comGarmin_->Input());
  Take_Unit();
}

bool cGarmin::Unit_Waiting() const {
  if (Framing::Find_Frame_End(RxBuffer_) >= 0) return true;
  if (Frame_In_Progress(RxBuffer_)) return false;
  const cSentencePos pos = Find_Sentence(RxBuffer_);
  return pos.S >= 0 && pos.E >= 0;
}

void cGarmin::Bound_RxBuffer() {
  if (RxBuffer_.size() > kRxBufferMax && !Unit_Waiting()) Consume(RxBuffer_.size() - kRxBufferKeep);
}

void cGarmin::Consume(int n) {
  RxBuffer_.remove(0, n);
  Stale_Bytes_ = qMax(0, Stale_Bytes_ - n);
}

// Takes one unit (frame or sentence) from RxBuffer. The port delivers many bytes per
// notification, so when another complete unit is still waiting afterwards, another pass is
// queued: a receiver that waits for our ACK sends nothing more to notify us.
void cGarmin::Take_Unit() {
  const int frame_end = Framing::Find_Frame_End(RxBuffer_);
  const cSentencePos pos = frame_end >= 0 ? cSentencePos() : Find_Sentence(RxBuffer_);
  const bool frame_path = frame_end >= 0 || pos.S < 0 || pos.E < 0 || Frame_In_Progress(RxBuffer_);

  QByteArray packet;
  bool frame_taken = false;
  QString sentence;
  bool sentence_taken = false;
  bool checksumok = false;
  if (frame_path) {
    frame_taken = Extract_Packet(packet);
    if (frame_taken) NMEA_Mode_ = false;
  } else {
    if (pos.E > pos.S) {
      NMEA_Mode_ = true;
      sentence = QString::fromLatin1(RxBuffer_.mid(pos.S, pos.E - pos.S));
      sentence_taken = true;
    }
    // Everything through the CR goes; the LF stays and is skipped by the next search.
    Consume(pos.E + 1);
  }
  Bound_RxBuffer();
  if (!Unit_Queued_ && Unit_Waiting()) {
    Unit_Queued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          Unit_Queued_ = false;
          if (comGarmin_ && comGarmin_->PortOpen()) Take_Unit();
        },
        Qt::QueuedConnection);
  }

  if (frame_taken) {
    emit Receive(quint8(packet[1]), quint8(packet[3]));
    return;
  }
  if (!sentence_taken) return;
  const QString sum = Framing::NMEA_Checksum(sentence);
  const int n = sentence.size();
  if (!IgnoreCheckSum_ && !pos.Text && n >= 3 && sentence[n - 3] == QLatin1Char('*')) {
    const QString given = sentence.right(2);
    checksumok = given == sum;
    if (!checksumok && ++Checksum_Errors_ > 50) {
      emit cError(0,
                  QStringLiteral("There have been more than 50 check sum errors on port ") +
                      QString::number(Port_) +
                      QStringLiteral("\r\nVerify that your receiver is putting out check sums"),
                  QByteArray());
      Checksum_Errors_ = 0;
    }
  }
  // Before the event: a handler that closes the port stops the timer for good.
  Link_Event(cLinkEvent::Sentence);
  emit NMEA(sentence, checksumok);
}

bool cGarmin::Extract_Packet(QByteArray& packet) {
  const int end = Framing::Find_Frame_End(RxBuffer_);
  if (end < 0) return false;
  const QByteArray text = RxBuffer_.left(end + 1);
  const bool stale = end < Stale_Bytes_;
  Consume(end + 1);
  // Line noise in front of the frame (or the LF a sentence leaves) is skipped, not the frame.
  const int start = Framing::Frame_Start(text);
  if (start < 0) return false;
  packet = Framing::Unstuff(text.mid(start));
  emit HexDebug(Framing::Hex_Trace(packet, QStringLiteral("I")));
  if (packet.size() < 6) {
    // Too short for an id, a size and a checksum: line noise, not an answer, but an invalid
    // frame all the same, so a line that carries nothing else ends in error 3.
    Link_Event(cLinkEvent::Bad_Frame, packet, stale);
    return false;
  }
  const int data_len = packet.size() - 6;
  if (packet[2] == 0 && data_len <= 255) packet[2] = char(data_len);
  const bool valid = Framing::Packet_Checksum(packet) == quint8(packet[packet.size() - 3]);
  return Link_Event(valid ? cLinkEvent::Frame : cLinkEvent::Bad_Frame, packet, stale);
}
