#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files/Exports.h"
#include "files/TwlFile.h"
#include "points/cVQPoints.h"
#include "tests/gen/GenFiles.h"
#include "tests/gen/TwlGen.h"
#include "text/Cp1255.h"

namespace {
QString Data(const QString& name) { return QStringLiteral(VQ_TEST_DATA "/") + name; }

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The committed .twl files are what the generator makes today, so the goldens beside them
// stay reproducible (scripts/regen-golden.sh makes both again).
TEST(TwlFiles, CommittedFilesMatchTheGenerator) {
  QTemporaryDir dir;
  ASSERT_TRUE(GenFiles::Write_Test_Files(dir.path()));
  ASSERT_TRUE(GenFiles::Write_Sample(dir.path()));
  for (const QString& name : GenFiles::Test_File_Names())
    EXPECT_EQ(Read(dir.filePath(name)), Read(Data(name))) << name.toStdString();
  EXPECT_EQ(Read(dir.filePath("sample.twl")),
            Read(QStringLiteral(VQ_SOURCE_DIR "/samples/sample.twl")));
}

TEST(TwlFiles, ExportsMatchGoldenFiles) {
  QStringList names = GenFiles::Test_File_Names();
  for (const QString& name : names) {
    cVQPoints points;
    const cLoadResult r = Load_TWL_File(Data(name), points);
    ASSERT_EQ(r.status, cLoadResult::Loaded) << name.toStdString();
    const QString base = Data(name.left(name.size() - 4));
    EXPECT_EQ(TXT_Bytes(points), Read(base + ".txt")) << name.toStdString();
    EXPECT_EQ(CSV_Bytes(points), Read(base + ".csv")) << name.toStdString();
  }
}

// With the datum option the file's grid values are EPSG:28193, taken to WGS 84 (cs2cs EPSG:28193
// EPSG:4326 gives 31.7770353905 35.2282848287 for the first). The grid display keeps the file's
// values while the option goes on and off, and off again the exports are byte for byte.
TEST(TwlFiles, DatumOptionReadsTheGridOnItsOwnDatum) {
  cVQPoints points;
  ASSERT_TRUE(points.Set_Datum(true));
  ASSERT_EQ(Load_TWL_File(Data("mixed.twl"), points).loaded, 4);
  for (bool on : {true, false, true, false, true}) {
    ASSERT_TRUE(points.Set_Datum(on));
    const QVector<cVQRow> rows = points.Rows(1);
    EXPECT_EQ(rows[0][1] + rows[0][2] + rows[3][1] + rows[3][2], "1717141131593145038885624");
    EXPECT_TRUE(on || CSV_Bytes(points) == Read(Data("mixed.csv")));
  }
  EXPECT_NEAR(points.Item(1).lat + points.Item(1).lon, 31.7770353905 + 35.2282848287, 1e-8);
}

TEST(TwlFiles, TrailerLengthsCutRecordsAndDuplicates) {
  const cTwlContent whole = Parse_TWL(Read(Data("mixed.twl")));
  ASSERT_EQ(whole.records.size(), 4);
  EXPECT_FALSE(whole.cut);
  EXPECT_EQ(whole.records[0].Label, "שער יפו");
  EXPECT_EQ(whole.records[2].Label, "");
  EXPECT_EQ(whole.records[1].Comment, "");
  EXPECT_EQ(whole.records[3].Alt, 12);
  for (const char* name : {"trailer10.twl", "trailer0.twl"}) {
    const cTwlContent c = Parse_TWL(Read(Data(name)));
    ASSERT_EQ(c.records.size(), 4) << name;
    EXPECT_FALSE(c.cut);
    EXPECT_EQ(c.records[3].E, whole.records[3].E);
    EXPECT_EQ(c.records[3].Comment, "Red Sea");
  }
  EXPECT_TRUE(Parse_TWL(Read(Data("header_only.twl"))).records.isEmpty());
  EXPECT_TRUE(Parse_TWL(QByteArray(5, 'x')).records.isEmpty());

  cVQPoints points;
  cLoadResult r = Load_TWL_File(Data("cut.twl"), points);
  EXPECT_TRUE(r.cut);
  EXPECT_EQ(r.loaded, 4);
  r = Load_TWL_File(Data("duplicates.twl"), points);
  EXPECT_EQ(r.loaded, 4);
  EXPECT_EQ(r.duplicates, 2);
  EXPECT_EQ(r.first_duplicate, "jlm2");
  EXPECT_EQ(points.Find("jlm2")->Comment, "");  // the first one stays
  // A label and comment of 255 bytes, the longest a length byte allows.
  const QString longText(255, QChar(0x05D0));
  const cTwlContent lng =
      Parse_TWL(TwlGen::Make_TWL({{longText, 170000, 1100000, 0, longText}}, 0));
  ASSERT_EQ(lng.records.size(), 1);
  EXPECT_EQ(lng.records[0].Comment, longText);
}

TEST(TwlFiles, UnreadableFileKeepsTheList) {
  cVQPoints points;
  ASSERT_EQ(Load_TWL_File(Data("mixed.twl"), points).status, cLoadResult::Loaded);
  QTemporaryDir dir;
  for (const QString& bad : {dir.filePath("missing.twl"), dir.path()}) {
    const cLoadResult r = Load_TWL_File(bad, points);
    EXPECT_EQ(r.status, cLoadResult::Cannot_Read);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(points.Count(), 4);
  }
  if (geteuid() != 0) {  // root reads every file
    const QString locked = dir.filePath("locked.twl");
    QFile::copy(Data("mixed.twl"), locked);
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    EXPECT_EQ(Load_TWL_File(locked, points).status, cLoadResult::Cannot_Read);
    EXPECT_EQ(points.Count(), 4);
  }
}

TEST(TwlFiles, NamesAndExtensions) {
  EXPECT_TRUE(Is_TWL_Name("C:/trips/TRIP.TwL"));
  EXPECT_TRUE(Is_TWL_Name("a.twl"));
  EXPECT_FALSE(Is_TWL_Name("trip.twl.bak"));
  EXPECT_FALSE(Is_TWL_Name("trip"));
  EXPECT_EQ(Path_To_Name("/home/dan/trip.twl"), "trip.twl");
  EXPECT_EQ(Path_To_Name("trip.twl"), "trip.twl");
  EXPECT_EQ(Export_Kind("TRIP.CSV"), cExportKind::Csv);
  EXPECT_EQ(Export_Kind("trip.Txt"), cExportKind::Txt);
  EXPECT_EQ(Export_Kind("trip"), cExportKind::None);
}

TEST(Exports, LinesAndFields) {
  cVQPoints points;
  EXPECT_EQ(TXT_Bytes(points), "");
  EXPECT_EQ(CSV_Bytes(points), "LABEL,LAT,LON,ALTITUDE,DISTANCE,TOTALDISTANCE,COMMENT\r\n");
  points.Add("A", 31.5, 35.25, 0, "ABC");
  points.Add("B,1", 32, 35.25, 10.5, "");
  points.Add("ג", 33, 35.25, -3, "x, y");
  const QByteArray txt = TXT_Bytes(points);
  EXPECT_TRUE(txt.startsWith("313000 351500 ABC\r\n320000 351500 \r\n")) << txt.constData();
  const QList<QByteArray> lines = CSV_Bytes(points).split('\n');
  ASSERT_EQ(lines.size(), 5);  // four lines and the empty rest after the last CR LF
  EXPECT_EQ(lines[1], "A,31.5,35.25,0,0,0,ABC\r");
  const double leg = points.Item(2).GetDistance(31.5, 35.25);
  EXPECT_TRUE(lines[2].startsWith("B,1,32,35.25,10.5,55.55")) << lines[2].constData();
  EXPECT_EQ(lines[3].split(',').size(), 8);  // the comma in the comment is not quoted
  EXPECT_NEAR(lines[3].split(',')[5].toDouble(), leg + 111.12, 0.01);
  EXPECT_EQ(lines[3].split(',')[0], QByteArray("\xE2"));  // gimel in Windows-1255
}

TEST(Exports, SaveAsWritesWholeFilesOnly) {
  cVQPoints points;
  points.Add("A", 31.5, 35.25, 0, "ABC");
  QTemporaryDir dir;
  EXPECT_EQ(Save_As(dir.filePath("t.TXT"), points).status, cSaveResult::Written);
  EXPECT_EQ(Read(dir.filePath("t.TXT")), "313000 351500 ABC\r\n");
  EXPECT_EQ(Save_As(dir.filePath("t.doc"), points).status, cSaveResult::Not_Suitable);
  EXPECT_FALSE(QFile::exists(dir.filePath("t.doc")));
  const cSaveResult failed = Save_As(dir.filePath("no/such/folder/t.csv"), points);
  EXPECT_EQ(failed.status, cSaveResult::Write_Failed);
  EXPECT_FALSE(failed.error.isEmpty());
  // Replacing a file leaves no temporary file behind.
  EXPECT_EQ(Save_As(dir.filePath("t.TXT"), points).status, cSaveResult::Written);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}
}  // namespace

namespace {
TEST(Cp1255, HebrewBothWaysAndUnmappableCharacters) {
  const QByteArray bytes("\xF9\xEC\xE5\xED \x80", 6);  // "שלום €"
  EXPECT_EQ(Cp1255::To_Text(bytes), QStringLiteral("שלום €"));
  EXPECT_EQ(Cp1255::From_Text(QStringLiteral("שלום €")), bytes);
  // A character outside the code page, also beyond the basic plane, becomes one "?".
  EXPECT_EQ(Cp1255::From_Text(QStringLiteral("a\u4E2Db\U0001F600c")), "a?b?c");
  for (int b = 0; b < 256; ++b) {
    const QByteArray one(1, char(b));
    const QString text = Cp1255::To_Text(one);
    ASSERT_EQ(text.size(), 1);
    if (text.at(0) != QChar(0xFFFD)) {
      EXPECT_EQ(Cp1255::From_Text(text), one) << b;
    }
  }
}
}  // namespace
