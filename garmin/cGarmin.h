#pragma once
// cGarmin: the driver through which the owner talks to a Garmin receiver over a serial line.
// One class spread over files by concern: cGarmin.cpp (creation, port, receive framing),
// cGarmin_Link.cpp (send, ACK/NAK, time-outs, waiting), cGarmin_Protocol.cpp (product data,
// capability array, id tables), cGarmin_Requests.cpp (requests, dispatch, small decoders) and
// cGarmin_Records.cpp (the record codecs' entry points).
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

#include "garmin/Protocol_Tables.h"
#include "garmin/Receiver.h"
#include "garmin/Records.h"
#include "garmin/cCommControl.h"

class cGarmin : public QObject {
  Q_OBJECT
 public:
  explicit cGarmin(QObject* parent = nullptr);
  ~cGarmin() override;

  // The owner hands over its serial control and its timer (the window's ticks every 2000 ms,
  // tests use a short one). Neither is owned by the driver.
  void setComGarmin(cCommControl* comm);
  cCommControl* comGarmin() const { return comGarmin_; }
  void setTmrTimeout(QTimer* timer);
  QTimer* tmrTimeout() const { return tmrTimeout_; }

  // Read/write properties.
  qint16 Port() const { return Port_; }
  void setPort(qint16 port) { Port_ = port; }
  QString Settings() const { return Settings_; }
  void setSettings(const QString& settings) { Settings_ = settings; }
  bool IgnoreCheckSum() const { return IgnoreCheckSum_; }
  void setIgnoreCheckSum(bool ignore) { IgnoreCheckSum_ = ignore; }

  // Protocol and format names (read-only), from what the receiver of this session said.
  QString Link_Protocol() const { return Said_.Link_Protocol; }
  QString WayPoint_Transfer_Protocol() const { return Said_.WayPoint_Transfer_Protocol; }
  QString Waypoint_Data_Format() const { return Said_.Waypoint_Data_Format; }
  QString Route_Transfer_Protocol() const { return Said_.Route_Transfer_Protocol; }
  QString Route_Data_Format() const { return Said_.Route_Data_Format; }
  // The route waypoint type: the second data type after A200/A201.
  QString Route_Wpt_Data_Format() const { return Said_.Route_Wpt_Data_Format; }
  QString Track_Transfer_Protocol() const { return Said_.Track_Transfer_Protocol; }
  QString Track_Data_Format() const { return Said_.Track_Data_Format; }
  QString Track_Header_Format() const { return Said_.Track_Header_Format; }
  QString Track_Point_Format() const { return Said_.Track_Point_Format; }
  QString Prox_Wpt_Transfer_Protocol() const { return Said_.Prox_Wpt_Transfer_Protocol; }
  QString Prox_Wpt_Data_Format() const { return Said_.Prox_Wpt_Data_Format; }
  // Everything the receiver of this session said, as one value.
  const cReceiver& Receiver() const { return Said_; }
  // The records a receiver announced: an unsigned 16-bit count on the wire.
  quint16 Incoming_Records_Count() const { return Incoming_Records_Count_; }

  // Packet ids and command codes in force (read-only): L001 until an L002 receiver is seen.
  quint8 PID_Ack_Byte() const { return Said_.Ids.Ack_Byte; }
  quint8 PID_Nak_Byte() const { return Said_.Ids.Nak_Byte; }
  quint8 PID_Protocol_Array() const { return Said_.Ids.Protocol_Array; }
  quint8 PID_Product_Rqst() const { return Said_.Ids.Product_Rqst; }
  quint8 PID_Product_Data() const { return Said_.Ids.Product_Data; }
  quint8 PID_Command_Data() const { return Said_.Ids.Command_Data; }
  quint8 PID_Xfer_Cmplt() const { return Said_.Ids.Xfer_Cmplt; }
  quint8 PID_Date_Time() const { return Said_.Ids.Date_Time; }
  quint8 PID_Position_Data() const { return Said_.Ids.Position_Data; }
  quint8 PID_Prx_Wpt_Data() const { return Said_.Ids.Prx_Wpt_Data; }
  quint8 PID_Records() const { return Said_.Ids.Records; }
  quint8 PID_Rte_Hdr() const { return Said_.Ids.Rte_Hdr; }
  quint8 PID_Rte_Wpt_Data() const { return Said_.Ids.Rte_Wpt_Data; }
  quint8 PID_Almanac_Data() const { return Said_.Ids.Almanac_Data; }
  quint8 PID_Trk_Hdr() const { return Said_.Ids.Trk_Hdr; }
  quint8 PID_Trk_Data() const { return Said_.Ids.Trk_Data; }
  quint8 PID_Wpt_Data() const { return Said_.Ids.Wpt_Data; }
  quint8 PID_Pvt_Data() const { return Said_.Ids.Pvt_Data; }
  quint8 PID_Rte_Link() const { return Said_.Ids.Rte_Link; }
  quint8 PID_Voltages() const { return Said_.Ids.Voltages; }
  quint8 PID_Display_Data() const { return Said_.Ids.Display_Data; }
  quint8 CMND_Reset_Transfer() const { return Said_.Ids.Reset_Transfer; }
  quint8 CMND_Transfer_Alm() const { return Said_.Ids.Transfer_Alm; }
  quint8 CMND_Transfer_Posn() const { return Said_.Ids.Transfer_Posn; }
  quint8 CMND_Transfer_Prx() const { return Said_.Ids.Transfer_Prx; }
  quint8 CMND_Transfer_Rte() const { return Said_.Ids.Transfer_Rte; }
  quint8 CMND_Transfer_Time() const { return Said_.Ids.Transfer_Time; }
  quint8 CMND_Transfer_Trk() const { return Said_.Ids.Transfer_Trk; }
  quint8 CMND_Transfer_Wpt() const { return Said_.Ids.Transfer_Wpt; }
  quint8 CMND_Turn_Off_Pwr() const { return Said_.Ids.Turn_Off_Pwr; }
  quint8 CMND_Start_Pvt_Data() const { return Said_.Ids.Start_Pvt_Data; }
  quint8 CMND_Stop_Pvt_Data() const { return Said_.Ids.Stop_Pvt_Data; }
  quint8 CMND_Start_Async() const { return Said_.Ids.Start_Async; }

  // What the link waits for: nothing, the ACK of the packet it sent last (Link_Wait_Id), the
  // answer to a request (Link_Wait_Id the command or product request), or the rest of a transfer
  // the receiver is sending. Every wait but Idle runs the response timer, and only what it waits
  // for restarts the time-out.
  enum class cWait { Idle, Ack, Answer, Rest };
  cWait Link_Wait() const { return Wait_; }
  quint8 Link_Wait_Id() const { return Wait_Id_; }

  // Link state, readable for the owner's diagnostics and for tests.
  const QByteArray& RxBuffer() const { return RxBuffer_; }
  const QByteArray& Last_Sent() const { return Last_Sent_; }
  qint32 Retry_Count() const { return Retry_Count_; }
  qint32 Timeout_Ticks() const { return Timeout_Ticks_; }
  qint16 Checksum_Errors() const { return Checksum_Errors_; }
  bool NMEA_Mode() const { return NMEA_Mode_; }

  // The records, one of each kind, overwritten by every decoded packet of its kind.
  cWaypoint Waypoint;
  cRoute Route;
  cTrack Track;
  cPosition Position;
  cPvtData PvtData;
  cDate_Time Date_Time;
  cVoltages Voltages;
  cDisplay Display;
  cAlmanac Almanac;
  cProduct_Data Product_Data;

  // Port.
  bool PortOpen();
  void PortClose();

  // Link.
  void Send(const QByteArray& iPacket, bool responsenotneeded);
  void WaitFor(qint32 Duration);
  // The same wait in milliseconds, for callers that need less than a second.
  void WaitFor_Ms(qint32 duration_ms);
  void Reset();
  static QString TrimNull(QString& instring);
  static qint32 Address_Of(qint32 pfn) { return pfn; }

  // Requests: each sends one packet built from the ids in force and returns at once.
  void Request_Product_Data();
  void Start_of_Records(qint16 ocount);
  void End_of_Records();
  void Power_Off();
  void Request_Date_Time();
  void Pvt_Data_Start();
  void Pvt_Data_Stop();
  void Request_Waypoints();
  void Request_Prox_Waypoints();
  void Request_Routes();
  void Request_Tracks();
  void Request_Voltages();
  void Request_Display();

  // Record senders (cGarmin_Records.cpp): encode the current record and Send it.
  void Send_Waypoint();
  void Send_Route_Waypoint();
  void Send_Route_Header();
  void Send_Route_Link();
  void Send_Track_Header();
  void Send_Track();

 signals:
  void Receive(quint8 pid, quint8 firstbyte);
  void NMEA(const QString& sentence, bool checksumok);
  // Link errors: 0 NMEA checksums, 1 no response, 2 NAKs, 3 invalid frames, 4 the device went
  // away (unplugged).
  void cError(qint16 errnum, const QString& errmsg, const QByteArray& packet);
  void HexDebug(const QString& hexline);
  // What a transfer listens to, each decoded packet handed over as a value.
  // Product data or a capability array changed what the receiver is known to be.
  void Receiver_Said(const cReceiver& receiver);
  // The ACK of the packet the link waited for (never a stale or spoilt one).
  void Acked(quint8 pid);
  void Records_Announced(quint16 count);
  void Track_Received(const cTrack& track, bool header, const cArrival& arrival);
  void Transfer_Complete();

 private:
  // Receive side (cGarmin.cpp).
  void comGarmin_OnComm();
  void Take_Unit();
  bool Unit_Waiting() const;
  void Bound_RxBuffer();
  // Takes the first frame out of RxBuffer; true when the owner gets Receive for it.
  bool Extract_Packet(QByteArray& packet);
  // Removes n bytes from the front of RxBuffer.
  void Consume(int n);
  // Link (cGarmin_Link.cpp).
  // What arrives, for the one function that decides what it does in each wait.
  enum class cLinkEvent { Frame, Bad_Frame, Sentence, Tick };
  // Returns true when the owner gets Receive for the frame.
  // stale: the frame was already received when the packet awaited went out.
  bool Link_Event(cLinkEvent event, const QByteArray& packet = QByteArray(), bool stale = false);
  void Link_Reply(const QByteArray& packet, bool stale);
  bool Answers_Awaited(const QByteArray& packet, bool stale) const;
  void Link_Data(const QByteArray& packet);
  cArrival Arrival_Of(const QByteArray& packet) const;
  void Advance_Wait(quint8 id);
  void Link_Invalid(const QByteArray& packet, bool stale);
  void Write_Packet(const QByteArray& packet);
  void Resend_Awaited();
  void Set_Wait(cWait wait, quint8 id);
  void Progress();
  void Clear_Link();
  void tmrTimeout_Timer();
  void Timer_On();
  void Timer_Off();
  QByteArray Command_Packet(quint8 pid, quint8 byte0, quint8 byte1) const;
  // What a request asks for: the command of a transfer request, the product request's id, or 0
  // for a packet answered by its ACK alone.
  quint8 Request_Of(const QByteArray& sent) const;
  // Protocol (cGarmin_Protocol.cpp).
  void Parse_Protocol_Array(const QByteArray& packet);
  void Receive_Product_Data(const QByteArray& packet);
  void Apply_Product_Row(const cProductRow& row);
  // Dispatch (cGarmin_Requests.cpp).
  void Dispatch_Packet(const QByteArray& packet);
  void Receive_Records(const QByteArray& packet);
  void Receive_Date_Time(const QByteArray& packet);
  void Receive_Pvt_Data(const QByteArray& packet);
  // Record decoders (cGarmin_Records.cpp).
  void Decode_Waypoint(const QByteArray& packet);
  void Receive_Route_Header(const QByteArray& packet);
  void Receive_Route_Link(const QByteArray& packet);
  void Receive_Track_Header(const QByteArray& packet);
  void Receive_Track_Data(const QByteArray& packet);
  void Receive_Voltages(const QByteArray& packet);
  void Receive_Display_Data(const QByteArray& packet);

  cCommControl* comGarmin_ = nullptr;
  QTimer* tmrTimeout_ = nullptr;
  qint16 Port_ = 1;
  QString Settings_;
  bool IgnoreCheckSum_ = false;

  cReceiver Said_;
  quint16 Incoming_Records_Count_ = 0;

  QByteArray RxBuffer_;
  QByteArray Last_Sent_;
  qint32 Retry_Count_ = 0;
  qint32 Timeout_Ticks_ = 0;
  qint16 Checksum_Errors_ = 0;
  bool NMEA_Mode_ = false;
  bool Unit_Queued_ = false;
  cWait Wait_ = cWait::Idle;
  quint8 Wait_Id_ = 0;
  quint8 Request_ = 0;  // what the last request asked for (Request_Of), 0 when none
  // The packet whose ACK the link waits for, sent again on its NAK; kept apart from Last_Sent,
  // which our own ACKs replace.
  QByteArray Awaited_;
  // Bytes at the front of RxBuffer that were there when Awaited went out: nothing in them can
  // answer it.
  int Stale_Bytes_ = 0;
  // The last data frame acknowledged, and since when: the receiver sends it again when our ACK
  // was lost.
  QByteArray Last_Acked_;
  QElapsedTimer Ack_Clock_;
  cArrival Arrival_;  // of the data frame being dispatched
  QByteArray Records_Count_Data_ = QByteArray(2, '\0');
  double Pi_ = 0;
  double Rad_To_Deg_ = 0;
};
