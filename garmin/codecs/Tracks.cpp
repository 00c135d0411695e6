// Track headers (D310, D311, D312) and track points (D300 .. D304). The header type and the
// point type are announced separately, so each has its own parameter.
#include <cmath>

#include "garmin/Codecs.h"
#include "garmin/Fields.h"
#include "garmin/codecs/Layout.h"
#include "text/Cp1255.h"

using namespace Layout;
using Fields::Deg_To_Semicircles;
using Fields::Semicircles_To_Deg;

namespace Codec {
namespace {

int I(int offset) { return kHead + offset; }

// Headers with display flag, colour and a NUL-ended name; "D301" is accepted because the
// driver's combined track format names the point type when it announces no header.
bool Is_Named_Header(const QString& f) { return f == "D310" || f == "D312" || f == "D301"; }

// Where the altitude, depth and new-segment flag lie; -1 where the layout has none.
struct cPointLayout {
  int size, alt, dpth, temp, new_trk;
};

bool Point_Layout(const QString& f, cPointLayout& l) {
  if (f == "D300")
    l = {13, -1, -1, -1, 12};
  else if (f == "D301" || f == "D310")
    l = {21, 12, 16, -1, 20};
  else if (f == "D302")
    l = {25, 12, 16, 20, 24};
  else if (f == "D303")
    l = {17, 12, -1, -1, -1};  // then heart rate
  else if (f == "D304")
    l = {23, 12, -1, -1, -1};  // then distance, heart rate, cadence, sensor
  else
    return false;
  return true;
}

constexpr float kUnknown_Float = 1.0e25f;  // the maker's "not supported" value

// An altitude the receiver did not know (its 1.0e25, or no such field) is NaN, and back.
float Known_Alt(float alt) {
  return std::isfinite(alt) && std::fabs(alt) < 1.0e24f ? alt : std::nanf("");
}

// The receiver marks a point without a time with 0xFFFFFFFF, some with 0: it has no time.
constexpr qint32 kNo_Time = -1;

}  // namespace

QByteArray Encode_Track_Header(const cTrack& track, const QString& header_format, quint8 pid) {
  if (!Is_Named_Header(header_format)) return QByteArray();  // D311 is receive-only
  QVector<QByteArray> texts{Variable_Bytes(track.Ident, true)};
  Fit_Texts(texts, kMax_Data - 2);
  QByteArray p = New_Packet(pid, int(texts[0].size()) + 3);
  Fields::Put_Byte(p, I(0), track.Dspl ? 0xFF : 0x00);
  Fields::Put_Byte(p, I(1), track.Color);
  Put_Texts(p, 2, texts);
  return p;
}

void Decode_Track_Header(const QByteArray& packet, const QString& header_format, cTrack& track) {
  quint8 b;
  if (header_format == "D311") {
    if (I(2) <= packet.size()) track.Index = quint16(Fields::Read_Integer_At(packet, I(0)));
    return;
  }
  if (!Is_Named_Header(header_format)) return;
  if (Read_Byte(packet, 0, b)) track.Dspl = b != 0;
  if (Read_Byte(packet, 1, b)) track.Color = b;
  const int count = Data_Size(packet) - 3;
  if (count >= 0 && I(2) + count <= packet.size()) {
    QByteArray bytes = packet.mid(I(2), count);
    int nul = int(bytes.indexOf('\0'));
    track.Ident = Cp1255::To_Text(nul < 0 ? bytes : bytes.left(nul));
  }
}

QByteArray Encode_Track(const cTrack& track, const QString& point_format, quint8 pid) {
  cPointLayout l;
  // D303 and D304 come from fitness receivers, which take no tracks from the host.
  if (!Point_Layout(point_format, l) || point_format == "D303" || point_format == "D304")
    return QByteArray();
  QByteArray p = New_Packet(pid, l.size);
  Fields::Put_Long(p, I(0), Deg_To_Semicircles(track.lat));
  Fields::Put_Long(p, I(4), Deg_To_Semicircles(track.lon));
  Fields::Put_Long(p, I(8), track.Time.isEmpty() ? kNo_Time : Parse_Garmin_Time(track.Time, 0));
  if (l.alt >= 0)
    Fields::Put_Single(p, I(l.alt), std::isfinite(track.alt) ? track.alt : kUnknown_Float);
  if (l.dpth >= 0) Fields::Put_Single(p, I(l.dpth), track.Dpth);
  if (l.temp >= 0) Fields::Put_Single(p, I(l.temp), kUnknown_Float);
  Fields::Put_Byte(p, I(l.new_trk), track.New_Segment ? 0xFF : 0x00);
  return p;
}

void Decode_Track_Data(const QByteArray& packet, const QString& point_format, cTrack& track) {
  track.lat = Semicircles_To_Deg(Fields::Read_Long_At(packet, I(0)));
  track.lon = Semicircles_To_Deg(Fields::Read_Long_At(packet, I(4)));
  const qint32 time = Fields::Read_Long_At(packet, I(8));
  track.Time = time == kNo_Time || time == 0 ? QString() : Format_Garmin_Time(time, 0);
  cPointLayout l;
  if (!Point_Layout(point_format, l)) return;
  track.alt = Known_Alt(l.alt >= 0 ? Fields::Read_Single_At(packet, I(l.alt)) : kUnknown_Float);
  if (l.dpth >= 0) track.Dpth = Fields::Read_Single_At(packet, I(l.dpth));
  quint8 b;
  if (l.new_trk < 0)
    track.New_Segment = false;  // these layouts carry no flag; a new header starts a track
  else if (Read_Byte(packet, l.new_trk, b))
    track.New_Segment = b != 0;
}

}  // namespace Codec
