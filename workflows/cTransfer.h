#pragma once
// The receiver transfers, written once for the window and vqtool: the handshake that makes sure
// a Garmin receiver answers, the route upload paced by the receiver's acknowledgements, and the
// track log download that collects every track point as a point of the list.
//
// A transfer is a state machine driven by the driver's signals and by its own deadline timer:
// a start command opens the line and returns, every wait is a phase with a deadline, and the end
// is told once, through Ended. It runs no event loop of its own.
#include <QObject>
#include <QString>
#include <QTimeZone>
#include <QTimer>
#include <vector>

#include "garmin/Receiver.h"
#include "points/cVQPoints.h"
#include "text/Receiver_Names.h"

class cGarmin;
class cTransferUI;

class cTransfer : public QObject {
  Q_OBJECT
 public:
  // A transfer's phases. Handshake: product requests until the receiver answers; Asking: a
  // question to the user is open and the line is ignored; Settle: the pause after the abort
  // before an upload announces its records; Upload, Download: driven by the receiver.
  enum class cPhase { Idle, Handshake, Asking, Settle, Upload, Download };
  // What the handshake has heard from the receiver.
  enum class cHeard { Nothing, Product, Sentences };
  // How a transfer ended. Completed: as it should. Mismatch: a log whose count disagrees with
  // the receiver's, kept whole. Partial: a log cut short, kept at the user's wish. Failed:
  // nothing changed on this side (the list is the one from before).
  enum class cEnd { Completed, Mismatch, Partial, Failed };

  // Listens to the driver's signals. Nothing is owned.
  cTransfer(cGarmin& garmin, cVQPoints& points, cTransferUI& ui, QObject* parent = nullptr);

  // How long each product request waits for its answer (the window: 2000 ms).
  void Set_Handshake_Wait_Ms(int ms) { m_wait_ms = ms; }
  // The messages in English (vqtool) instead of the window's Hebrew.
  void Set_English(bool english) { m_English = english; }

  // Route upload of every point as route Idx titled Desc. False when it did not start (empty
  // list, a transfer running, a port that cannot be opened, said at once); otherwise it goes on
  // from the event loop and ends with Ended.
  bool Garmin_Upload_Start(qint16 port, const QString& settings, qint16 Idx, const QString& Desc);
  // Track log download into the points. Same return and end as the upload.
  bool Garmin_Download_Start(qint16 port, const QString& settings);
  // Ends a running transfer at the user's wish: the abort packet, the port closed, the list as it
  // was; tell_user shows the message that says so. A download whose points began to arrive asks
  // whether to keep them either way.
  void Cancel(bool tell_user = true);
  bool Running() const { return m_phase != cPhase::Idle; }

  cPhase Phase() const { return m_phase; }
  // Upload or Download: the kind of the transfer running or ended last.
  cPhase Kind() const { return m_kind; }
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
  // The waypoint format the last handshake's receiver takes; empty when none answered.
  const QString& Heard_Format() const { return m_Heard_Format; }
  // The last upload stopped before sending anything: the receiver's format gives other names
  // than the route dialog showed.
  bool Names_Changed() const { return m_Names_Changed; }

 signals:
  void Ended(cTransfer::cEnd how);

 private:
  // One record of a log as it came: a header or a point, and how it came.
  struct cLogRecord {
    bool Header = false;
    cVQPoint Point;
    cArrival Arrival;
  };

  bool Begin(cPhase kind, qint16 port, const QString& settings);
  void Request_Product();
  void Deadline_Passed();
  void Handshake_Deadline();
  void Handshake_Done();
  bool Ask(bool retry, const QString& text);
  void Garmin_Receiver_Said(const cReceiver& receiver);
  void Garmin_NMEA(const QString& sentence, bool checksumok);
  void Garmin_cError(qint16 errnum, const QString& errmsg, const QByteArray& packet);
  // Upload (cTransfer_Upload.cpp).
  void Upload_Begin();
  bool Choose_Names();
  void Start_Records();
  void Garmin_Acked(quint8 pid);
  void Send_Route_Waypoint();
  void Send_Route_Header();
  void Send_Route_Link();
  void Build_Wpt();
  void Upload_Failed(const QString& reason);
  int Upload_Packets() const;
  // Download (cTransfer_Download.cpp).
  void Download_Begin();
  void Garmin_Records(quint16 count);
  void Garmin_Track(const cTrack& track, bool header, const cArrival& arrival);
  void Garmin_Transfer_Complete();
  int Log_Points() const;
  void Fill_List(std::vector<cLogRecord> log, bool partial);
  void Download_Stopped(const QString& why);
  void Show_Progress(int done, int total);
  // Endings: the teardown first (deadline and port closed, phase Idle), then the user is told,
  // then Ended.
  // completed: the receiver ended the transfer itself, so no abort is sent.
  void Teardown(bool completed);
  void End(cEnd how, const QString& message);
  QString T(const char* hebrew, const char* english) const;
  QString Port_Text() const;
  QString Open_Failure_Text() const;
  QString Link_Error_Text(qint16 errnum) const;

  cGarmin& Garmin;
  cVQPoints& Points;
  cTransferUI& m_ui;
  int m_wait_ms = 2000;
  bool m_English = false;
  cPhase m_phase = cPhase::Idle;
  cPhase m_kind = cPhase::Idle;  // Upload or Download: what follows the handshake
  QTimer m_Deadline;
  int m_attempts = 0;
  cHeard m_heard = cHeard::Nothing;
  // What the receiver said in this transfer's handshake; dropped at its end.
  cReceiver m_Receiver;
  QString m_Product_Text, m_Product_Desc;
  // Upload state.
  bool m_Send_Header = false, m_Send_Link = false, m_With_Links = true;
  qint16 m_Wpt_Index = 0;
  int m_Wpt_Acked = 0;  // waypoints the receiver has acknowledged
  qint16 m_Idx = 0;
  QString m_Desc, m_Wpt_Format;
  cNameRules m_Rules;
  QString m_Shown_Format, m_Heard_Format;
  bool m_Names_Changed = false;
  QStringList m_Names;  // the receiver names of the points, in list order
  QString m_Title;      // the route's title as sent
  int m_Sent = 0;
  quint8 m_Awaited = 0;  // the id of the packet sent last, whose ACK moves the upload on
  // Download state: the log is collected apart and becomes the list only at its end, so the
  // list from before stays until then.
  int m_Track_Headers = 0;
  int m_Announced = 0;
  std::vector<cLogRecord> m_Log;
  QTimeZone m_Zone;  // the computer's, for the points' local times
};
