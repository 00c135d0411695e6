#include "storage/TrackTitle.h"

#include <QFile>
#include <QXmlStreamReader>

cTrackTitle Read_Track_Title(const QString& path) {
  cTrackTitle title;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return title;
  QXmlStreamReader xml(&file);
  int depth = 0, trk_depth = -1;
  while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::Invalid) {
    if (xml.isEndElement()) {
      if (--depth < trk_depth) return title;  // the first track has ended
      continue;
    }
    if (!xml.isStartElement()) continue;
    ++depth;
    const QStringView name = xml.name();
    if (trk_depth < 0) {
      if (name == u"trk") trk_depth = depth;
      continue;
    }
    if (name == u"name" && depth == trk_depth + 1 && title.Name.isEmpty()) {
      title.Name = xml.readElementText().simplified();
      --depth;
    } else if (name == u"time" && depth > trk_depth + 1) {
      title.Start = QDateTime::fromString(xml.readElementText().trimmed(), Qt::ISODateWithMs);
      return title;
    }
  }
  return title;
}
