#include "tests/gen/GenFiles.h"

#include <QDir>
#include <cmath>

#include "geo/Xlate.h"
#include "tests/gen/TwlGen.h"

namespace GenFiles {
namespace {
cTwlRecord Place(const QString& label, double lat, double lon, int alt, const QString& comment) {
  double E = 0, N = 0;
  Xlate::LatLon_To_ITM(lat, lon, E, N);
  return {label, qint32(E), qint32(N), alt, comment};
}

// Hebrew and Latin labels, an empty label, an empty comment, a comment with a comma.
QVector<cTwlRecord> Mixed_Records() {
  return {Place("שער יפו", 31.7767, 35.2275, 770, "ירושלים, העיר העתיקה"),
          Place("JLM2", 31.7810, 35.2290, 765, ""), Place("", 32.0800, 34.7800, 5, "תל אביב"),
          Place("Eilat", 29.5577, 34.9519, 12, "Red Sea")};
}

bool Write(const QString& dir, const QString& name, const QByteArray& bytes) {
  return TwlGen::Write_File(QDir(dir).filePath(name), bytes);
}
}  // namespace

QVector<cTwlRecord> Sample_Records() {
  return {Place("שער יפו", 31.7767, 35.2275, 770, "כניסה לעיר העתיקה"),
          Place("מצדה", 31.3156, 35.3536, 50, "שביל הנחש"),
          Place("עין גדי", 31.4617, 35.3883, -300, "מפל דוד"),
          Place("עין עבדת", 30.8194, 34.7614, 430, "בריכות ומעיין"),
          Place("מצפה רמון", 30.6100, 34.8017, 870, "שפת המכתש"),
          Place("הר שלמה", 29.5200, 34.9300, 700, "תצפית על אילת"),
          Place("קיסריה", 32.5006, 34.8914, 5, "אמת המים"),
          Place("הר תבור", 32.6869, 35.3903, 575, "פסגה"),
          Place("נחל עמוד", 32.8833, 35.5000, 0, "טחנות קמח"),
          Place("הר מירון", 32.9983, 35.4117, 1204, "שביל הפסגה"),
          Place("ראש הנקרה", 33.0931, 35.1047, 30, "נקרות"),
          Place("חרמון", 33.3100, 35.7700, 2040, "מצפה השלום")};
}

bool Write_Sample(const QString& samples_dir) {
  return Write(samples_dir, "sample.twl", TwlGen::Make_TWL(Sample_Records()));
}

QStringList Test_File_Names() {
  return {"mixed.twl",       "trailer10.twl", "trailer0.twl",
          "header_only.twl", "cut.twl",       "duplicates.twl"};
}

bool Write_Test_Files(const QString& data_dir) {
  const QVector<cTwlRecord> mixed = Mixed_Records();
  bool ok = Write(data_dir, "mixed.twl", TwlGen::Make_TWL(mixed, 50));
  ok = Write(data_dir, "trailer10.twl", TwlGen::Make_TWL(mixed, 10)) && ok;
  ok = Write(data_dir, "trailer0.twl", TwlGen::Make_TWL(mixed, 0)) && ok;
  ok = Write(data_dir, "header_only.twl", TwlGen::Make_TWL({})) && ok;
  // A whole file and then a record cut inside its position block.
  QByteArray cut = TwlGen::Make_TWL(mixed, 50);
  const QByteArray extra = TwlGen::Make_TWL({Place("Cut", 31, 35, 0, "lost")}, 0);
  cut += extra.mid(21, 1 + 3 + 10);
  ok = Write(data_dir, "cut.twl", cut) && ok;
  QVector<cTwlRecord> dup = mixed;
  dup.insert(2, Place("jlm2", 31.0, 35.0, 1, "same name, other case"));
  dup.append(Place("EILAT", 29.6, 34.9, 2, "again"));
  ok = Write(data_dir, "duplicates.twl", TwlGen::Make_TWL(dup, 50)) && ok;
  return ok;
}
}  // namespace GenFiles
