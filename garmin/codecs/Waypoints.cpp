// Waypoint records: the D100 family (a 58-byte prefix and the member's fields), D105, D106,
// the D108/D109/D110 family (a fixed part and six variable texts) and D150.
#include <cmath>

#include "garmin/Codecs.h"
#include "garmin/Fields.h"
#include "garmin/codecs/Layout.h"

using namespace Layout;
using Fields::Deg_To_Semicircles;
using Fields::Semicircles_To_Deg;

namespace Codec {
namespace {

int I(int offset) { return kHead + offset; }  // element index of a data offset

// Data sizes of the D100 family; a name the codec does not know is sent as D100.
int Prefix_Family_Size(const QString& f) {
  static const struct {
    const char* name;
    int size;
  } sizes[] = {{"D100", 58}, {"D101", 63},  {"D102", 64},  {"D103", 60},  {"D104", 65},
               {"D107", 65}, {"D151", 124}, {"D152", 124}, {"D154", 126}, {"D155", 127}};
  for (const auto& s : sizes)
    if (f == QLatin1String(s.name)) return s.size;
  return 58;
}

// The proximity reading of D150: index word, the 115-byte record, then the distance.
constexpr int kD150_Size = 115;
constexpr int kD150_Prox_Size = 2 + kD150_Size + 4;

// Altitude, depth and distance of the D108 family come back rounded to two decimals.
float Two_Decimals(float value) {
  double d = value;
  if (!std::isfinite(d)) return value;
  return float(std::round(d * 100.0) / 100.0);
}

// ---- D100 family ----

void Encode_Prefix_Family(QByteArray& p, const cWaypoint& w, const QString& f) {
  Put_Bytes(p, 0, Fixed_Bytes(w.Ident, 6, true));
  Fields::Put_Long(p, I(6), Deg_To_Semicircles(w.lat));
  Fields::Put_Long(p, I(10), Deg_To_Semicircles(w.lon));
  Fields::Put_Long(p, I(14), w.Unused1);
  Put_Bytes(p, 18, Fixed_Bytes(w.Cmnt, 40, true));
  if (f == "D101" || f == "D102" || f == "D104") {
    Fields::Put_Single(p, I(58), w.Dist);
    if (f == "D101")
      Fields::Put_Byte(p, I(62), w.Smbl);
    else
      Fields::Put_Integer(p, I(62), w.Smbl);
    if (f == "D104") Fields::Put_Byte(p, I(64), w.Dspl);
  } else if (f == "D103" || f == "D107") {
    Fields::Put_Byte(p, I(58), w.Smbl);
    Fields::Put_Byte(p, I(59), w.Dspl);
    if (f == "D107") {
      Fields::Put_Single(p, I(60), w.Dist);
      Fields::Put_Byte(p, I(64), w.Color);
    }
  } else if (f == "D151" || f == "D152" || f == "D154" || f == "D155") {
    Fields::Put_Single(p, I(58), w.Dist);
    Put_Bytes(p, 62, Fixed_Bytes(w.Facility, 30, true));
    Put_Bytes(p, 92, Fixed_Bytes(w.City, 24, true));
    Put_Bytes(p, 116, Fixed_Bytes(w.State, 2, true));
    Put_Rounded_Integer(p, 118, w.alt);
    Put_Bytes(p, 120, Fixed_Bytes(w.Country, 2, true));
    Fields::Put_Byte(p, I(122), w.Unused2);
    Fields::Put_Byte(p, I(123), w.Wpt_Class);
    if (f == "D154") Fields::Put_Integer(p, I(124), w.Smbl);
    if (f == "D155") Fields::Put_Byte(p, I(126), w.Dspl);  // 124..125 stay 0
  }
}

void Read_Byte_Into(const QByteArray& p, int offset, qint16& target) {
  quint8 b;
  if (Read_Byte(p, offset, b)) target = b;
}
void Read_Byte_Into(const QByteArray& p, int offset, qint32& target) {
  quint8 b;
  if (Read_Byte(p, offset, b)) target = b;
}

void Decode_Prefix_Family(const QByteArray& p, const QString& f, cWaypoint& w) {
  w.Ident = Read_Fixed(p, 0, 6);
  w.lat = Semicircles_To_Deg(Fields::Read_Long_At(p, I(6)));
  w.lon = Semicircles_To_Deg(Fields::Read_Long_At(p, I(10)));
  w.Unused1 = Fields::Read_Long_At(p, I(14));
  w.Cmnt = Read_Fixed(p, 18, 40);
  const int size = Data_Size(p);
  if (f == "D100") {
    if (size == 62) w.Dist = Fields::Read_Single_At(p, I(58));
  } else if (f == "D101" || f == "D102" || f == "D104") {
    w.Dist = Fields::Read_Single_At(p, I(58));
    if (f == "D101")
      Read_Byte_Into(p, 62, w.Smbl);
    else
      w.Smbl = Fields::Read_Integer_At(p, I(62));
    if (f == "D104") Read_Byte_Into(p, 64, w.Dspl);
  } else if (f == "D103" || f == "D107") {
    Read_Byte_Into(p, 58, w.Smbl);
    Read_Byte_Into(p, 59, w.Dspl);
    if (f == "D103" && size == 64) w.Dist = Fields::Read_Single_At(p, I(60));
    if (f == "D107") {
      w.Dist = Fields::Read_Single_At(p, I(60));
      Read_Byte_Into(p, 64, w.Color);
    }
  } else if (f == "D151" || f == "D152" || f == "D154" || f == "D155") {
    w.Dist = Fields::Read_Single_At(p, I(58));
    w.Facility = Read_Fixed(p, 62, 30);
    w.City = Read_Fixed(p, 92, 24);
    w.State = Read_Fixed(p, 116, 2);
    w.alt = Fields::Read_Integer_At(p, I(118));
    w.Country = Read_Fixed(p, 120, 2);
    Read_Byte_Into(p, 122, w.Unused2);
    Read_Byte_Into(p, 123, w.Wpt_Class);
    if (f == "D154") w.Smbl = Fields::Read_Integer_At(p, I(124));
    if (f == "D155") Read_Byte_Into(p, 126, w.Dspl);
  }
}

// ---- D105, D106 ----

QByteArray Encode_D105(const cWaypoint& w, quint8 pid) {
  QVector<QByteArray> texts{Variable_Bytes(w.Ident, true)};
  Fit_Texts(texts, kMax_Data - 10);
  QByteArray p = New_Packet(pid, 10 + int(texts[0].size()) + 1);
  Fields::Put_Long(p, I(0), Deg_To_Semicircles(w.lat));
  Fields::Put_Long(p, I(4), Deg_To_Semicircles(w.lon));
  Fields::Put_Integer(p, I(8), w.Smbl);
  Put_Texts(p, 10, texts);
  return p;
}

void Decode_D105(const QByteArray& p, cWaypoint& w) {
  w.lat = Semicircles_To_Deg(Fields::Read_Long_At(p, I(0)));
  w.lon = Semicircles_To_Deg(Fields::Read_Long_At(p, I(4)));
  w.Smbl = Fields::Read_Integer_At(p, I(8));
  const QStringList texts = Read_Texts(p, 10);
  if (!texts.isEmpty()) w.Ident = Trim_Spaces(texts[0]);
}

QByteArray Encode_D106(const cWaypoint& w, quint8 pid) {
  QVector<QByteArray> texts{Variable_Bytes(w.Ident, true), Variable_Bytes(w.Link, false)};
  Fit_Texts(texts, kMax_Data - 24);
  QByteArray p = New_Packet(pid, 24 + int(texts[0].size() + texts[1].size()) + 2);
  Fields::Put_Byte(p, I(0), w.Wpt_Class);
  Put_Bytes(p, 1, Raw_Bytes(w.Sub_Class, 13));
  Fields::Put_Long(p, I(14), Deg_To_Semicircles(w.lat));
  Fields::Put_Long(p, I(18), Deg_To_Semicircles(w.lon));
  Fields::Put_Integer(p, I(22), w.Smbl);
  Put_Texts(p, 24, texts);
  return p;
}

void Decode_D106(const QByteArray& p, cWaypoint& w) {
  Read_Byte_Into(p, 0, w.Wpt_Class);
  if (I(1) < p.size()) {
    QByteArray sub = p.mid(I(1), 13);
    int nul = int(sub.indexOf('\0'));
    w.Sub_Class = Raw_Text(nul < 0 ? sub : sub.left(nul));
  }
  w.lat = Semicircles_To_Deg(Fields::Read_Long_At(p, I(14)));
  w.lon = Semicircles_To_Deg(Fields::Read_Long_At(p, I(18)));
  w.Smbl = Fields::Read_Integer_At(p, I(22));
  const QStringList texts = Read_Texts(p, 24);
  if (texts.size() > 0) w.Ident = texts[0];
  if (texts.size() > 1) w.Link = texts[1];
}

// ---- D108, D109, D110 ----

struct cFamily {
  bool packed;  // D109/D110: packet type byte first, display and colour in one byte
  int fixed;    // size of the fixed part, where the texts begin
  quint8 attrib;
};

cFamily Family_Of(const QString& f) {
  if (f == "D108") return {false, 48, 0x60};
  if (f == "D109") return {true, 52, 0x70};
  return {true, 62, 0x80};  // D110
}

constexpr float kUnknown_Float = 1.0e25f;  // the maker's "not supported" value

QByteArray Encode_Family(cWaypoint& w, const QString& f, quint8 pid) {
  const cFamily fam = Family_Of(f);
  if (fam.packed && w.Smbl == 0) w.Smbl = 18;
  QVector<QByteArray> texts{Variable_Bytes(w.Ident, true),    Variable_Bytes(w.Cmnt, true),
                            Variable_Bytes(w.Facility, true), Variable_Bytes(w.City, true),
                            Variable_Bytes(w.Address, true),  Variable_Bytes(w.Cross_Road, true)};
  Fit_Texts(texts, kMax_Data - fam.fixed);
  int n = fam.fixed;
  for (const QByteArray& t : texts) n += int(t.size()) + 1;
  QByteArray p = New_Packet(pid, n);
  if (fam.packed) {
    Fields::Put_Byte(p, I(0), 1);
    Fields::Put_Byte(p, I(1), w.Wpt_Class);
    Fields::Put_Byte(p, I(2), qint64(w.Color) + 16 * qint64(w.Dspl));
  } else {
    Fields::Put_Byte(p, I(0), w.Wpt_Class);
    Fields::Put_Byte(p, I(1), w.Color);
    Fields::Put_Byte(p, I(2), w.Dspl);
  }
  Fields::Put_Byte(p, I(3), fam.attrib);
  Fields::Put_Integer(p, I(4), w.Smbl);
  Put_Bytes(p, 6, w.Wpt_Class >= 127 ? Raw_Bytes(w.Sub_Class, 18) : Default_Subclass());
  Fields::Put_Long(p, I(24), Deg_To_Semicircles(w.lat));
  Fields::Put_Long(p, I(28), Deg_To_Semicircles(w.lon));
  Fields::Put_Single(p, I(32), std::isfinite(w.alt) ? w.alt : kUnknown_Float);
  Fields::Put_Single(p, I(36), w.Dpth);
  Fields::Put_Single(p, I(40), w.Dist);
  Put_Bytes(p, 44, Fixed_Bytes(w.State, 2, true));
  Put_Bytes(p, 46, Fixed_Bytes(w.Country, 2, true));
  if (fam.packed) Fields::Put_Long(p, I(48), w.Ete == 0 ? -1 : w.Ete);
  if (f == "D110") {
    // A record that never had a temperature or a time says "unknown", as the maker asks.
    Fields::Put_Single(p, I(52), w.Temp == 0 ? kUnknown_Float : w.Temp);
    Fields::Put_Long(p, I(56), w.Time == 0 ? -1 : w.Time);
    Fields::Put_Integer(p, I(60), w.Category);
  }
  Put_Texts(p, fam.fixed, texts);
  return p;
}

void Decode_Family(const QByteArray& p, const QString& f, cWaypoint& w) {
  const cFamily fam = Family_Of(f);
  quint8 b;
  if (fam.packed) {
    Read_Byte_Into(p, 0, w.Dtype);
    Read_Byte_Into(p, 1, w.Wpt_Class);
    if (Read_Byte(p, 2, b)) {
      w.Color = b & 0x1F;
      w.Dspl = (b & 0x60) / 16;
    }
  } else {
    Read_Byte_Into(p, 0, w.Wpt_Class);
    Read_Byte_Into(p, 1, w.Color);
    Read_Byte_Into(p, 2, w.Dspl);
  }
  Read_Byte_Into(p, 3, w.Attrib);
  w.Smbl = Fields::Read_Integer_At(p, I(4));
  if (w.Wpt_Class >= 128) {
    w.Sub_Class = I(6) < p.size() ? Trim_Spaces(Raw_Text(p.mid(I(6), 18))) : QString();
  } else {
    w.Sub_Class.clear();
  }
  w.lat = Semicircles_To_Deg(Fields::Read_Long_At(p, I(24)));
  w.lon = Semicircles_To_Deg(Fields::Read_Long_At(p, I(28)));
  w.alt = Two_Decimals(Fields::Read_Single_At(p, I(32)));
  if (std::fabs(w.alt) >= 1.0e24f) w.alt = std::nanf("");  // the receiver does not know it
  w.Dpth = Two_Decimals(Fields::Read_Single_At(p, I(36)));
  w.Dist = Two_Decimals(Fields::Read_Single_At(p, I(40)));
  w.State = Read_Fixed(p, 44, 2);
  w.Country = Read_Fixed(p, 46, 2);
  if (fam.packed) w.Ete = Fields::Read_Long_At(p, I(48));
  if (f == "D110") {
    w.Temp = Fields::Read_Single_At(p, I(52));
    w.Time = Fields::Read_Long_At(p, I(56));
    w.Category = Fields::Read_Integer_At(p, I(60));
  }
  const QStringList texts = Read_Texts(p, fam.fixed);
  QString* targets[] = {&w.Ident, &w.Cmnt, &w.Facility, &w.City, &w.Address, &w.Cross_Road};
  for (int k = 0; k < 6 && k < texts.size(); ++k) *targets[k] = texts[k];
}

// ---- D150 ----

void Encode_D150_At(QByteArray& p, int o, const cWaypoint& w) {
  Put_Bytes(p, o + 0, Fixed_Bytes(w.Ident, 6, true));
  Put_Bytes(p, o + 6, Fixed_Bytes(w.Country, 2, true));
  Fields::Put_Byte(p, I(o + 8), w.Wpt_Class);
  Fields::Put_Long(p, I(o + 9), Deg_To_Semicircles(w.lat));
  Fields::Put_Long(p, I(o + 13), Deg_To_Semicircles(w.lon));
  Put_Rounded_Integer(p, o + 17, w.alt);
  Put_Bytes(p, o + 19, Fixed_Bytes(w.City, 24, true));
  Put_Bytes(p, o + 43, Fixed_Bytes(w.State, 2, true));
  Put_Bytes(p, o + 45, Fixed_Bytes(w.Facility, 30, true));
  Put_Bytes(p, o + 75, Fixed_Bytes(w.Cmnt, 40, true));
}

void Decode_D150_At(const QByteArray& p, int o, cWaypoint& w) {
  w.Ident = Read_Fixed(p, o + 0, 6);
  w.Country = Read_Fixed(p, o + 6, 2);
  Read_Byte_Into(p, o + 8, w.Wpt_Class);
  w.lat = Semicircles_To_Deg(Fields::Read_Long_At(p, I(o + 9)));
  w.lon = Semicircles_To_Deg(Fields::Read_Long_At(p, I(o + 13)));
  w.alt = Fields::Read_Integer_At(p, I(o + 17));
  w.City = Read_Fixed(p, o + 19, 24);
  w.State = Read_Fixed(p, o + 43, 2);
  w.Facility = Read_Fixed(p, o + 45, 30);
  w.Cmnt = Read_Fixed(p, o + 75, 40);
}

void Decode_D150(const QByteArray& p, cWaypoint& w) {
  if (Data_Size(p) == kD150_Prox_Size) {
    w.Prox_Index = Fields::Read_Integer_At(p, I(0));
    Decode_D150_At(p, 2, w);
    w.Dist = Fields::Read_Single_At(p, I(2 + kD150_Size));
  } else {
    Decode_D150_At(p, 0, w);
  }
}

bool Is_Family(const QString& f) { return f == "D108" || f == "D109" || f == "D110"; }

}  // namespace

QByteArray Default_Subclass() { return QByteArray(6, '\0') + QByteArray(12, '\xFF'); }

QByteArray Encode_Waypoint(cWaypoint& wpt, const QString& format, quint8 pid) {
  if (format == "D105") return Encode_D105(wpt, pid);
  if (format == "D106") return Encode_D106(wpt, pid);
  if (Is_Family(format)) return Encode_Family(wpt, format, pid);
  if (format == "D150") {
    QByteArray p = New_Packet(pid, kD150_Size);
    Encode_D150_At(p, 0, wpt);
    return p;
  }
  QByteArray p = New_Packet(pid, Prefix_Family_Size(format));
  Encode_Prefix_Family(p, wpt, format);
  return p;
}

void Decode_Waypoint(const QByteArray& packet, const QString& format, cWaypoint& wpt) {
  if (format == "D105")
    Decode_D105(packet, wpt);
  else if (format == "D106")
    Decode_D106(packet, wpt);
  else if (Is_Family(format))
    Decode_Family(packet, format, wpt);
  else if (format == "D150")
    Decode_D150(packet, wpt);
  else
    Decode_Prefix_Family(packet, format, wpt);
}

}  // namespace Codec
