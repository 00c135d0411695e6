// The track log download: the receiver sends Records, its headers and points and transfer
// complete on its own after one request. The log is collected apart and becomes the list at its
// end, where the count the receiver announced tells a resend from a real repeat.
#include <algorithm>

#include "garmin/cGarmin.h"
#include "text/TimeText.h"
#include "workflows/cTransfer.h"
#include "workflows/cTransferUI.h"

bool cTransfer::Garmin_Download_Start(qint16 port, const QString& settings) {
  if (m_phase != cPhase::Idle) return false;
  m_Track_Headers = 0;
  m_Announced = 0;
  m_Log.clear();
  return Begin(cPhase::Download, port, settings);
}

void cTransfer::Download_Begin() {
  m_phase = cPhase::Download;
  m_Zone = QTimeZone::systemTimeZone();
  Garmin.Reset();
  Garmin.Pvt_Data_Stop();
  Garmin.Request_Tracks();
}

int cTransfer::Log_Points() const { return int(m_Log.size()) - m_Track_Headers; }

void cTransfer::Garmin_Records(quint16 count) {
  if (m_phase != cPhase::Download) return;
  m_Announced = count;
  m_Log.reserve(count);
}

void cTransfer::Garmin_Track(const cTrack& t, bool header, const cArrival& arrival) {
  if (m_phase != cPhase::Download) return;
  cLogRecord record;
  record.Header = header;
  record.Arrival = arrival;
  if (header) {
    ++m_Track_Headers;
  } else {
    cVQPoint& p = record.Point;
    p.lat = t.lat;
    p.lon = t.lon;
    p.alt = double(t.alt);
    // The receiver keeps UTC; the hiker reads the time his watch showed.
    p.Time = Utc_From_Time_Text(t.Time);
    p.Comment = p.Time.isValid() ? Local_Time_Text(p.Time, m_Zone) : t.Time;
    p.New_Segment = t.New_Segment;
  }
  m_Log.push_back(std::move(record));
  if (!header) m_ui.Show_Panel(2, QString::number(Log_Points()));
  Show_Progress(int(m_Log.size()), m_Announced);
}

// The list becomes the log, numbered 1, 2, ... in the order of arrival, under the receiver's
// name; a log cut short says so in its title.
void cTransfer::Fill_List(std::vector<cLogRecord> log, bool partial) {
  Points.Clear();
  Points.Reserve(int(log.size()));
  for (cLogRecord& r : log) {
    if (r.Header) continue;
    r.Point.Label = QString::number(Points.Count() + 1);
    Points.Add(std::move(r.Point));
  }
  // A track log is saved back as a track, under the receiver's name.
  Points.From_Track = true;
  Points.Title = m_Product_Desc.trimmed();
  if (partial) Points.Title += T(" (חלקי)", " (partial)");
  Points.Redisplay();
}

// A frame that repeats the one just acknowledged is either a real repeat (a receiver standing
// still, points without times) or a resend after our ACK was lost. Every one is kept until the
// end; then as many of them as the log exceeds the announced count are dropped, those that came
// longest after our ACK first (a resend comes only after the receiver's own time-out).
void cTransfer::Garmin_Transfer_Complete() {
  if (m_phase != cPhase::Download) return;
  std::vector<cLogRecord> log = std::move(m_Log);
  const int excess = int(log.size()) - m_Announced;
  std::vector<int> repeats;
  for (int i = 0; i < int(log.size()); ++i)
    if (log[size_t(i)].Arrival.Repeat) repeats.push_back(i);
  if (excess > 0 && int(repeats.size()) >= excess) {
    std::stable_sort(repeats.begin(), repeats.end(), [&](int a, int b) {
      return log[size_t(a)].Arrival.After_Ack_us > log[size_t(b)].Arrival.After_Ack_us;
    });
    repeats.resize(size_t(excess));
    std::sort(repeats.begin(), repeats.end());
    for (auto it = repeats.rbegin(); it != repeats.rend(); ++it) {
      if (log[size_t(*it)].Header) --m_Track_Headers;
      log.erase(log.begin() + *it);
    }
  }
  const int headers = m_Track_Headers, points = int(log.size()) - headers;
  Teardown(true);
  Fill_List(std::move(log), false);
  if (headers + points == m_Announced) {
    emit Ended(cEnd::Completed);
    return;
  }
  // One count on every path: points, the headers the receiver sent taken off its announcement.
  const QString text = m_English
                           ? QStringLiteral("the receiver reported %1 point(s) sent, %2 arrived")
                           : QStringLiteral(
                                 "אי התאמה בין מס' הנקודות שהתקבלו לדיווח מן המכשיר\r\n"
                                 "המכשיר מדווח על %1 נקודות שנשלחו.\r\n"
                                 "התקבלו בפועל %2 נקודות.");
  m_ui.Notice(text.arg(m_Announced - headers).arg(points));
  emit Ended(cEnd::Mismatch);
}

// A download that ends without its transfer complete leaves the list as it was; the points that
// did arrive are offered to the user.
void cTransfer::Download_Stopped(const QString& why) {
  const int points = Log_Points(), reported = m_Announced - m_Track_Headers;
  QString text = T("קריאת ההקלטה מה-GPS נפסקה.", "track log download stopped") +
                 (m_English ? QStringLiteral(": ") : QStringLiteral("\r\n")) + why;
  if (points == 0) {
    End(cEnd::Failed, text + T("\r\nהרשימה לא שונתה.", "; the list is unchanged"));
    return;
  }
  std::vector<cLogRecord> log = std::move(m_Log);
  Teardown(false);
  text += m_English ? QStringLiteral("; %1 of %2 point(s) arrived")
                    : QStringLiteral(
                          "\r\nהתקבלו %1 נקודות מתוך %2 שדווחו.\r\n"
                          "לשמור את הנקודות שהתקבלו?");
  if (!m_ui.Ask_Go_On(text.arg(points).arg(reported))) {
    emit Ended(cEnd::Failed);
    return;
  }
  Fill_List(std::move(log), true);
  emit Ended(cEnd::Partial);
}
