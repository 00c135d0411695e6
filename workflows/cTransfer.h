#pragma once
// The receiver transfers, written once for the window and vqtool: the handshake that makes sure
// a Garmin receiver answers, the route upload paced by the receiver's acknowledgements, and the
// track log download that collects every track point as a point of the list.
#include <QObject>
#include <QString>
#include <QTimeZone>

#include "points/cVQPoints.h"
#include "text/Receiver_Names.h"

class cGarmin;
class cTransferUI;

class cTransfer : public QObject {
  Q_OBJECT
 public:
  // A transfer's phases: every one but Idle ends through End, which tears down first (port
  // closed, timer stopped, phase Idle) and then tells the user once.
  enum class cPhase { Idle, Handshake, Upload, Download };
  // What the handshake has heard from the receiver.
  enum class cHeard { Nothing, Product, Sentences };

  // Listens to the driver's Receive, NMEA and cError events. Nothing is owned.
  cTransfer(cGarmin& garmin, cVQPoints& points, cTransferUI& ui, QObject* parent = nullptr);

  // How long each product request waits for its answer (the window: 2000 ms).
  void Set_Handshake_Wait_Ms(int ms) { m_wait_ms = ms; }

  // Route upload of every point as route Idx titled Desc. Returns false when it did not start
  // (empty list, cancelled, no receiver, name collision refused); otherwise the transfer goes
  // on through the driver's events and ends with Transfer_Ended.
  bool Garmin_Upload_Start(qint16 port, const QString& settings, qint16 Idx, const QString& Desc);
  // Track log download into the points. Same return and end as the upload.
  bool Garmin_Download_Start(qint16 port, const QString& settings);
  // Ends a running transfer at the user's wish: the abort packet, the port closed, the list as it
  // was before the transfer; tell_user shows the message that says so.
  void Cancel(bool tell_user = true);
  bool Running() const { return m_phase != cPhase::Idle; }

  cPhase Phase() const { return m_phase; }
  // The list shows the receiver's log (all of it or what arrived), not the list from before.
  bool Log_Shown() const { return m_phase == cPhase::Download && m_Log_Started; }
  cHeard Heard() const { return m_heard; }
  const QString& Product_Text() const { return m_Product_Text; }
  const QString& Product_Desc() const { return m_Product_Desc; }
  qint16 Wpt_Index() const { return m_Wpt_Index; }
  int Track_Headers() const { return m_Track_Headers; }

  // The title offered for a route: the file title without a final ".TWL", ".GPX" or ".CSV" (any
  // case), upper-cased.
  static QString Offered_Title(const QString& FileTitle);
  // The rules the next upload names its points and title by; shown_format is the waypoint
  // format the route dialog showed the names for (empty: none were shown).
  void Set_Name_Rules(const cNameRules& rules, const QString& shown_format = QString()) {
    m_Rules = rules;
    m_Shown_Format = shown_format;
  }
  // The waypoint format the last handshake selected; empty before any.
  const QString& Heard_Format() const { return m_Heard_Format; }
  // The last upload stopped before sending anything: the receiver's format gives other names
  // than the route dialog showed.
  bool Names_Changed() const { return m_Names_Changed; }

 private:
  bool Begin(cPhase phase);
  bool Handshake(qint16 port, const QString& settings);
  bool Wait_Ms(int ms);
  void Garmin_Receive(quint8 pid, quint8 firstbyte);
  void Garmin_NMEA(const QString& sentence, bool checksumok);
  void Garmin_cError(qint16 errnum, const QString& errmsg, const QByteArray& packet);
  void Show_Product();
  void Send_Route_Waypoint();
  void Send_Route_Header();
  void Send_Route_Link();
  void Build_Wpt();
  void Receive_Track_Header();
  void Receive_Track_Point();
  void Download_Complete();
  void Start_Log();
  void Show_Progress(int done, int total);
  void Upload_Complete();
  void Upload_Failed(const QString& reason);
  void End(bool completed, const QString& message);
  QString Port_Text() const;
  int Upload_Packets() const;
  bool Choose_Names();

  cGarmin& Garmin;
  cVQPoints& Points;
  cTransferUI& m_ui;
  int m_wait_ms = 2000;
  cPhase m_phase = cPhase::Idle;
  cPhase m_kind = cPhase::Idle;  // Upload or Download: what follows the handshake
  cHeard m_heard = cHeard::Nothing;
  bool m_Array_Seen = false;
  QString m_Product_Text, m_Product_Desc;
  // Upload state.
  bool m_Send_Header = false, m_Send_Link = false, m_With_Links = true;
  qint16 m_Wpt_Index = 0;
  qint16 m_Idx = 0;
  QString m_Desc;
  cNameRules m_Rules;
  QString m_Shown_Format, m_Heard_Format;
  bool m_Names_Changed = false;
  QStringList m_Names;  // the receiver names of the points, in list order
  QString m_Title;      // the route's title as sent
  int m_Sent = 0;
  quint8 m_Awaited = 0;  // the id of the packet sent last, whose ACK moves the upload on
  // Download state. The list is replaced only once the receiver starts sending the log, so a
  // download that fails before that keeps the list; a cancelled one gets m_Before back.
  int m_Track_Headers = 0;
  bool m_Log_Started = false;
  cVQPoints m_Before;
  QTimeZone m_Zone;  // the computer's, for the points' local times
};
