#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

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
// Each one's exports are the goldens beside it.
TEST(TwlFiles, CommittedFilesMatchTheGeneratorAndExportToTheGoldens) {
  QTemporaryDir dir;
  ASSERT_TRUE(GenFiles::Write_Test_Files(dir.path()));
  ASSERT_TRUE(GenFiles::Write_Sample(dir.path()));
  EXPECT_EQ(Read(dir.filePath("sample.twl")),
            Read(QStringLiteral(VQ_SOURCE_DIR "/samples/sample.twl")));
  for (const QString& name : GenFiles::Test_File_Names()) {
    EXPECT_EQ(Read(dir.filePath(name)), Read(Data(name))) << name.toStdString();
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

// What the exports do not show (the records themselves are the goldens' matter above).
TEST(TwlFiles, TrailerLengthsCutRecordsAndDuplicates) {
  for (const char* name : {"trailer10.twl", "trailer0.twl"})
    EXPECT_FALSE(Parse_TWL(Read(Data(name))).cut) << name;
  cVQPoints points;
  EXPECT_TRUE(Load_TWL_File(Data("cut.twl"), points).cut);
  const cLoadResult r = Load_TWL_File(Data("duplicates.twl"), points);
  EXPECT_EQ(r.duplicates, 2);
  EXPECT_EQ(r.first_duplicate, "jlm2");
  // A label and comment of 255 bytes, the longest a length byte allows.
  const QString longText(255, QChar(0x05D0));
  const cTwlContent lng =
      Parse_TWL(TwlGen::Make_TWL({{longText, 170000, 1100000, 0, longText}}, 0));
  ASSERT_EQ(lng.records.size(), 1);
  EXPECT_EQ(lng.records[0].Comment, longText);
}

// What no waypoint file can hold is refused; what a real one may hold still loads.
TEST(TwlFiles, BytesThatAreNoWaypointFile) {
  using TwlGen::Make_TWL;
  const struct {
    QByteArray bytes;
    bool refused;
    int records;
  } cases[] = {
      {QByteArray(20, '\0'), true, 0},
      {QByteArray(21, '\0'), false, 0},
      {QByteArray(21, '\0') + QByteArray(10, '\0'), true, 0},
      {Make_TWL({{"far", -5000000, 19999999, 0, "Antarctica"}}), false, 1},
      {Make_TWL({{"x", 20000001, 0, 0, ""}}), true, 0},
      {Make_TWL({{"ok", 1, 2, 3, ""}, {"a\x1f", 1, 2, 3, ""}}), true, 0},
      {Make_TWL({{"ok", 1, 2, 3, "line\tbreak"}}) + "xy", false, 1},
  };
  for (const auto& c : cases) {
    const cTwlContent content = Parse_TWL(c.bytes);
    EXPECT_EQ(content.not_waypoint_file, c.refused) << c.bytes.toHex().toStdString();
    EXPECT_EQ(content.records.size(), c.records) << c.bytes.toHex().toStdString();
  }
}

TEST(Exports, LinesFieldsAndWholeFiles) {
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

  QTemporaryDir dir;
  EXPECT_EQ(Save_As(dir.filePath("t.TXT"), points).status, cSaveResult::Written);
  EXPECT_EQ(Read(dir.filePath("t.TXT")), txt);
  EXPECT_EQ(Save_As(dir.filePath("t.doc"), points).status, cSaveResult::Not_Suitable);
  EXPECT_FALSE(QFile::exists(dir.filePath("t.doc")));
  // Replacing a file leaves no temporary file behind.
  EXPECT_EQ(Save_As(dir.filePath("t.TXT"), points).status, cSaveResult::Written);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
  // A drive that fills up part-way: vqtool may write 256 bytes (SIGXFSZ ignored, so a write fails
  // with EFBIG as on a full drive). The old file stays, no part file is left, the error says why.
  QDir().mkpath(dir.filePath("drive/Garmin/GPX"));
  QFile::copy(QStringLiteral(VQ_SOURCE_DIR "/samples/sample.twl"), dir.filePath("s.twl"));
  for (const char* args :
       {"convert s.twl t.TXT", "upload-route --number 1 --storage drive s.twl"}) {
    QProcess tool;
    tool.setWorkingDirectory(dir.path());
    tool.setChildProcessModifier([] {
      const rlimit limit{256, 256};
      setrlimit(RLIMIT_FSIZE, &limit);
      signal(SIGXFSZ, SIG_IGN);
    });
    tool.start(QStringLiteral(VQ_TOOL_PATH), QString(args).split(' '));
    EXPECT_TRUE(tool.waitForFinished(30000) && tool.exitCode() == 1) << args;
    EXPECT_TRUE(tool.readAllStandardError().contains("File too large"));
  }
  EXPECT_EQ(Read(dir.filePath("t.TXT")), txt);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
  EXPECT_TRUE(QDir(dir.filePath("drive/Garmin/GPX")).isEmpty());
}

TEST(Cp1255, HebrewBothWaysAndUnmappableCharacters) {
  const QByteArray bytes("\xF9\xEC\xE5\xED \x80", 6);  // "שלום €"
  EXPECT_EQ(Cp1255::To_Text(bytes), QStringLiteral("שלום €"));
  // Characters outside the code page: the exports' test in test_gpx.cpp.
  for (int b = 0; b < 256; ++b) {
    const QString text = Cp1255::To_Text(QByteArray(1, char(b)));
    ASSERT_EQ(text.size(), 1);
    EXPECT_TRUE(text[0] == QChar(0xFFFD) || Cp1255::From_Text(text) == QByteArray(1, char(b))) << b;
  }
}
}  // namespace
