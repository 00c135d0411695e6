// The route upload: after the handshake, the abort and a pause, the Records packet; then every
// ACK of the packet awaited sends the next one (header, waypoints, links, transfer complete).
#include "garmin/cGarmin.h"
#include "workflows/cTransfer.h"
#include "workflows/cTransferUI.h"

namespace {
// Records and Wpt_Index are signed 16-bit numbers on the wire.
constexpr int kMaxRecords = 32767;
}  // namespace

bool cTransfer::Garmin_Upload_Start(qint16 port, const QString& settings, qint16 Idx,
                                    const QString& Desc) {
  if (m_phase != cPhase::Idle) return false;
  if (Points.Count() == 0) {
    m_ui.Notice(T("אין מסלול לטעינה", "the list is empty: there is no route to upload"));
    return false;
  }
  m_Idx = Idx;
  m_Desc = Desc;
  m_Names_Changed = false;
  m_Send_Header = true;
  m_Send_Link = false;
  m_Wpt_Index = 0;
  m_Wpt_Acked = 0;
  m_Sent = 0;
  m_Awaited = 0;
  return Begin(cPhase::Upload, port, settings);
}

// Header, the waypoints, the links between them where the receiver takes links, and transfer
// complete.
int cTransfer::Upload_Packets() const {
  const int n = Points.Count();
  return m_With_Links ? 2 * n + 1 : n + 2;
}

void cTransfer::Upload_Begin() {
  // Receivers with A200 know no route links: header and waypoints only.
  m_With_Links = m_Receiver.Route_Transfer_Protocol != QLatin1String("A200");
  m_Wpt_Format = m_Receiver.Route_Waypoint_Format();
  if (Upload_Packets() - 1 > kMaxRecords) {
    End(cEnd::Failed, T("הרשימה ארוכה מדי למסלול אחד.", "the list is too long for one route"));
    return;
  }
  if (!Choose_Names()) return;
  Garmin.Reset();
  Garmin.Pvt_Data_Stop();
  // The receiver gets time to drop what it was doing before the records are announced.
  m_phase = cPhase::Settle;
  m_Deadline.start(m_wait_ms);
}

// The names for the receiver's format, by the one rule set; false (the upload has ended) when
// they are not the ones the route dialog showed, or when two Hebrew names are the same and the
// user stops.
bool cTransfer::Choose_Names() {
  QStringList labels;
  for (const cVQPoint& p : Points) labels << p.Label;
  m_Names = Receiver_Names(labels, m_Wpt_Format, m_Rules);
  m_Title = Receiver_Title(m_Desc, m_Wpt_Format, m_Rules);
  if (!m_Shown_Format.isEmpty() && m_Shown_Format != m_Wpt_Format &&
      (Receiver_Names(labels, m_Shown_Format, m_Rules) != m_Names ||
       Receiver_Title(m_Desc, m_Shown_Format, m_Rules) != m_Title)) {
    m_Names_Changed = true;
    End(cEnd::Failed, (m_English ? QStringLiteral("the receiver (%1) takes other names than shown")
                                 : QStringLiteral("שמות הנקודות במכשיר הזה (%1) שונים מאלה "
                                                  "שהוצגו.\r\nבדקו אותם ואשרו שוב."))
                          .arg(m_Wpt_Format));
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
    const QString text =
        m_English ? QStringLiteral("\"%1\" and \"%2\" get the same name in the receiver (%3)")
                  : QStringLiteral(
                        "הנקודות \"%1\" ו-\"%2\" יקבלו במכשיר אותו שם (%3)\r\n"
                        "להמשיך בטעינה?");
    return Ask(false, text.arg(labels[*it], labels[i], m_Names[i]));
  }
  return true;
}

void cTransfer::Start_Records() {
  m_phase = cPhase::Upload;
  // Records announces the data packets that follow before transfer complete.
  Garmin.Start_of_Records(qint16(Upload_Packets() - 1));
  m_Awaited = Garmin.PID_Records();
  Show_Progress(0, Upload_Packets());
}

// The link hands over only the ACK of the packet it waited for.
void cTransfer::Garmin_Acked(quint8 pid) {
  if (m_phase != cPhase::Upload || pid != m_Awaited) return;
  if (pid == Garmin.PID_Rte_Wpt_Data()) ++m_Wpt_Acked;
  if (pid == Garmin.PID_Xfer_Cmplt()) {
    End(cEnd::Completed, m_English
                             ? QStringLiteral("route uploaded: %1 point(s)").arg(m_Wpt_Index)
                             : QStringLiteral("הטעינה הסתיימה\r\nנטענו %1 נצ").arg(m_Wpt_Index));
    return;
  }
  Send_Route_Waypoint();
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
  // acknowledgement would then ever come.
  const QByteArray& sent = Garmin.Last_Sent();
  if (sent.size() < 2 || quint8(sent[1]) != pid) {
    Upload_Failed(T("המכשיר משתמש בתבנית נתונים שאינה נתמכת (%1).",
                    "the receiver uses a data type VQ does not know (%1)")
                      .arg(m_Receiver.Route_Data_Format + QLatin1Char('/') + m_Wpt_Format));
    return;
  }
  m_Awaited = pid;
  Show_Progress(++m_Sent, Upload_Packets());
}

// After the Records packet the receiver holds part of a route: it is told to drop the transfer,
// and the user how much of it the receiver took.
void cTransfer::Upload_Failed(const QString& reason) {
  QString text = T("טעינת המסלול ל-GPS נכשלה.", "route upload failed") +
                 (m_English ? QStringLiteral(": ") : QStringLiteral("\r\n")) + reason;
  if (m_phase == cPhase::Upload) {
    text += m_English ? QStringLiteral("; the receiver took %1 of %2 point(s)")
                      : QStringLiteral("\r\nהמכשיר קיבל %1 מתוך %2 נקודות.");
    text = text.arg(m_Wpt_Acked).arg(Points.Count());
  }
  End(cEnd::Failed, text);
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
