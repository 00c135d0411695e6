#include "files/GpxRead.h"

#include <expat.h>

#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>
#include <charconv>
#include <cmath>
#include <cstring>

#include "text/Cp1255.h"

namespace {
// Expat hands names as "namespace-URI<sep>local-name"; a name without a namespace has no sep.
constexpr char kSep = '\x01';
constexpr const char* kGpx10 = "http://www.topografix.com/GPX/1/0";
constexpr const char* kGpx11 = "http://www.topografix.com/GPX/1/1";
// The declaration is looked for in the first bytes, before the parser starts.
constexpr qsizetype kHead = 512;

// The encoding the XML declaration names, or empty when there is no declaration in ASCII.
QString Declared_Encoding(const QByteArray& bytes) {
  if (!bytes.startsWith("<?xml")) return {};
  const int end = bytes.indexOf("?>");
  if (end < 0 || end > kHead) return {};
  static const QRegularExpression kEncoding(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
  const auto m = kEncoding.match(QString::fromLatin1(bytes.left(end)));
  return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

bool Is_Hebrew(const QString& encoding) {
  return encoding == QLatin1String("windows-1255") || encoding == QLatin1String("cp1255") ||
         encoding.startsWith(QLatin1String("iso-8859-8"));
}

// The characters of a one-byte encoding, byte by byte; false for an encoding whose characters
// take more than one byte (or that Qt does not know).
bool Byte_Table(const QString& encoding, int (&map)[256]) {
  if (Is_Hebrew(encoding)) {
    // Windows-1255 through the program's own table; ISO-8859-8 is its subset for letters.
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b) all[b] = char(b);
    const QString text = Cp1255::To_Text(all);
    for (int b = 0; b < 256; ++b) map[b] = text[b].unicode();
    return true;
  }
  QStringDecoder decoder(encoding.toLatin1().constData());
  if (!decoder.isValid()) return false;
  for (int b = 0; b < 256; ++b) {
    QStringDecoder one(encoding.toLatin1().constData());
    const char byte = char(b);
    const QString text = one.decode(QByteArrayView(&byte, 1));
    if (text.size() != 1 || one.hasError() || text[0].isSurrogate()) return false;
    map[b] = text[0].unicode();
    if (b < 0x80 && map[b] != b) return false;  // not ASCII-compatible
  }
  return true;
}

int XMLCALL Unknown_Encoding(void*, const XML_Char* name, XML_Encoding* info) {
  if (!Byte_Table(QString::fromLatin1(name).toLower(), info->map)) return XML_STATUS_ERROR;
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

// A number as GPX writes it: plain ASCII through from_chars, several times faster than
// QString's conversion, which a long track feels; anything else (spaces, "+", long texts)
// falls back to QString's rules.
bool To_Double(const char* text, size_t n, double& out) {
  if (n > 0 && n < 64) {
    const auto r = std::from_chars(text, text + n, out);
    if (r.ec == std::errc() && r.ptr == text + n) return true;
  }
  bool ok = false;
  out = QString::fromUtf8(text, qsizetype(n)).toDouble(&ok);
  return ok;
}

// "YYYY-MM-DDTHH:MM:SS", with up to three digits of a fraction and "Z", "+HH:MM", "-HH:MM" or
// nothing, read by hand as receivers and programs write it; -1 for any other text.
qint64 Plain_Utc_Ms(const char* s, size_t n) {
  if (n < 19 || s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':' || s[16] != ':')
    return -1;
  const auto num = [s](int at, int width) {
    int v = 0;
    for (int i = at; i < at + width; ++i) {
      if (s[i] < '0' || s[i] > '9') return -1;
      v = v * 10 + (s[i] - '0');
    }
    return v;
  };
  const int y = num(0, 4), mo = num(5, 2), d = num(8, 2), h = num(11, 2), mi = num(14, 2),
            sec = num(17, 2);
  if (y < 1970 || mo < 0 || d < 0 || h < 0 || h > 23 || mi < 0 || mi > 59 || sec < 0 || sec > 59 ||
      !QDate::isValid(y, mo, d))
    return -1;
  size_t at = 19;
  int ms = 0;
  if (at < n && s[at] == '.') {
    int scale = 100, digits = 0;
    for (++at; at < n && s[at] >= '0' && s[at] <= '9'; ++at, scale /= 10, ++digits)
      ms += (s[at] - '0') * scale;
    if (digits == 0 || digits > 3) return -1;
  }
  int offset_min = 0;
  if (at < n && s[at] == 'Z') {
    ++at;
  } else if (at + 6 == n && (s[at] == '+' || s[at] == '-') && s[at + 3] == ':') {
    const int oh = num(int(at) + 1, 2), om = num(int(at) + 4, 2);
    if (oh < 0 || oh > 14 || om < 0 || om > 59) return -1;
    offset_min = (s[at] == '-' ? -1 : 1) * (oh * 60 + om);
    at = n;
  }
  if (at != n) return -1;
  // Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
  const int yy = mo <= 2 ? y - 1 : y;
  const int era = yy / 400, yoe = yy - era * 400;
  const int doy = (153 * (mo > 2 ? mo - 3 : mo + 9) + 2) / 5 + d - 1;
  const qint64 days = qint64(era) * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
  return ((days * 24 + h) * 60 + mi - offset_min) * 60000LL + sec * 1000LL + ms;
}

// ISO 8601 with or without fractional seconds, with "Z" or an offset; GPX gives UTC when the
// text has no zone.
QDateTime Utc_Time(const std::string& text) {
  const qint64 ms = Plain_Utc_Ms(text.data(), text.size());
  if (ms >= 0) return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
  QDateTime t = QDateTime::fromString(QString::fromUtf8(text).trimmed(), Qt::ISODateWithMs);
  if (!t.isValid()) return {};
  if (t.timeSpec() == Qt::LocalTime) t.setTimeZone(QTimeZone::utc());
  return t.toUTC();
}

// A name, comment or description on one line: the list, the TXT and the CSV are line based.
QString One_Line(const std::string& bytes) {
  QString text = QString::fromUtf8(bytes);
  text.replace(QLatin1String("\r\n"), QLatin1String(" "));
  for (QChar& c : text) {
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
      c = QLatin1Char(' ');
  }
  return text;
}
}  // namespace

// The reader's state: where in the document it is (each level the element it is in), and the
// text of the element being read. Elements it does not use are skipped with their children.
struct cGpxReader::cImpl {
  enum Level { Doc, Gpx, Route, Track, Segment, Point, Field, Skip };
  enum Field_Kind { None, Part_Name, Ele, Time, Name, Cmt, Desc };

  XML_Parser parser = nullptr;
  cGpxContent content;
  QByteArray head;            // the first bytes, until the encoding is known
  bool started = false;
  bool whole = false;         // an encoding only Qt knows: the text is converted at the end
  QStringDecoder decoder;
  QByteArray decoded;
  std::vector<Level> levels{Doc};
  Field_Kind field = None;
  std::string text;
  cGpxPart* part = nullptr;   // the route or track being read
  cVQPoint point;
  std::string cmt, desc;
  bool segment_started = false;

  ~cImpl() {
    if (parser) XML_ParserFree(parser);
  }

  void Fail(cGpxContent::Fault fault, const QString& error) {
    if (content.fault != cGpxContent::None) return;
    content.fault = fault;
    content.error = error;
    content.line = qint64(XML_GetCurrentLineNumber(parser));
    XML_StopParser(parser, XML_FALSE);
  }

  // The local name of an element of GPX 1.0, GPX 1.1 or no namespace; nullptr for another.
  static const char* Ours(const char* name) {
    const char* sep = std::strchr(name, kSep);
    if (!sep) return name;
    const size_t n = size_t(sep - name);
    if ((std::strlen(kGpx11) == n && std::strncmp(name, kGpx11, n) == 0) ||
        (std::strlen(kGpx10) == n && std::strncmp(name, kGpx10, n) == 0))
      return sep + 1;
    return nullptr;
  }
  static QString Local(const char* name) {
    const char* sep = std::strchr(name, kSep);
    return QString::fromUtf8(sep ? sep + 1 : name);
  }

  void Start(const char* raw, const char** attrs) {
    const Level at = levels.back();
    const char* name = at == Skip || at == Field ? nullptr : Ours(raw);
    Level next = Skip;
    if (at == Doc) {
      if (!name || std::strcmp(name, "gpx") != 0)
        return Fail(cGpxContent::Not_Gpx,
                    QStringLiteral("not a GPX file: the document is <%1>").arg(Local(raw)));
      next = Gpx;
    } else if (!name) {
      next = Skip;
    } else if (at == Gpx) {
      if (std::strcmp(name, "wpt") == 0) {
        next = Start_Point(raw, attrs);
      } else if (std::strcmp(name, "rte") == 0) {
        content.routes.append(cGpxPart());
        part = &content.routes.last();
        next = Route;
      } else if (std::strcmp(name, "trk") == 0) {
        content.tracks.append(cGpxPart());
        part = &content.tracks.last();
        next = Track;
      }
    } else if (at == Route || at == Track) {
      if (std::strcmp(name, "name") == 0) {
        next = Start_Field(Part_Name);
      } else if (at == Route && std::strcmp(name, "rtept") == 0) {
        next = Start_Point(raw, attrs);
      } else if (at == Track && std::strcmp(name, "trkseg") == 0) {
        segment_started = false;
        next = Segment;
      }
    } else if (at == Segment) {
      if (std::strcmp(name, "trkpt") == 0) next = Start_Point(raw, attrs);
    } else if (at == Point) {
      static const struct {
        const char* name;
        Field_Kind kind;
      } kFields[] = {{"ele", Ele}, {"time", Time}, {"name", Name}, {"cmt", Cmt}, {"desc", Desc}};
      for (const auto& f : kFields)
        if (std::strcmp(name, f.name) == 0) next = Start_Field(f.kind);
    }
    levels.push_back(next);
  }

  Level Start_Field(Field_Kind kind) {
    field = kind;
    text.clear();
    return Field;
  }

  Level Start_Point(const char* raw, const char** attrs) {
    const char *lat = nullptr, *lon = nullptr;
    for (const char** a = attrs; a[0]; a += 2) {
      if (std::strcmp(a[0], "lat") == 0) lat = a[1];
      if (std::strcmp(a[0], "lon") == 0) lon = a[1];
    }
    point = cVQPoint();
    point.alt = cVQPoint::kNo_Alt;  // unknown unless an <ele> says it
    cmt.clear();
    desc.clear();
    if (!lat || !lon || !To_Double(lat, std::strlen(lat), point.lat) ||
        !To_Double(lon, std::strlen(lon), point.lon)) {
      Fail(cGpxContent::Bad_Point,
           QStringLiteral("a <%1> without a valid lat and lon").arg(Local(raw)));
      return Skip;
    }
    if (!(point.lat >= -90 && point.lat <= 90) || !(point.lon >= -180 && point.lon <= 180)) {
      Fail(cGpxContent::Bad_Point, QStringLiteral("a <%1> out of range: lat %2, lon %3")
                                       .arg(Local(raw), QString::fromUtf8(lat),
                                            QString::fromUtf8(lon)));
      return Skip;
    }
    return Point;
  }

  void End() {
    const Level done = levels.back();
    levels.pop_back();
    if (done == Field) {
      End_Field();
    } else if (done == Point) {
      if (!cmt.empty() || !desc.empty()) {
        point.Comment = One_Line(cmt);
        if (point.Comment.trimmed().isEmpty()) point.Comment = One_Line(desc);
        if (point.Comment.trimmed().isEmpty()) point.Comment.clear();
      }
      if (levels.back() == Segment) {
        point.New_Segment = !segment_started;
        segment_started = true;
      }
      (levels.back() == Gpx ? content.waypoints.points : part->points).append(std::move(point));
    }
  }

  void End_Field() {
    switch (field) {
      case Part_Name:
        part->name = One_Line(text).trimmed();
        break;
      case Ele: {
        double ele = 0;
        point.alt = To_Double(text.data(), text.size(), ele) && std::isfinite(ele)
                        ? ele
                        : cVQPoint::kNo_Alt;
        break;
      }
      case Time:
        point.Time = Utc_Time(text);
        break;
      case Name:
        point.Label = One_Line(text).trimmed();
        break;
      case Cmt:
        cmt = text;
        break;
      case Desc:
        desc = text;
        break;
      case None:
        break;
    }
    field = None;
  }

  // Only the element's own text, not that of elements inside it.
  void Characters(const char* s, int n) {
    if (levels.back() == Field) text.append(s, size_t(n));
  }

  void Begin(const QByteArray& first) {
    started = true;
    const char* forced = nullptr;
    if (first.startsWith("\xEF\xBB\xBF")) {
      // A UTF-8 byte order mark decides the encoding over what the declaration names.
      forced = "UTF-8";
    } else if (!first.startsWith("\xFE\xFF") && !first.startsWith("\xFF\xFE")) {
      const QString encoding = Declared_Encoding(first).toLower();
      int map[256];
      if (!encoding.isEmpty() && !Is_Hebrew(encoding) && !Byte_Table(encoding, map)) {
        // An encoding Expat does not know and whose characters take several bytes: the whole
        // text is converted at the end and read as UTF-8.
        static const char* const kExpat[] = {"utf-8", "utf-16", "iso-8859-1", "us-ascii"};
        bool expat = false;
        for (const char* e : kExpat) expat = expat || encoding == QLatin1String(e);
        QStringDecoder qt(encoding.toLatin1().constData());
        if (!expat && qt.isValid()) {
          whole = true;
          decoder = std::move(qt);
          forced = "UTF-8";
        }
      }
    }
    parser = XML_ParserCreateNS(forced, kSep);
    XML_SetUserData(parser, this);
    XML_SetUnknownEncodingHandler(parser, Unknown_Encoding, nullptr);
    XML_SetElementHandler(
        parser,
        [](void* self, const XML_Char* name, const XML_Char** attrs) {
          static_cast<cImpl*>(self)->Start(name, attrs);
        },
        [](void* self, const XML_Char*) { static_cast<cImpl*>(self)->End(); });
    XML_SetCharacterDataHandler(parser, [](void* self, const XML_Char* s, int n) {
      static_cast<cImpl*>(self)->Characters(s, n);
    });
    // Qt's reader would have left an external entity silently empty; this reader refuses any
    // DTD, and no file but the one given is ever opened.
    XML_SetStartDoctypeDeclHandler(
        parser, [](void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
          static_cast<cImpl*>(self)->Fail(cGpxContent::Declares_Entities,
                                          QStringLiteral("the document declares a DTD or entities"));
        });
  }

  bool Parse(const char* data, qsizetype size, bool last) {
    if (whole) {
      decoded += QString(decoder.decode(QByteArrayView(data, size))).toUtf8();
      if (!last) return true;
      data = decoded.constData();
      size = decoded.size();
    }
    // Expat takes int lengths: a long text goes in pieces.
    constexpr qsizetype kMax = 1 << 30;
    do {
      const qsizetype n = qMin(size, kMax);
      if (XML_Parse(parser, data, int(n), last && n == size) != XML_STATUS_OK) {
        if (content.fault == cGpxContent::None) {
          content.fault = cGpxContent::Malformed;
          content.error = QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser)));
          content.line = qint64(XML_GetCurrentLineNumber(parser));
        }
        return false;
      }
      data += n;
      size -= n;
    } while (size > 0);
    return true;
  }
};

cVQPoint cGpxPoints::operator[](qsizetype i) const {
  const cVQRec& r = m_store.recs.at(size_t(i));
  cVQPoint p = m_store.Point(r);
  if (r.label < 0) p.Label.clear();
  if (r.comment == cVQRec::kTime_Text) p.Comment.clear();
  return p;
}

void cGpxPoints::append(cVQPoint&& p) {
  const int number = int(size()) + 1;
  m_store.recs.push_back(m_store.Record(std::move(p), number));
}

cGpxReader::cGpxReader() : d(new cImpl) {}
cGpxReader::~cGpxReader() = default;

bool cGpxReader::Feed(const char* data, qsizetype size) {
  if (d->content.fault != cGpxContent::None) return false;
  if (!d->started) {
    d->head.append(data, size);
    if (d->head.size() < kHead) return true;
    d->Begin(d->head);
    const QByteArray head = std::move(d->head);
    return d->Parse(head.constData(), head.size(), false);
  }
  return d->Parse(data, size, false);
}

cGpxContent cGpxReader::Finish() {
  if (d->content.fault == cGpxContent::None) {
    if (!d->started) {
      d->Begin(d->head);
      const QByteArray head = std::move(d->head);
      d->Parse(head.constData(), head.size(), true);
    } else {
      d->Parse(nullptr, 0, true);
    }
  }
  cGpxContent content = std::move(d->content);
  if (content.fault != cGpxContent::None) {
    content.routes.clear();
    content.tracks.clear();
    content.waypoints = cGpxPart();
  }
  return content;
}

cGpxContent Parse_GPX(const QByteArray& bytes) {
  cGpxReader reader;
  reader.Feed(bytes.constData(), bytes.size());
  return reader.Finish();
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
  const cGpxPoints& wpts = content.waypoints.points;
  bool mirror = content.routes.size() == 1 && content.routes[0].points.size() == wpts.size();
  for (int i = 0; mirror && i < wpts.size(); ++i) {
    const cVQStore &route = content.routes[0].points.Store(), &wpt = wpts.Store();
    const cVQRec &r = route.recs[size_t(i)], &w = wpt.recs[size_t(i)];
    mirror = r.lat == w.lat && r.lon == w.lon && route.Label(r) == wpt.Label(w);
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
