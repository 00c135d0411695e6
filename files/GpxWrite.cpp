#include "files/GpxWrite.h"

#include <QBuffer>
#include <QXmlStreamWriter>
#include <cmath>

#include "geo/NumText.h"
#include "points/cVQPoints.h"
#include "text/TimeText.h"

namespace {
// XML 1.0 cannot carry control characters, unpaired surrogates or U+FFFE/U+FFFF, whatever
// a .twl label held: each becomes a space.
QString Xml_Text(const QString& text) {
  QString out = text;
  for (qsizetype i = 0; i < out.size(); ++i) {
    const char16_t c = out.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < out.size() && out.at(i + 1).isLowSurrogate()) {
      ++i;
      continue;
    }
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || QChar::isSurrogate(c) || c == 0xFFFE ||
        c == 0xFFFF)
      out[i] = QLatin1Char(' ');
  }
  return out;
}

// The schema's longitudes run from -180 up to but not including 180: 180 is written as -180,
// the same meridian.
QString Lon_Text(double lon) { return QString::number(lon == 180 ? -180.0 : lon, 'f', 9); }

// An elevation as xsd:decimal: the general number text, without its exponent form.
QString Ele_Text(double alt) {
  const QString text = QString::fromStdString(NumText::Num_Text(alt));
  return text.contains(QLatin1Char('E')) ? QString::number(alt, 'f', 6) : text;
}

QString Time_Text(const QDateTime& time) {
  const QDateTime utc = time.toUTC();
  return utc.toString(utc.time().msec() ? Qt::ISODateWithMs : Qt::ISODate);
}

class cWriter {
 public:
  explicit cWriter(QBuffer& buffer) : w(&buffer) {
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
  }

  void Text(const char* name, const QString& text) {
    w.writeTextElement(QLatin1String(name), Xml_Text(text));
  }

  // wpt, rtept or trkpt, with what the schema allows in its order: ele (when known), time, name,
  // cmt, desc. A receiver name other than the label goes into name, the label then into desc.
  void Point(const char* element, const cVQPoint& p, bool name, bool cmt,
             const QString* receiver_name = nullptr) {
    w.writeStartElement(QLatin1String(element));
    w.writeAttribute(QStringLiteral("lat"), QString::number(p.lat, 'f', 9));
    w.writeAttribute(QStringLiteral("lon"), Lon_Text(p.lon));
    if (p.Has_Alt()) Text("ele", Ele_Text(p.alt));
    if (p.Time.isValid()) Text("time", Time_Text(p.Time));
    if (name) Text("name", receiver_name ? *receiver_name : p.Label);
    if (cmt) Text("cmt", p.Comment);
    if (receiver_name) Text("desc", p.Label);
    w.writeEndElement();
  }

  QXmlStreamWriter w;
};
}  // namespace

QByteArray GPX_Bytes(const cVQPoints& points, int route_number, const QStringList& names) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  cWriter out(buffer);
  QXmlStreamWriter& w = out.w;
  w.writeStartDocument();
  w.writeStartElement(QStringLiteral("gpx"));
  w.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
  w.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                   QStringLiteral("xsi"));
  w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
  w.writeAttribute(QStringLiteral("creator"), QStringLiteral("VQ"));
  w.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                   QStringLiteral("schemaLocation"),
                   QStringLiteral("http://www.topografix.com/GPX/1/1 "
                                  "http://www.topografix.com/GPX/1/1/gpx.xsd"));
  w.writeStartElement(QStringLiteral("metadata"));
  out.Text("name", points.Title);
  w.writeEndElement();
  if (points.From_Track) {
    w.writeStartElement(QStringLiteral("trk"));
    out.Text("name", points.Title);
    w.writeStartElement(QStringLiteral("trkseg"));
    int i = 0;
    for (const cVQPoint& p : points) {
      if (p.New_Segment && i > 0) {
        w.writeEndElement();
        w.writeStartElement(QStringLiteral("trkseg"));
      }
      ++i;
      // A track point's name and comment are written only where they are not what reading
      // gives a point without them: its position and its time.
      const bool name = p.Label != QString::number(i);
      const bool cmt = !p.Comment.isEmpty() && p.Comment != Local_Time_Text(p.Time);
      out.Point("trkpt", p, name, cmt);
    }
    w.writeEndElement();
    w.writeEndElement();
  } else if (points.Count() > 0) {
    const bool named = names.size() == points.Count();
    const auto all = [&](const char* element) {
      int i = 0;
      for (const cVQPoint& p : points)
        out.Point(element, p, true, !p.Comment.isEmpty(), named ? &names[i++] : nullptr);
    };
    all("wpt");
    w.writeStartElement(QStringLiteral("rte"));
    out.Text("name", points.Title);
    if (route_number >= 0) out.Text("number", QString::number(route_number));
    all("rtept");
    w.writeEndElement();
  }
  w.writeEndDocument();
  return buffer.data();
}
