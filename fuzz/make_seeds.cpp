// Writes the seed corpora of the fuzz targets from the test data: the sample list's points
// encoded in every format, the product answers and capability arrays of the receivers the
// tests play, and a track download as the receive script sees it.
//   make_seeds CORPUS_DIR
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "FuzzSupport.h"
#include "garmin/Codecs.h"
#include "geo/Xlate.h"
#include "tests/gen/GenFiles.h"
#include "tests/gen/TwlGen.h"

namespace {
QString g_dir;
int g_count = 0;
bool g_ok = true;

void Write(const QString& target, const QByteArray& bytes) {
  QDir().mkpath(g_dir + "/" + target);
  QFile f(QString("%1/%2/seed%3").arg(g_dir, target).arg(++g_count, 3, 10, QChar('0')));
  g_ok = f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && g_ok;
}

QByteArray Array_Of(const QStringList& names) {
  QByteArray data;
  for (const QString& n : names) {
    const int number = n.mid(1).toInt();
    data.append(n[0].toLatin1()).append(char(number & 0xFF)).append(char(number >> 8));
  }
  return data;
}

// Product data: id, software version, description and its NUL.
QByteArray Product(quint16 id, const QByteArray& description) {
  QByteArray data;
  data.append(char(id & 0xFF)).append(char(id >> 8)).append(char(105)).append(char(1));
  return data.append(description).append('\0');
}

// A framed packet step of the receive script: control byte, id, data size, data.
QByteArray Framed_Step(quint8 id, const QByteArray& data) {
  return QByteArray(1, char(0xE0)).append(char(id)).append(char(data.size())).append(data);
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds CORPUS_DIR\n");
    return 2;
  }
  g_dir = QString::fromLocal8Bit(argv[1]);

  // The .twl test files (mixed texts, short trailers, a cut record, repeated labels) and the
  // sample list.
  const QVector<cTwlRecord> records = GenFiles::Sample_Records();
  QDir().mkpath(g_dir + "/twl");
  g_ok = GenFiles::Write_Test_Files(g_dir + "/twl");
  Write("twl", TwlGen::Make_TWL(records));

  // Codec seeds: the selector byte of fuzz_codecs, then the packet.
  const QStringList wpt_formats = {"D100", "D101", "D102", "D103", "D104", "D105", "D106", "D107",
                                   "D108", "D109", "D110", "D150", "D151", "D152", "D154", "D155"};
  cWaypoint wpt;
  const cTwlRecord& r = records[0];
  Xlate::ITM_To_LatLon(r.E, r.N, wpt.lat, wpt.lon);
  wpt.Ident = r.Label;
  wpt.Cmnt = r.Comment;
  wpt.alt = float(r.Alt);
  for (int i = 0; i < wpt_formats.size(); ++i) {
    cWaypoint w = wpt;
    Write("codecs", QByteArray(1, char(i)) + Codec::Encode_Waypoint(w, wpt_formats[i], 35));
  }
  cRoute route;
  route.Number = 1;
  route.Ident = QStringLiteral("SAMPLE");
  route.Cmnt = QStringLiteral("SAMPLE ROUTE");
  const QStringList rte_formats = {"D200", "D201", "D202"};
  for (int i = 0; i < rte_formats.size(); ++i)
    Write("codecs",
          QByteArray(1, char(17 + i)) + Codec::Encode_Route_Header(route, rte_formats[i], 29));
  cTrack track;
  track.lat = wpt.lat;
  track.lon = wpt.lon;
  track.alt = 780;
  track.Time = QStringLiteral("2026/12/07-08:30:00");
  track.Ident = QStringLiteral("ACTIVE LOG");
  track.New_Segment = true;
  Write("codecs", QByteArray(1, char(20)) + Codec::Encode_Track_Header(track, "D310", 99));
  const QStringList pt_formats = {"D300", "D301", "D302"};
  for (int i = 0; i < pt_formats.size(); ++i)
    Write("codecs", QByteArray(1, char(23 + i)) + Codec::Encode_Track(track, pt_formats[i], 34));
  Write("codecs", QByteArray::fromHex("ff1c9aa3b4022031393930"));

  // Who the receiver is: product data size, product data, array size, array, then records.
  const QList<QPair<QByteArray, QStringList>> receivers = {
      {Product(77, "eTrex Sim Software Version 3.61"),
       {"P000", "L001", "A010", "A100", "D108", "A201", "D202", "D108", "D210", "A301", "D310",
        "D301"}},
      {Product(77, "eTrex Sim"),
       {"P000", "L001", "A100", "D100", "A200", "D200", "D100", "A300", "D300"}},
      {Product(13, "GPS 12XL"), {}},
      {Product(104, "GPS 60"),
       {"P000", "L002", "A100", "D110", "A201", "D202", "D110", "D210", "A302", "D312", "D302"}}};
  for (const auto& [product, names] : receivers) {
    const QByteArray array = Array_Of(names);
    QByteArray seed;
    seed.append(char(product.size())).append(product).append(char(array.size())).append(array);
    Write("protocol", seed);
  }

  // A track download as the receive script feeds it: product answer, array, Records, a header,
  // points, transfer complete, with a timer tick and a sentence between.
  QByteArray stream = Framed_Step(255, receivers[0].first);
  stream += Framed_Step(253, Array_Of(receivers[0].second));
  stream += Framed_Step(27, QByteArray::fromHex("0300"));
  stream += Framed_Step(99, Codec::Encode_Track_Header(track, "D310", 99).mid(3).chopped(3));
  for (int i = 0; i < 3; ++i)
    stream += Framed_Step(34, Codec::Encode_Track(track, "D301", 34).mid(3).chopped(3));
  stream += Framed_Step(12, QByteArray::fromHex("0600"));
  stream += QByteArray(1, char(0xF0));
  const QByteArray sentence("$GPRMC,083000,A,3146.200,N,03513.200,E,0.0,0.0,071226,,*1C\r\n");
  stream += QByteArray(1, char(sentence.size() - 1)) + sentence;
  Write("receive", stream);

  // Transfer seeds: the first byte picks the transfer (odd: upload of byte/2 % 8 points), the
  // answer to the handshake's question, then the script: 0xB0 an ACK of what the host sent,
  // 0x84..0x87 a Records, track header, track point or transfer complete with its size and data.
  const QByteArray array = Array_Of(receivers[0].second);
  const QByteArray answer = QByteArray(1, char(receivers[0].first.size())) + receivers[0].first +
                            QByteArray(1, char(array.size())) + array;
  QByteArray download = QByteArray(1, '\0') + answer + QByteArray(1, char(0xB0));
  download += QByteArray::fromHex("84020300");
  const QByteArray header = Codec::Encode_Track_Header(track, "D310", 99).mid(3).chopped(3);
  download += QByteArray(1, char(0x85)) + QByteArray(1, char(header.size())) + header;
  const QByteArray point = Codec::Encode_Track(track, "D301", 34).mid(3).chopped(3);
  for (int i = 0; i < 2; ++i)
    download += QByteArray(1, char(0x86)) + QByteArray(1, char(point.size())) + point;
  download += QByteArray::fromHex("87020600");
  Write("transfer", download);
  Write("transfer", QByteArray(1, char(0x07)) + answer + QByteArray(12, char(0xB0)));

  if (!g_ok) std::fprintf(stderr, "make_seeds: could not write under %s\n", argv[1]);
  return g_ok ? 0 : 1;
}
