// Route headers (D200, D201, D202) and route links (D210).
#include "garmin/Codecs.h"
#include "garmin/Fields.h"
#include "garmin/codecs/Layout.h"
#include "text/Cp1255.h"

using namespace Layout;

namespace Codec {
namespace {

// The `count` data bytes from `offset` as text, or false when the packet does not hold them.
bool Read_Run(const QByteArray& p, int offset, int count, QString& text) {
  if (count < 0 || offset < 0 || kHead + offset + count > p.size()) return false;
  text = Cp1255::To_Text(p.mid(kHead + offset, count));
  return true;
}

}  // namespace

QByteArray Encode_Route_Header(const cRoute& route, const QString& format, quint8 pid) {
  if (format == "D200" || format == "D201") {
    QByteArray p = New_Packet(pid, format == "D201" ? 21 : 1);
    Fields::Put_Byte(p, kHead, route.Number);
    if (format == "D201") Put_Bytes(p, 1, Fixed_Bytes(route.Cmnt, 20, true));
    return p;
  }
  if (format == "D202") {
    QVector<QByteArray> texts{Variable_Bytes(route.Ident, true)};
    Fit_Texts(texts, kMax_Data);
    QByteArray p = New_Packet(pid, int(texts[0].size()) + 1);
    Put_Texts(p, 0, texts);
    return p;
  }
  return QByteArray();
}

void Decode_Route_Header(const QByteArray& packet, const QString& format, cRoute& route) {
  if (format == "D200" || format == "D201") {
    quint8 b;
    if (Read_Byte(packet, 0, b)) route.Number = b;
    QString text;
    if (format == "D201" && Read_Run(packet, 1, 20, text)) route.Cmnt = Trim_Null(text);
  } else if (format == "D202") {
    QString text;
    if (Read_Run(packet, 0, Data_Size(packet) - 1, text)) route.Ident = Trim_Null(text);
  }
}

QByteArray Encode_Route_Link(const cRoute& route, quint8 pid) {
  QVector<QByteArray> texts{Variable_Bytes(route.Link_Ident, true)};
  Fit_Texts(texts, kMax_Data - 20);
  QByteArray p = New_Packet(pid, 21 + int(texts[0].size()));
  Fields::Put_Integer(p, kHead, route.Link_Class);
  const bool plain = route.Link_Class == 3 || route.Link_Class == 255;
  Put_Bytes(p, 2, plain ? Default_Subclass() : Fixed_Bytes(route.Link_Sub_Class, 18, true));
  Put_Texts(p, 20, texts);
  return p;
}

void Decode_Route_Link(const QByteArray& packet, cRoute& route) {
  route.Link_Class = Fields::Read_Integer_At(packet, kHead);
  if (route.Link_Class == 3 || route.Link_Class == 255)
    route.Link_Sub_Class.clear();
  else
    route.Link_Sub_Class = Read_Fixed(packet, 2, 18);
  const int width = Data_Size(packet) - 20;
  if (width >= 0) route.Link_Ident = Read_Fixed(packet, 20, width);
}

}  // namespace Codec
