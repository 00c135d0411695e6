#pragma once
// A Garmin receiver of our own on a pseudo-terminal. The test opens Slave_Path() with the real
// QSerialPort (e.g. through the "Ports" mapping in a temporary settings store); the simulator
// works the master side from the same thread's event loop, so it runs while the test waits
// (cGarmin::WaitFor_Ms, QTest::qWait).
//
// What it does by default: every valid packet from the host is recorded in Received and
// answered with an ACK (a bad checksum gets a NAK). A product request is answered with the
// product data and then, after the host's ACK, the protocol array (when one is set). A command
// packet whose command byte has a script sends that script's packets one by one, each after
// the host's ACK of the previous one (Records, track points, transfer complete ...). Uploads
// from the host (Records, route header, waypoints, links, transfer complete) are ACKed and
// recorded. A NAK from the host makes it send its last packet again; an abort-transfer command
// drops whatever it still had to send.
//
// Misbehaviour on request: NAK the next host packets, stay silent, spoil, double or lose packets
// as a noisy line does, talk NMEA instead, refuse, disappear.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <chrono>

class cSimReceiver : public QObject {
  Q_OBJECT
 public:
  explicit cSimReceiver(QObject* parent = nullptr);
  ~cSimReceiver() override;

  // False when no pseudo-terminal could be made.
  bool Ok() const { return Master_ >= 0; }
  QString Slave_Path() const { return Slave_Path_; }

  // It is product 77, software 3.61, "eTrex Sim Software Version 3.61". The protocol array's data:
  // 3-byte entries (tag, 16-bit number). Empty: none is sent.
  QByteArray Protocol_Array;
  // Builds the array data from names such as {"P000", "L001", "A100", "D108"}.
  static QByteArray Array_Of(const QStringList& names);

  // Packets to send, each after the host's ACK of the previous one, when the host sends a
  // command packet (id 10 or 11) with this command byte. Each packet is (id, data).
  struct cPacket {
    quint8 Id;
    QByteArray Data;
  };
  void Set_Script(quint8 command, const QList<cPacket>& packets) { Scripts_[command] = packets; }

  // Misbehaviour.
  int Nak_Next = 0;     // NAK this many host packets instead of ACKing them
  bool Silent = false;  // read and record, never answer
  // A line that does what real lines do: spoil the checksum of every K-th data packet it sends;
  // lose every K-th ACK from the host (it then sends its packet again after 30 ms, as a
  // receiver does after its own time-out); switch to NMEA after K data packets. 0: never.
  int Corrupt_Every = 0;
  int Lose_Ack_Every = 0;
  int Nmea_After = 0;
  // NAK every K-th host packet once (its resend is taken); NAK everything after K packets;
  // spoil the checksum of every K-th ACK it sends; send every K-th ACK twice; put line noise
  // before every K-th data packet it sends. 0: never.
  int Nak_Every = 0;
  int Refuse_After = 0;
  int Spoil_Ack_Every = 0;
  int Double_Ack_Every = 0;
  int Noise_Every = 0;
  // Sends an NMEA sentence (checksum computed) every `interval_ms`; 0 stops. While it talks
  // NMEA it does not answer binary packets.
  void Talk_Nmea(int interval_ms);
  // Writes raw bytes to the host.
  void Send_Raw(const QByteArray& bytes);
  // Sends one packet (id, data) framed and stuffed, honouring Corrupt_Every.
  void Send_Packet(quint8 id, const QByteArray& data);
  // Closes the pseudo-terminal: the receiver is gone, as if unplugged.
  void Disappear();

  // Line pacing: with a rate set (bits per second, 10 bits a byte), every write is held until
  // the line would have carried it and every read from the host is acted on only once the line
  // would have delivered it, each direction on its own clock. The holds are precise sleeps of
  // this thread, so the pace is the line's and not the event loop's. 0: no pacing.
  int Line_Baud = 0;
  // Bytes on the wire so far, both directions.
  qint64 Wire_Bytes() const { return Bytes_Out_ + Bytes_In_; }

  // Every packet from the host with a valid checksum, unstuffed (DLE ... DLE ETX).
  QList<QByteArray> Received;
  // The data packets the receiver took: ACKed, and a record sent again right after it (its ACK
  // did not reach the host) taken once.
  QList<QByteArray> Taken;

 signals:
  // A packet from the host was taken (after it was answered).
  void Packet_Received(const QByteArray& packet);

 private:
  void On_Readable();
  void Handle(const QByteArray& packet);
  void Send_Sequence(const QList<cPacket>& packets);
  void Send_Next();
  void Send_Ack(quint8 id);

  int Master_ = -1;
  int Slave_Keep_ = -1;  // keeps the slave side open, and raw, before and between host opens
  QString Slave_Path_;
  QSocketNotifier* Notifier_ = nullptr;
  QByteArray In_;
  QMap<quint8, QList<cPacket>> Scripts_;
  QList<cPacket> Queue_;  // packets waiting for the host's ACK of the one before
  bool Awaiting_Ack_ = false;
  cPacket Last_{0, {}};
  QTimer Nmea_Timer_;
  QTimer Resend_Timer_;
  int Data_Sent_ = 0, Acks_Seen_ = 0, Acks_Sent_ = 0, Host_Packets_ = 0;
  QByteArray Last_Taken_;
  qint64 Bytes_Out_ = 0, Bytes_In_ = 0;
  // When each direction of the paced line is free again.
  std::chrono::steady_clock::time_point Out_Free_{}, In_Free_{};
  void Hold_For_Line(std::chrono::steady_clock::time_point& free_at, qint64 bytes);
};
