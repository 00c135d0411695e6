// Product data, the protocol capability array, and the names and ids they select.
#include <QVector>

#include "garmin/Fields.h"
#include "garmin/cGarmin.h"

namespace {
constexpr int kEntries = 23;
// Home entry of an application protocol by its hundreds digit (A0xx .. A9xx).
constexpr int kHome[10] = {2, 3, 5, 8, 10, 12, 14, 16, 18, 20};

struct cEntry {
  char Tag = 0;
  qint16 Number = 0;
};

// "A100"; an entry the receiver left empty gives NUL and "0", which names no protocol.
QString Name_Of(const cEntry& e) { return QString(QChar(e.Tag)) + QString::number(e.Number); }
QString Link_Name_Of(const cEntry& e) {
  return QString(QChar(e.Tag)) + QStringLiteral("%1").arg(e.Number, 3, 10, QLatin1Char('0'));
}
QString D_Name(qint16 number) { return QStringLiteral("D%1").arg(number); }
// What a missing transfer reads as, the same as an entry the array left empty.
QString Missing() { return Name_Of(cEntry()); }

// The first of the announced types in [low, high], else the one at `position`, else "".
QString Pick_Type(const QVector<qint16>& types, int low, int high, int position) {
  for (qint16 t : types)
    if (t >= low && t <= high) return D_Name(t);
  return position < types.size() ? D_Name(types[position]) : QString();
}
}  // namespace

void cGarmin::Set_Defaults() {
  Link_Protocol_ = QStringLiteral("L001");
  WayPoint_Transfer_Protocol_ = QStringLiteral("A100");
  Waypoint_Data_Format_ = QStringLiteral("D100");
  Route_Transfer_Protocol_ = QStringLiteral("A200");
  Route_Data_Format_ = QStringLiteral("D200");
  Route_Wpt_Data_Format_ = QStringLiteral("D100");
  Track_Transfer_Protocol_ = QStringLiteral("A300");
  Track_Data_Format_ = QStringLiteral("D300");
  Track_Header_Format_.clear();
  Track_Point_Format_ = QStringLiteral("D300");
  Prox_Wpt_Transfer_Protocol_ = QStringLiteral("A400");
  Prox_Wpt_Data_Format_ = QStringLiteral("D400");
}

void cGarmin::Parse_Protocol_Array(const QByteArray& packet) {
  cEntry table[kEntries];
  auto store = [&](int entry, char tag, qint16 number) {
    if (entry >= 0 && entry < kEntries) table[entry] = {tag, number};
  };
  // The track entries are overwritten by the next application's home entry (A301's point type
  // would land in A400's), so the types after an A3xx are also kept in order of arrival.
  QVector<qint16> track_types;
  bool in_track = false;
  int k = 0;
  const int size = quint8(packet[2]);
  const int data_end = qMin(3 + size, int(packet.size()) - 3);
  for (int at = 3; at + 3 <= data_end; at += 3) {
    const char tag = packet[at];
    const qint16 number = Fields::Read_Integer_At(packet, at + 1);
    switch (tag) {
      case 'P':
        k = 0;
        store(0, tag, number);
        in_track = false;
        break;
      case 'L':
        k = 1;
        store(1, tag, number);
        in_track = false;
        break;
      case 'A': {
        const int h = number / 100;
        const int home = (h >= 0 && h <= 9) ? kHome[h] : h;
        store(home, tag, number);
        k = home;
        in_track = h == 3;
        if (in_track) track_types.clear();
        break;
      }
      case 'D':
        store(k + 1, tag, number);
        ++k;
        if (in_track) track_types.append(number);
        break;
      default:
        break;
    }
  }
  Array_Seen_ = true;
  Link_Protocol_ = Link_Name_Of(table[1]);
  WayPoint_Transfer_Protocol_ = Name_Of(table[3]);
  Waypoint_Data_Format_ = Name_Of(table[4]);
  Route_Transfer_Protocol_ = Name_Of(table[5]);
  Route_Data_Format_ = Name_Of(table[6]);
  Route_Wpt_Data_Format_ = Name_Of(table[7]);
  Track_Transfer_Protocol_ = Name_Of(table[8]);
  Track_Data_Format_ = Name_Of(table[9]);
  Prox_Wpt_Transfer_Protocol_ = Name_Of(table[10]);
  Prox_Wpt_Data_Format_ = Name_Of(table[11]);
  // A300 sends points only; A301/A302 announce the header type, then the point type.
  if (Track_Transfer_Protocol_ == QLatin1String("A300")) {
    Track_Header_Format_.clear();
    Track_Point_Format_ = Pick_Type(track_types, 300, 309, 0);
  } else if (Track_Transfer_Protocol_ == QLatin1String("A301") ||
             Track_Transfer_Protocol_ == QLatin1String("A302")) {
    Track_Header_Format_ = Pick_Type(track_types, 310, 319, 0);
    Track_Point_Format_ = Pick_Type(track_types, 300, 309, 1);
  } else {
    Track_Header_Format_.clear();
    Track_Point_Format_ = Track_Data_Format_;
  }
  if (Link_Protocol_ == QLatin1String("L002")) {
    Ids_ = Ids_L002;
    L002_From_Table_ = false;
  } else if (L002_From_Table_) {
    // The array wins over the product table's guess.
    Ids_ = Ids_L001;
    L002_From_Table_ = false;
  }
}

void cGarmin::Receive_Product_Data(const QByteArray& packet) {
  Product_Data.Product_ID = Fields::Read_Integer_At(packet, 3);
  Product_Data.Software_Version = Fields::Read_Integer_At(packet, 5);
  const int size = quint8(packet[2]);
  const int text_len = qMax(0, qMin(size - 4, int(packet.size()) - 3 - 7));
  const QString text = Fields::Read_String_Field(packet, 7, text_len, true) + QChar(0);
  const int first = text.indexOf(QChar(0));
  const int second = text.indexOf(QChar(0), first + 1);
  Product_Data.Product_Description_1 = text.left(first);
  Product_Data.Product_Description_2 =
      second < 0 ? QString() : text.mid(first + 1, second - first - 1);
  if (Array_Seen_) return;
  if (const cProductRow* row =
          Find_Product_Row(Product_Data.Product_ID, Product_Data.Software_Version))
    Apply_Product_Row(*row);
}

// A receiver without a capability array gets the names of its row in the maker's table.
void cGarmin::Apply_Product_Row(const cProductRow& row) {
  Link_Protocol_ = row.Link == 2 ? QStringLiteral("L002") : QStringLiteral("L001");
  WayPoint_Transfer_Protocol_ = QStringLiteral("A100");
  Waypoint_Data_Format_ = D_Name(row.Wpt_Data);
  Route_Transfer_Protocol_ = QStringLiteral("A200");
  Route_Data_Format_ = D_Name(row.Rte_Hdr);
  Route_Wpt_Data_Format_ = D_Name(row.Rte_Wpt);
  Track_Transfer_Protocol_ = row.Trk_Data ? QStringLiteral("A300") : Missing();
  Track_Data_Format_ = row.Trk_Data ? D_Name(row.Trk_Data) : Missing();
  Track_Header_Format_.clear();
  Track_Point_Format_ = Track_Data_Format_;
  Prox_Wpt_Transfer_Protocol_ = row.Prx_Data ? QStringLiteral("A400") : Missing();
  Prox_Wpt_Data_Format_ = row.Prx_Data ? D_Name(row.Prx_Data) : Missing();
  if (row.Link == 2) {
    Ids_ = Ids_L002;
    L002_From_Table_ = true;
  } else if (L002_From_Table_) {
    Ids_ = Ids_L001;
    L002_From_Table_ = false;
  }
}
