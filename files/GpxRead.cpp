#include "files/GpxRead.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <charconv>
#include <cmath>

#include "text/Cp1255.h"

namespace {
// UTF-16 like the reader's names, so that each element's check is a plain memory compare.
constexpr QStringView kGpx10 = u"http://www.topografix.com/GPX/1/0";
constexpr QStringView kGpx11 = u"http://www.topografix.com/GPX/1/1";

// The encoding the XML declaration names, or empty when there is no declaration in ASCII.
QString Declared_Encoding(const QByteArray& bytes) {
  if (!bytes.startsWith("<?xml")) return {};
  const int end = bytes.indexOf("?>");
  if (end < 0 || end > 512) return {};
  static const QRegularExpression kEncoding(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
  const auto m = kEncoding.match(QString::fromLatin1(bytes.left(end)));
  return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

// A name, comment or description on one line: the list, the TXT and the CSV are line based.
QString One_Line(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String(" "));
  for (QChar& c : text) {
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
      c = QLatin1Char(' ');
  }
  return text;
}

// A number as GPX writes it. The common plain ASCII text goes through from_chars, several times
// faster than QString's conversion, which a long track feels; anything else (spaces, "+", long
// texts) falls back to QString's rules.
bool To_Double(QStringView text, double& out) {
  char buf[64];
  const qsizetype n = text.size();
  bool ascii = n > 0 && n < qsizetype(sizeof buf);
  for (qsizetype i = 0; ascii && i < n; ++i) {
    const char16_t c = text[i].unicode();
    ascii = c < 0x80;
    buf[i] = char(c);
  }
  if (ascii) {
    const auto r = std::from_chars(buf, buf + n, out);
    if (r.ec == std::errc() && r.ptr == buf + n) return true;
  }
  bool ok = false;
  out = text.toDouble(&ok);
  return ok;
}

// ISO 8601 with or without fractional seconds, with "Z" or an offset; GPX gives UTC when the
// text has no zone.
QDateTime Utc_Time(const QString& text) {
  QDateTime t = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
  if (!t.isValid()) return {};
  if (t.timeSpec() == Qt::LocalTime) t.setTimeZone(QTimeZone::utc());
  return t.toUTC();
}

class cReader {
 public:
  cReader(QXmlStreamReader& r, cGpxContent& c) : m_r(r), m_c(c) {}

  void Read() {
    while (!m_r.atEnd() && !m_r.isStartElement()) {
      m_r.readNext();
      if (m_r.tokenType() == QXmlStreamReader::DTD)
        return Fail(cGpxContent::Declares_Entities,
                    QStringLiteral("the document declares a DTD or entities"));
    }
    if (m_r.hasError()) return;
    if (m_r.name() != u"gpx" || !Ours())
      return Fail(cGpxContent::Not_Gpx,
                  QStringLiteral("not a GPX file: the document is <%1>").arg(m_r.name()));
    while (m_r.readNextStartElement()) {
      if (!Ours()) {
        m_r.skipCurrentElement();
      } else if (m_r.name() == u"wpt") {
        Read_Point(m_c.waypoints.points);
      } else if (m_r.name() == u"rte") {
        m_c.routes.append(Read_Part(u"rtept", {}));
      } else if (m_r.name() == u"trk") {
        m_c.tracks.append(Read_Part(u"trkseg", u"trkpt"));
      } else {
        m_r.skipCurrentElement();
      }
    }
    // Whatever follows the root must still be well formed.
    while (!m_r.atEnd()) m_r.readNext();
  }

 private:
  // GPX 1.0, GPX 1.1, or a file that names no namespace at all.
  bool Ours() const {
    const QStringView ns = m_r.namespaceUri();
    return ns.isEmpty() || ns == kGpx11 || ns == kGpx10;
  }

  void Fail(cGpxContent::Fault fault, const QString& error) {
    if (m_c.fault != cGpxContent::None) return;
    m_c.fault = fault;
    m_c.error = error;
    m_c.line = m_r.lineNumber();
    m_r.raiseError(error);
  }

  QString Text() { return m_r.readElementText(QXmlStreamReader::SkipChildElements); }

  // A route (its rtept) or a track (its trkseg, each holding trkpt).
  cGpxPart Read_Part(QStringView point, QStringView segment_point) {
    cGpxPart part;
    while (m_r.readNextStartElement()) {
      if (!Ours()) {
        m_r.skipCurrentElement();
      } else if (m_r.name() == u"name") {
        part.name = One_Line(Text()).trimmed();
      } else if (m_r.name() == point && segment_point.isEmpty()) {
        Read_Point(part.points);
      } else if (m_r.name() == point) {
        const int first = part.points.size();
        while (m_r.readNextStartElement()) {
          if (Ours() && m_r.name() == segment_point) {
            Read_Point(part.points);
          } else {
            m_r.skipCurrentElement();
          }
        }
        if (part.points.size() > first) part.points[first].New_Segment = true;
      } else {
        m_r.skipCurrentElement();
      }
    }
    return part;
  }

  void Read_Point(QVector<cVQPoint>& out) {
    const QXmlStreamAttributes attrs = m_r.attributes();
    const QStringView lat = attrs.value(QLatin1String("lat")),
                      lon = attrs.value(QLatin1String("lon"));
    cVQPoint p;
    p.alt = cVQPoint::kNo_Alt;  // unknown unless an <ele> says it
    if (!To_Double(lat, p.lat) || !To_Double(lon, p.lon))
      return Fail(cGpxContent::Bad_Point,
                  QStringLiteral("a <%1> without a valid lat and lon").arg(m_r.name()));
    if (!(p.lat >= -90 && p.lat <= 90) || !(p.lon >= -180 && p.lon <= 180))
      return Fail(cGpxContent::Bad_Point,
                  QStringLiteral("a <%1> out of range: lat %2, lon %3").arg(m_r.name(), lat, lon));
    QString cmt, desc;
    while (m_r.readNextStartElement()) {
      const QStringView name = m_r.name();
      if (!Ours()) {
        m_r.skipCurrentElement();
      } else if (name == u"ele") {
        double ele = 0;
        p.alt = To_Double(Text(), ele) && std::isfinite(ele) ? ele : cVQPoint::kNo_Alt;
      } else if (name == u"time") {
        p.Time = Utc_Time(Text());
      } else if (name == u"name") {
        p.Label = One_Line(Text()).trimmed();
      } else if (name == u"cmt") {
        cmt = One_Line(Text());
      } else if (name == u"desc") {
        desc = One_Line(Text());
      } else {
        m_r.skipCurrentElement();
      }
    }
    p.Comment = !cmt.trimmed().isEmpty() ? cmt : !desc.trimmed().isEmpty() ? desc : QString();
    out.append(std::move(p));
  }

  QXmlStreamReader& m_r;
  cGpxContent& m_c;
};
}  // namespace

cGpxContent Parse_GPX(const QByteArray& bytes) {
  cGpxContent content;
  QXmlStreamReader reader;
  // Qt decodes the encodings it knows itself; Windows-1255 and ISO-8859-8 (its subset for
  // Hebrew letters) are decoded here when the Qt build has no converter for them.
  const QString encoding = Declared_Encoding(bytes).toLower();
  // A UTF-8 byte order mark decides the encoding over what the declaration names, as XML
  // has it; a text handed over decoded makes the reader ignore the declaration.
  const bool utf8_bom = bytes.startsWith("\xEF\xBB\xBF");
  const bool hebrew = encoding == QLatin1String("windows-1255") ||
                      encoding == QLatin1String("cp1255") ||
                      encoding.startsWith(QLatin1String("iso-8859-8"));
  if (utf8_bom) {
    reader.addData(QString::fromUtf8(bytes.mid(3)));
  } else if (hebrew && !QStringDecoder(encoding.toLatin1().constData()).isValid()) {
    reader.addData(Cp1255::To_Text(bytes));
  } else {
    reader.addData(bytes);
  }
  cReader(reader, content).Read();
  if (reader.hasError() && content.fault == cGpxContent::None) {
    content.fault = cGpxContent::Malformed;
    content.error = reader.errorString();
    content.line = reader.lineNumber();
  }
  if (content.fault != cGpxContent::None) {
    content.routes.clear();
    content.tracks.clear();
    content.waypoints = cGpxPart();
  }
  return content;
}

QVector<cChoice> Gpx_Choices(const cGpxContent& content) {
  // Parts without points are not offered: an empty route would empty the list.
  QVector<cChoice> choices;
  for (int i = 0; i < content.routes.size(); ++i) {
    if (!content.routes[i].points.isEmpty())
      choices.append(
          {{cPick::Route, i + 1}, content.routes[i].name, int(content.routes[i].points.size())});
  }
  for (int i = 0; i < content.tracks.size(); ++i) {
    if (!content.tracks[i].points.isEmpty())
      choices.append(
          {{cPick::Track, i + 1}, content.tracks[i].name, int(content.tracks[i].points.size())});
  }
  const QVector<cVQPoint>& wpts = content.waypoints.points;
  bool mirror = content.routes.size() == 1 && content.routes[0].points.size() == wpts.size();
  for (int i = 0; mirror && i < wpts.size(); ++i) {
    const cVQPoint& r = content.routes[0].points[i];
    mirror = r.lat == wpts[i].lat && r.lon == wpts[i].lon && r.Label == wpts[i].Label;
  }
  if (!wpts.isEmpty() && !mirror)
    choices.append({{cPick::Waypoints, 0}, QString(), int(wpts.size())});
  return choices;
}

cGpxPart* Gpx_Part(cGpxContent& content, const cPick& pick) {
  const QVector<cChoice> choices = Gpx_Choices(content);
  if (pick.kind == cPick::Default)
    return choices.isEmpty() ? &content.waypoints : Gpx_Part(content, choices[0].pick);
  // The waypoints are there to pick whenever the file has some, even when they only mirror
  // the route and so are not offered.
  if (pick.kind == cPick::Waypoints)
    return content.waypoints.points.isEmpty() ? nullptr : &content.waypoints;
  QVector<cGpxPart>& parts = pick.kind == cPick::Route ? content.routes : content.tracks;
  if (pick.number < 1 || pick.number > parts.size() || parts[pick.number - 1].points.isEmpty())
    return nullptr;
  return &parts[pick.number - 1];
}
