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
  Said_.Array_Seen = true;
  Said_.Link_Protocol = Link_Name_Of(table[1]);
  Said_.WayPoint_Transfer_Protocol = Name_Of(table[3]);
  Said_.Waypoint_Data_Format = Name_Of(table[4]);
  Said_.Route_Transfer_Protocol = Name_Of(table[5]);
  Said_.Route_Data_Format = Name_Of(table[6]);
  Said_.Route_Wpt_Data_Format = Name_Of(table[7]);
  Said_.Track_Transfer_Protocol = Name_Of(table[8]);
  Said_.Track_Data_Format = Name_Of(table[9]);
  Said_.Prox_Wpt_Transfer_Protocol = Name_Of(table[10]);
  Said_.Prox_Wpt_Data_Format = Name_Of(table[11]);
  // A300 sends points only; A301/A302 announce the header type, then the point type.
  if (Said_.Track_Transfer_Protocol == QLatin1String("A300")) {
    Said_.Track_Header_Format.clear();
    Said_.Track_Point_Format = Pick_Type(track_types, 300, 309, 0);
  } else if (Said_.Track_Transfer_Protocol == QLatin1String("A301") ||
             Said_.Track_Transfer_Protocol == QLatin1String("A302")) {
    Said_.Track_Header_Format = Pick_Type(track_types, 310, 319, 0);
    Said_.Track_Point_Format = Pick_Type(track_types, 300, 309, 1);
  } else {
    Said_.Track_Header_Format.clear();
    Said_.Track_Point_Format = Said_.Track_Data_Format;
  }
  if (Said_.Link_Protocol == QLatin1String("L002")) {
    Said_.Ids = Ids_L002;
    Said_.L002_From_Table = false;
  } else if (Said_.L002_From_Table) {
    // The array wins over the product table's guess.
    Said_.Ids = Ids_L001;
    Said_.L002_From_Table = false;
  }
  emit Receiver_Said(Said_);
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
  Said_.Product = Product_Data;
  Said_.Product_Known = true;
  if (!Said_.Array_Seen) {
    if (const cProductRow* row =
            Find_Product_Row(Product_Data.Product_ID, Product_Data.Software_Version))
      Apply_Product_Row(*row);
  }
  emit Receiver_Said(Said_);
}

// A receiver without a capability array gets the names of its row in the maker's table.
void cGarmin::Apply_Product_Row(const cProductRow& row) {
  Said_.Link_Protocol = row.Link == 2 ? QStringLiteral("L002") : QStringLiteral("L001");
  Said_.WayPoint_Transfer_Protocol = QStringLiteral("A100");
  Said_.Waypoint_Data_Format = D_Name(row.Wpt_Data);
  Said_.Route_Transfer_Protocol = QStringLiteral("A200");
  Said_.Route_Data_Format = D_Name(row.Rte_Hdr);
  Said_.Route_Wpt_Data_Format = D_Name(row.Rte_Wpt);
  Said_.Track_Transfer_Protocol = row.Trk_Data ? QStringLiteral("A300") : Missing();
  Said_.Track_Data_Format = row.Trk_Data ? D_Name(row.Trk_Data) : Missing();
  Said_.Track_Header_Format.clear();
  Said_.Track_Point_Format = Said_.Track_Data_Format;
  Said_.Prox_Wpt_Transfer_Protocol = row.Prx_Data ? QStringLiteral("A400") : Missing();
  Said_.Prox_Wpt_Data_Format = row.Prx_Data ? D_Name(row.Prx_Data) : Missing();
  if (row.Link == 2) {
    Said_.Ids = Ids_L002;
    Said_.L002_From_Table = true;
  } else if (Said_.L002_From_Table) {
    Said_.Ids = Ids_L001;
    Said_.L002_From_Table = false;
  }
}
