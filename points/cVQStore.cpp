#include "points/cVQStore.h"

#include <QTimeZone>

#include "text/TimeText.h"

QString cVQStore::Label(const cVQRec& r) const {
  return r.label >= 0 ? texts[size_t(r.label)] : QString::number(-qint64(r.label));
}

QString cVQStore::Comment(const cVQRec& r) const {
  if (r.comment >= 0) return texts[size_t(r.comment)];
  return r.comment == cVQRec::kTime_Text ? Local_Time_Text(r.time_ms) : QString();
}

QDateTime cVQStore::Time(const cVQRec& r) const {
  return r.time_ms == cVQRec::kNo_Time ? QDateTime()
                                       : QDateTime::fromMSecsSinceEpoch(r.time_ms, QTimeZone::utc());
}

cVQPoint cVQStore::Point(const cVQRec& r) const {
  cVQPoint p;
  p.Label = Label(r);
  p.lat = r.lat;
  p.lon = r.lon;
  p.alt = r.alt;
  p.Comment = Comment(r);
  p.Time = Time(r);
  p.New_Segment = r.new_segment;
  return p;
}

cVQRec cVQStore::Record(cVQPoint&& p, int number) {
  cVQRec r;
  r.lat = p.lat;
  r.lon = p.lon;
  r.alt = p.alt;
  if (p.Time.isValid()) r.time_ms = p.Time.toMSecsSinceEpoch();
  r.new_segment = p.New_Segment;
  if (number > 0 && p.Label.isEmpty()) {
    r.label = -number;
  } else {
    r.label = qint32(texts.size());
    texts.push_back(std::move(p.Label));
  }
  if (!p.Comment.isEmpty()) {
    r.comment = qint32(texts.size());
    texts.push_back(std::move(p.Comment));
  } else if (number > 0 && r.time_ms != cVQRec::kNo_Time) {
    r.comment = cVQRec::kTime_Text;
  }
  return r;
}
