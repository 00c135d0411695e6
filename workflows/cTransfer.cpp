#include "workflows/cTransfer.h"

#include <QCoreApplication>

#include "files/PointFile.h"
#include "garmin/cGarmin.h"
#include "points/cVQPoints.h"
#include "text/TimeText.h"
#include "workflows/cTransferUI.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
// Four product requests without an answer, then the user is asked.
constexpr int kRequestsPerQuestion = 4;
// Records and Wpt_Index are signed 16-bit numbers on the wire.
constexpr int kMaxRecords = 32767;

// The link errors the driver reports, in the window's words.
QString Link_Error_Text(qint16 errnum, const QString& port) {
  switch (errnum) {
    case 1:
      return QStringLiteral("המכשיר בערוץ טורי %1 הפסיק לענות.").arg(port);
    case 2:
      return QStringLiteral("המכשיר בערוץ טורי %1 דוחה את הנתונים שנשלחו אליו.").arg(port);
    case 3:
      return QStringLiteral("התקבלו נתונים פגומים מהמכשיר בערוץ טורי %1.").arg(port);
    default:
      return QStringLiteral("תקלת תקשורת בערוץ טורי %1.").arg(port);
  }
}
}  // namespace

cTransfer::cTransfer(cGarmin& garmin, cVQPoints& points, cTransferUI& ui, QObject* parent)
    : QObject(parent), Garmin(garmin), Points(points), m_ui(ui) {
  connect(&Garmin, &cGarmin::Receive, this, &cTransfer::Garmin_Receive);
  connect(&Garmin, &cGarmin::NMEA, this, &cTransfer::Garmin_NMEA);
  connect(&Garmin, &cGarmin::cError, this, &cTransfer::Garmin_cError);
}

QString cTransfer::Offered_Title(const QString& FileTitle) {
  if (Point_File_Kind(FileTitle) != cPointFileKind::None)
    return FileTitle.left(FileTitle.size() - 4).toUpper();
  return FileTitle.toUpper();
}

QString cTransfer::Port_Text() const { return QString::number(Garmin.Port()); }

// A second transfer does not start while one runs: both would share the driver.
bool cTransfer::Begin(cPhase kind) {
  if (m_phase != cPhase::Idle) return false;
  m_kind = kind;
  m_phase = cPhase::Handshake;
  m_ui.Set_Busy(true);
  return true;
}

// Waits with events flowing; false when the transfer ended meanwhile (a Cancel, a link error).
bool cTransfer::Wait_Ms(int ms) {
  const cPhase phase = m_phase;
  Garmin.WaitFor_Ms(ms);
  return m_phase == phase;
}

bool cTransfer::Handshake(qint16 port, const QString& settings) {
  // Every transfer waits for a fresh answer: an answer from an earlier transfer says nothing
  // about the receiver now, and a download would otherwise empty the list for a receiver that
  // is switched off.
  m_heard = cHeard::Nothing;
  m_Array_Seen = false;
  m_Product_Text.clear();
  m_Heard_Format.clear();
  // The line opens afresh, with the settings of this transfer.
  Garmin.PortClose();
  Garmin.setPort(port);
  Garmin.setSettings(settings);
  // A port that fails to open shows up as a receiver that does not answer.
  Garmin.PortOpen();
  constexpr int kSlice_ms = 20;
  for (int attempts = 1;; ++attempts) {
    Garmin.Request_Product_Data();
    // The wait ends early once the product data and the capability array are in.
    for (int waited = 0; waited < m_wait_ms && !(m_heard == cHeard::Product && m_Array_Seen);
         waited += kSlice_ms) {
      if (!Wait_Ms(qMin(kSlice_ms, m_wait_ms - waited))) return false;
    }
    if (m_heard != cHeard::Nothing) break;
    if (attempts % kRequestsPerQuestion != 0) continue;
    const QString text =
        QStringLiteral("התקשורת למכשיר בערוץ טורי ") + Port_Text() + QStringLiteral(" נכשלה.");
    const bool retry = m_ui.Ask_Retry(text);
    if (m_phase == cPhase::Idle) return false;
    if (!retry) {
      // Cancel abandons the transfer; the list, saved or not, stays.
      End(false, QString());
      return false;
    }
  }
  if (m_heard == cHeard::Sentences) {
    End(false, QStringLiteral("מכשיר ה-GPS משתמש בפרוטוקול NMEA או TEXT.") + kCrLf +
                   QStringLiteral("יש להשתמש בפרוטוקול 'GRMN/GRMN' או 'Garmin'."));
    return false;
  }
  m_Heard_Format = Garmin.Route_Wpt_Data_Format();
  if (m_Heard_Format.isEmpty()) m_Heard_Format = Garmin.Waypoint_Data_Format();
  m_phase = m_kind;
  return true;
}

bool cTransfer::Garmin_Upload_Start(qint16 port, const QString& settings, qint16 Idx,
                                    const QString& Desc) {
  if (m_phase != cPhase::Idle) return false;
  if (Points.Count() == 0) {
    m_ui.Notice(QStringLiteral("אין מסלול לטעינה"));
    return false;
  }
  m_Idx = Idx;
  m_Desc = Desc;
  m_Names_Changed = false;
  m_Send_Header = true;
  m_Send_Link = false;
  m_Wpt_Index = 0;
  m_Sent = 0;
  m_Awaited = 0;
  if (!Begin(cPhase::Upload) || !Handshake(port, settings)) return false;
  // Receivers with A200 know no route links: header and waypoints only.
  m_With_Links = Garmin.Route_Transfer_Protocol() != QLatin1String("A200");
  if (Upload_Packets() - 1 > kMaxRecords) {
    End(false, QStringLiteral("הרשימה ארוכה מדי למסלול אחד."));
    return false;
  }
  if (!Choose_Names() || m_phase != cPhase::Upload) return false;
  Garmin.Reset();
  Garmin.Pvt_Data_Stop();
  if (!Wait_Ms(m_wait_ms)) return false;
  // Records announces the data packets that follow before transfer complete.
  Garmin.Start_of_Records(qint16(Upload_Packets() - 1));
  m_Awaited = Garmin.PID_Records();
  Show_Progress(0, Upload_Packets());
  return true;
}

// The names for the receiver's format, by the one rule set; false (the upload ended) when they
// are not the ones the dialog showed, or when two Hebrew names are the same and the user stops.
bool cTransfer::Choose_Names() {
  const QString& format = m_Heard_Format;
  QStringList labels;
  for (const cVQPoint& p : Points) labels << p.Label;
  m_Names = Receiver_Names(labels, format, m_Rules);
  m_Title = Receiver_Title(m_Desc, format, m_Rules);
  if (!m_Shown_Format.isEmpty() && m_Shown_Format != format &&
      (Receiver_Names(labels, m_Shown_Format, m_Rules) != m_Names ||
       Receiver_Title(m_Desc, m_Shown_Format, m_Rules) != m_Title)) {
    m_Names_Changed = true;
    End(false, QStringLiteral("שמות הנקודות במכשיר הזה (") + format +
                   QStringLiteral(") שונים מאלה שהוצגו.") + kCrLf +
                   QStringLiteral("בדקו אותם ואשרו שוב."));
    return false;
  }
  if (m_Rules.Latin) return true;
  QHash<QString, int> seen;
  for (int i = 0; i < m_Names.size(); ++i) {
    const auto it = seen.constFind(m_Names[i]);
    if (it == seen.constEnd()) {
      seen.insert(m_Names[i], i);
      continue;
    }
    if (m_ui.Ask_Go_On(QStringLiteral("הנקודות \"") + labels[*it] + QStringLiteral("\" ו-\"") +
                       labels[i] + QStringLiteral("\" יקבלו במכשיר אותו שם (") + m_Names[i] +
                       QStringLiteral(")") + kCrLf + QStringLiteral("להמשיך בטעינה?")))
      return true;
    End(false, QString());
    return false;
  }
  return true;
}

// Header, the waypoints, the links between them where the receiver takes links, and transfer
// complete.
int cTransfer::Upload_Packets() const {
  const int n = Points.Count();
  return m_With_Links ? 2 * n + 1 : n + 2;
}

bool cTransfer::Garmin_Download_Start(qint16 port, const QString& settings) {
  if (m_phase != cPhase::Idle) return false;
  m_Track_Headers = 0;
  m_Log_Started = false;
  m_Before.Clear();
  if (!Begin(cPhase::Download) || !Handshake(port, settings)) return false;
  Garmin.Reset();
  Garmin.Pvt_Data_Stop();
  Garmin.Request_Tracks();
  return true;
}

void cTransfer::Cancel(bool tell_user) {
  if (m_phase == cPhase::Idle) return;
  const bool upload = m_kind == cPhase::Upload;
  // The abort packet tells the receiver to stop sending.
  Garmin.Reset();
  if (m_Log_Started) {
    // The list is again the one from before: no longer the receiver's log.
    m_Log_Started = false;
    Points = m_Before;
    Points.Redisplay();
  }
  QString message;
  if (tell_user) {
    message = upload ? QStringLiteral("טעינת המסלול ל-GPS בוטלה.")
                     : QStringLiteral("קריאת ההקלטה מה-GPS בוטלה.") + kCrLf +
                           QStringLiteral("הרשימה לא שונתה.");
  }
  End(false, message);
}

void cTransfer::Garmin_Receive(quint8 pid, quint8 firstbyte) {
  switch (m_phase) {
    case cPhase::Idle:
      return;
    case cPhase::Handshake:
      break;
    case cPhase::Upload:
      // Only the ACK of the packet sent last moves the upload on.
      if (pid == Garmin.PID_Ack_Byte() && m_Awaited != 0 && firstbyte == m_Awaited) {
        if (m_Awaited == Garmin.PID_Xfer_Cmplt())
          Upload_Complete();
        else
          Send_Route_Waypoint();
        return;
      }
      break;
    case cPhase::Download:
      if (pid == Garmin.PID_Records()) {
        Start_Log();
      } else if (pid == Garmin.PID_Trk_Hdr()) {
        Receive_Track_Header();
      } else if (pid == Garmin.PID_Trk_Data()) {
        Receive_Track_Point();
      } else if (pid == Garmin.PID_Xfer_Cmplt()) {
        Download_Complete();
      }
      return;
  }
  // The handshake and an upload's start listen for who the receiver is.
  if (pid == Garmin.PID_Product_Data()) {
    Show_Product();
    m_heard = cHeard::Product;
  } else if (pid == Garmin.PID_Protocol_Array()) {
    m_Array_Seen = true;
  }
}

void cTransfer::Garmin_NMEA(const QString& /*sentence*/, bool /*checksumok*/) {
  // A sentence in the middle of a transfer is line noise to it: the transfer goes on, and the
  // driver's time-out ends it if nothing else comes. In the handshake it says the receiver is set
  // to a sentence mode, so that it is turned away instead of asked for ever.
  if (m_heard == cHeard::Nothing) m_heard = cHeard::Sentences;
}

void cTransfer::Garmin_cError(qint16 errnum, const QString& /*errmsg*/,
                              const QByteArray& /*packet*/) {
  // Checksum errors of sentences do not stop a transfer; the handshake has its own question.
  if (errnum == 0 || m_phase == cPhase::Idle || m_phase == cPhase::Handshake) return;
  // A receiver switched to sentences in the middle stops answering: that is what it is told.
  const QString reason = errnum == 1 && Garmin.NMEA_Mode()
                             ? QStringLiteral("מכשיר ה-GPS משתמש בפרוטוקול NMEA או TEXT.") + kCrLf +
                                   QStringLiteral("יש להשתמש בפרוטוקול 'GRMN/GRMN' או 'Garmin'.")
                             : Link_Error_Text(errnum, Port_Text());
  if (m_phase == cPhase::Upload) {
    Upload_Failed(reason);
    return;
  }
  if (!m_Log_Started) {
    End(false, QStringLiteral("קריאת ההקלטה מה-GPS נפסקה.") + kCrLf + reason + kCrLf +
                   QStringLiteral("הרשימה לא שונתה."));
    return;
  }
  // What arrived is shown, so that the list and the points agree.
  Points.Redisplay();
  End(false, QStringLiteral("קריאת ההקלטה מה-GPS נפסקה.") + kCrLf + reason + kCrLf +
                 QStringLiteral("התקבלו ") + QString::number(Points.Count()) +
                 QStringLiteral(" נקודות מתוך ") +
                 QString::number(int(Garmin.Incoming_Records_Count()) - m_Track_Headers) +
                 QStringLiteral(" שדווחו."));
}

void cTransfer::Show_Product() {
  const cProduct_Data& p = Garmin.Product_Data;
  m_Product_Text = QStringLiteral("PID ") + QString::number(p.Product_ID);
  m_Product_Desc = p.Product_Description_1 + QLatin1Char(' ') + p.Product_Description_2;
  m_ui.Show_Panel(1, m_Product_Desc);
}

void cTransfer::Send_Route_Waypoint() {
  quint8 pid = 0;
  if (m_Wpt_Index >= Points.Count()) {
    Garmin.End_of_Records();
    pid = Garmin.PID_Xfer_Cmplt();
  } else if (m_Send_Header) {
    Send_Route_Header();
    pid = Garmin.PID_Rte_Hdr();
  } else if (m_Send_Link && m_With_Links) {
    Send_Route_Link();
    m_Send_Link = false;
    pid = Garmin.PID_Rte_Link();
  } else {
    ++m_Wpt_Index;
    Build_Wpt();
    Garmin.Send_Route_Waypoint();
    m_Send_Link = true;
    pid = Garmin.PID_Rte_Wpt_Data();
  }
  // The driver sends nothing for a record format it does not know (or on a closed port); no
  // acknowledgement would then ever come and the window would stay disabled.
  const QByteArray& sent = Garmin.Last_Sent();
  if (sent.size() < 2 || quint8(sent[1]) != pid) {
    Upload_Failed(QStringLiteral("המכשיר משתמש בתבנית נתונים שאינה נתמכת (") +
                  Garmin.Route_Data_Format() + QLatin1Char('/') + Garmin.Route_Wpt_Data_Format() +
                  QStringLiteral(")."));
    return;
  }
  m_Awaited = pid;
  Show_Progress(++m_Sent, Upload_Packets());
}

void cTransfer::Upload_Failed(const QString& reason) {
  End(false, QStringLiteral("טעינת המסלול ל-GPS נכשלה.") + kCrLf + reason);
}

void cTransfer::Send_Route_Header() {
  m_Send_Header = false;
  m_ui.Show_Panel(2, QStringLiteral("טוען ") + m_Desc);
  Garmin.Route.Ident = m_Title;
  Garmin.Route.Number = m_Idx;
  // The D201 header carries a 20-character comment: the title, so that those receivers show it.
  Garmin.Route.Cmnt = m_Title.toUpper().left(kMax_Title_Length);
  Garmin.Send_Route_Header();
}

void cTransfer::Send_Route_Link() {
  Garmin.Route.Link_Ident.clear();
  Garmin.Route.Link_Class = 3;
  Garmin.Route.Link_Sub_Class.clear();
  Garmin.Send_Route_Link();
}

// The waypoint comes from the point itself, not from the list's text: the list may show
// latitude/longitude, and its grid values are whole metres.
void cTransfer::Build_Wpt() {
  const cVQPoint& p = Points.Item(m_Wpt_Index);
  m_ui.Show_Panel(2, QStringLiteral("טוען ") + p.Label);
  Garmin.Waypoint.Ident = m_Names.value(m_Wpt_Index - 1, p.Label);
  Garmin.Waypoint.lat = p.lat;
  Garmin.Waypoint.lon = p.lon;
  Garmin.Waypoint.alt = float(p.alt);
  Garmin.Waypoint.Cmnt = p.Comment;
}

void cTransfer::Upload_Complete() {
  End(true, QStringLiteral("הטעינה הסתיימה") + kCrLf + QStringLiteral("נטענו ") +
                QString::number(m_Wpt_Index) + QStringLiteral(" נצ"));
}

// A receiver may send more than it announced, or announce a count that is not one: the bar
// shows no more than full, and no bar without a total.
void cTransfer::Show_Progress(int done, int total) {
  if (total <= 0) {
    m_ui.Show_Progress(0, 0);
    return;
  }
  m_ui.Show_Progress(qBound(0, done, total), total);
}

void cTransfer::Start_Log() {
  if (m_Log_Started) return;
  m_Log_Started = true;
  m_Before = Points;
  m_Zone = QTimeZone::systemTimeZone();
  Points.Clear();
  // A track log is saved back as a track, under the receiver's name.
  Points.From_Track = true;
  Points.Title = m_Product_Desc.trimmed();
}

void cTransfer::Receive_Track_Header() {
  Start_Log();
  ++m_Track_Headers;
  Show_Progress(m_Track_Headers + Points.Count(), Garmin.Incoming_Records_Count());
}

void cTransfer::Receive_Track_Point() {
  Start_Log();
  const cTrack& t = Garmin.Track;
  cVQPoint p;
  p.Label = QString::number(Points.Count() + 1);
  p.lat = t.lat;
  p.lon = t.lon;
  p.alt = double(t.alt);
  // The receiver keeps UTC; the hiker reads the time his watch showed.
  p.Time = Utc_From_Time_Text(t.Time);
  p.Comment = p.Time.isValid() ? Local_Time_Text(p.Time, m_Zone) : t.Time;
  p.New_Segment = t.New_Segment;
  if (!Points.Add(std::move(p))) return;
  m_ui.Show_Panel(2, QString::number(Points.Count()));
  Show_Progress(m_Track_Headers + Points.Count(), Garmin.Incoming_Records_Count());
}

void cTransfer::Download_Complete() {
  Start_Log();
  Points.Redisplay();
  const int announced = Garmin.Incoming_Records_Count();
  if (m_Track_Headers + Points.Count() == announced) {
    End(true, QString());
    return;
  }
  End(false, QStringLiteral("אי התאמה בין מס' הנקודות שהתקבלו לדיווח מן המכשיר") + kCrLf +
                 QStringLiteral("המכשיר מדווח על ") + QString::number(announced) +
                 QStringLiteral(" נקודות שנשלחו.") + kCrLf + QStringLiteral("התקבלו בפועל ") +
                 QString::number(Points.Count()) + QStringLiteral(" נקודות."));
}

// Every ending: first the teardown (port closed, and with it the response timer; phase Idle),
// then the one message, then the owner learns the end. Whatever the receiver still sends
// belongs to no transfer.
void cTransfer::End(bool completed, const QString& message) {
  if (m_phase == cPhase::Idle) return;
  const bool upload = m_kind == cPhase::Upload;
  Garmin.PortClose();
  m_phase = cPhase::Idle;
  m_Before.Clear();
  m_ui.Show_Progress(0, 0);
  if (upload) {
    m_ui.Show_Panel(1, QString());
    m_ui.Show_Panel(2, QString());
  }
  m_ui.Set_Busy(false);
  if (!message.isEmpty()) m_ui.Notice(message);
  m_ui.Transfer_Ended(completed);
}
