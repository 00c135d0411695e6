#pragma once
// cGarmin: the driver through which the owner talks to a Garmin receiver over a serial line.
// One class spread over files by concern: cGarmin.cpp (creation, port, receive framing),
// cGarmin_Link.cpp (send, ACK/NAK, time-outs, waiting), cGarmin_Protocol.cpp (product data,
// capability array, id tables), cGarmin_Requests.cpp (requests, dispatch, small decoders) and
// cGarmin_Records.cpp (the record codecs' entry points).
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

#include "garmin/Protocol_Tables.h"
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

  // Protocol and format names (read-only).
  QString Link_Protocol() const { return Link_Protocol_; }
  QString WayPoint_Transfer_Protocol() const { return WayPoint_Transfer_Protocol_; }
  QString Waypoint_Data_Format() const { return Waypoint_Data_Format_; }
  QString Route_Transfer_Protocol() const { return Route_Transfer_Protocol_; }
  QString Route_Data_Format() const { return Route_Data_Format_; }
  // The route waypoint type: the second data type after A200/A201.
  QString Route_Wpt_Data_Format() const { return Route_Wpt_Data_Format_; }
  QString Track_Transfer_Protocol() const { return Track_Transfer_Protocol_; }
  QString Track_Data_Format() const { return Track_Data_Format_; }
  // The track types as announced: after A301/A302 the header type (D310..D312) and the point
  // type (D300..D304); after A300 no header ("") and the point type.
  QString Track_Header_Format() const { return Track_Header_Format_; }
  QString Track_Point_Format() const { return Track_Point_Format_; }
  QString Prox_Wpt_Transfer_Protocol() const { return Prox_Wpt_Transfer_Protocol_; }
  QString Prox_Wpt_Data_Format() const { return Prox_Wpt_Data_Format_; }
  // The records a receiver announced: an unsigned 16-bit count on the wire.
  quint16 Incoming_Records_Count() const { return Incoming_Records_Count_; }

  // Packet ids and command codes in force (read-only): L001 until an L002 receiver is seen.
  quint8 PID_Ack_Byte() const { return Ids_.Ack_Byte; }
  quint8 PID_Nak_Byte() const { return Ids_.Nak_Byte; }
  quint8 PID_Protocol_Array() const { return Ids_.Protocol_Array; }
  quint8 PID_Product_Rqst() const { return Ids_.Product_Rqst; }
  quint8 PID_Product_Data() const { return Ids_.Product_Data; }
  quint8 PID_Command_Data() const { return Ids_.Command_Data; }
  quint8 PID_Xfer_Cmplt() const { return Ids_.Xfer_Cmplt; }
  quint8 PID_Date_Time() const { return Ids_.Date_Time; }
  quint8 PID_Position_Data() const { return Ids_.Position_Data; }
  quint8 PID_Prx_Wpt_Data() const { return Ids_.Prx_Wpt_Data; }
  quint8 PID_Records() const { return Ids_.Records; }
  quint8 PID_Rte_Hdr() const { return Ids_.Rte_Hdr; }
  quint8 PID_Rte_Wpt_Data() const { return Ids_.Rte_Wpt_Data; }
  quint8 PID_Almanac_Data() const { return Ids_.Almanac_Data; }
  quint8 PID_Trk_Hdr() const { return Ids_.Trk_Hdr; }
  quint8 PID_Trk_Data() const { return Ids_.Trk_Data; }
  quint8 PID_Wpt_Data() const { return Ids_.Wpt_Data; }
  quint8 PID_Pvt_Data() const { return Ids_.Pvt_Data; }
  quint8 PID_Rte_Link() const { return Ids_.Rte_Link; }
  quint8 PID_Voltages() const { return Ids_.Voltages; }
  quint8 PID_Display_Data() const { return Ids_.Display_Data; }
  quint8 CMND_Reset_Transfer() const { return Ids_.Reset_Transfer; }
  quint8 CMND_Transfer_Alm() const { return Ids_.Transfer_Alm; }
  quint8 CMND_Transfer_Posn() const { return Ids_.Transfer_Posn; }
  quint8 CMND_Transfer_Prx() const { return Ids_.Transfer_Prx; }
  quint8 CMND_Transfer_Rte() const { return Ids_.Transfer_Rte; }
  quint8 CMND_Transfer_Time() const { return Ids_.Transfer_Time; }
  quint8 CMND_Transfer_Trk() const { return Ids_.Transfer_Trk; }
  quint8 CMND_Transfer_Wpt() const { return Ids_.Transfer_Wpt; }
  quint8 CMND_Turn_Off_Pwr() const { return Ids_.Turn_Off_Pwr; }
  quint8 CMND_Start_Pvt_Data() const { return Ids_.Start_Pvt_Data; }
  quint8 CMND_Stop_Pvt_Data() const { return Ids_.Stop_Pvt_Data; }
  quint8 CMND_Start_Async() const { return Ids_.Start_Async; }

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
  void cError(qint16 errnum, const QString& errmsg, const QByteArray& packet);
  void HexDebug(const QString& hexline);

 private:
  // Receive side (cGarmin.cpp).
  void comGarmin_OnComm();
  void Take_Unit();
  bool Unit_Waiting() const;
  void Bound_RxBuffer();
  bool Extract_Packet(QByteArray& buffer, QByteArray& packet);
  // Link (cGarmin_Link.cpp).
  // What arrives, for the one function that decides what it does in each wait.
  enum class cLinkEvent { Frame, Bad_Frame, Sentence, Tick };
  // Returns true when the owner gets Receive for the frame.
  bool Link_Event(cLinkEvent event, const QByteArray& packet = QByteArray());
  bool Link_Frame(const QByteArray& packet);
  void Link_Invalid(const QByteArray& packet, bool answer);
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
  void Set_Defaults();
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

  cIdTable Ids_ = Ids_L001;
  // The L002 ids came from the product table, not from a capability array; an array that
  // says otherwise undoes them.
  bool L002_From_Table_ = false;
  // A capability array has come: the product table no longer applies.
  bool Array_Seen_ = false;
  QString Link_Protocol_, WayPoint_Transfer_Protocol_, Waypoint_Data_Format_;
  QString Route_Transfer_Protocol_, Route_Data_Format_, Route_Wpt_Data_Format_;
  QString Track_Transfer_Protocol_, Track_Data_Format_, Track_Header_Format_, Track_Point_Format_;
  QString Prox_Wpt_Transfer_Protocol_, Prox_Wpt_Data_Format_;
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
  // The last data frame acknowledged: the receiver sends it again when our ACK was lost.
  QByteArray Last_Acked_;
  QByteArray Records_Count_Data_ = QByteArray(2, '\0');
  double Pi_ = 0;
  double Rad_To_Deg_ = 0;
};
