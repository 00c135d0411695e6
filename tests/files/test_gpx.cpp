#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

#include "files/Exports.h"
#include "files/GpxWrite.h"
#include "files/PointFile.h"
#include "points/cVQPoints.h"
#include "tests/gen/TwlGen.h"
#include "text/TimeText.h"

namespace {
QString Data(const QString& name) { return QStringLiteral(VQ_TEST_DATA "/") + name; }

QDateTime Utc(const char* text) { return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC(); }

// The schema check runs Debian's xmllint on the written file.
void Expect_Valid_GPX(const QString& path) {
  QProcess xmllint;
  xmllint.start("xmllint", {"--noout", "--schema", Data("gpx.xsd"), path});
  ASSERT_TRUE(xmllint.waitForFinished(30000)) << "xmllint (libxml2-utils) did not run";
  EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAllStandardError().toStdString();
}

void Expect_Same(const cVQPoints& a, const cVQPoints& b) {
  ASSERT_EQ(a.Count(), b.Count());
  EXPECT_EQ(a.From_Track, b.From_Track);
  for (int i = 1; i <= a.Count(); ++i) {
    const cVQPoint &p = a.Item(i), &q = b.Item(i);
    EXPECT_TRUE(p.Label == q.Label && p.Comment == q.Comment &&
                (p.Has_Alt() ? p.alt == q.alt : !q.Has_Alt()) && p.Time == q.Time &&
                p.New_Segment == q.New_Segment && std::abs(p.lat - q.lat) < 1e-9 &&
                std::abs(p.lon - q.lon) < 1e-9)
        << i;
  }
}

// The sample list and a downloaded track go to GPX, validate against the GPX 1.1 schema and
// read back to the same points; the sample list also comes back through VQ's CSV.
TEST(Gpx, SampleListAndTrackGoThroughGpxAndBack) {
  QTemporaryDir dir;
  cVQPoints sample;
  cLoadResult r = Load_Point_File(QStringLiteral(VQ_SOURCE_DIR "/samples/sample.twl"), sample);
  ASSERT_EQ(r.status, cLoadResult::Loaded);
  EXPECT_EQ(sample.Title, "sample");
  cVQPoints track;
  track.From_Track = true;
  track.Title = QStringLiteral("eTrex <HCx> & co");
  const char* times[] = {"2024-03-14T08:05:09Z", "2024-07-01T23:59:59Z", "2024-07-02T00:00:10Z"};
  for (int i = 0; i < 3; ++i) {
    cVQPoint p;
    p.Label = QString::number(i + 1);
    p.lat = 31.7767 + i * 1e-9;
    p.lon = 35.2345;
    p.alt = i == 2 ? cVQPoint::kNo_Alt : double(754.25f + i);
    p.Time = Utc(times[i]);
    p.Comment = Local_Time_Text(p.Time);
    p.New_Segment = i != 1;
    track.Add(p);
  }
  for (const cVQPoints* list : {&sample, &track}) {
    const QString path = dir.filePath(list->From_Track ? "track.GPX" : "sample.gpx");
    ASSERT_EQ(Save_As(path, *list).status, cSaveResult::Written);
    Expect_Valid_GPX(path);
    cVQPoints back;
    r = Load_Point_File(path, back);
    ASSERT_EQ(r.status, cLoadResult::Loaded);
    EXPECT_EQ(r.choices.size(), 1);  // the waypoints VQ writes are its route's points
    Expect_Same(*list, back);
    EXPECT_EQ(Load_Point_File(path, back, {cPick::Waypoints, 0}).status,
              list->From_Track ? cLoadResult::No_Such_Pick : cLoadResult::Loaded);
  }
  const QByteArray gpx = GPX_Bytes(track, 7);
  EXPECT_TRUE(gpx.contains("<time>2024-03-14T08:05:09Z</time>")) << gpx.constData();
  EXPECT_TRUE(gpx.contains("<name>eTrex &lt;HCx&gt; &amp; co</name>"));
  EXPECT_EQ(gpx.count("<trkseg>"), 2);
  EXPECT_EQ(gpx.count("<ele>"), 2);  // the third point's altitude is unknown
  EXPECT_FALSE(gpx.contains("<wpt") || gpx.contains("<rte") || gpx.contains("<cmt"));
  EXPECT_TRUE(GPX_Bytes(sample, 7).contains("<number>7</number>"));
  // What Windows-1255 lacks becomes "?" in the CSV and TXT; GPX keeps it.
  cVQPoints odd;
  odd.Add(QStringLiteral("日本"), 31, 35, 0, QStringLiteral("€ 😀"));
  EXPECT_TRUE(CSV_Bytes(odd).endsWith("\r\n??,31,35,0,0,0,\x80 ?\r\n"));
  EXPECT_TRUE(TXT_Bytes(odd).endsWith(" \x80 ?\r\n"));
  EXPECT_TRUE(GPX_Bytes(odd).contains("<name>日本</name>"));

  const QString csv = dir.filePath("sample.CSV");
  ASSERT_EQ(Save_As(csv, sample).status, cSaveResult::Written);
  cVQPoints back;
  ASSERT_EQ(Load_Point_File(csv, back).status, cLoadResult::Loaded);
  Expect_Same(sample, back);
}

// Files as other programs write them read to the expected list.
TEST(Gpx, OtherProgramsFilesReadToTheExpectedList) {
  const QString hebrew = QStringLiteral("תל אביב");
  const QDateTime t0 = Utc("2024-03-14T08:05:09Z");
  const double no = cVQPoint::kNo_Alt;
  struct cCase {
    const char* file;
    const char* pick;
    int count, choices;
    bool track;
    int point;  // 1-based, the point checked below
    QString label, comment;
    double alt;
  } cases[] = {
      {"gpx/v10.gpx", "", 3, 1, false, 1, "Jaffa Gate", "old city", 754.5},
      {"gpx/v10.gpx", "", 3, 1, false, 2, "2", "Eilat", no},
      {"gpx/v10.gpx", "", 3, 1, false, 3, "3", Local_Time_Text(t0.addMSecs(-7200000 + 250)), 2814},
      {"gpx/garmin.gpx", "", 3, 1, true, 1, "1", Local_Time_Text(t0), 210.3},
      {"gpx/garmin.gpx", "track:1", 3, 1, true, 3, "3",
       Local_Time_Text(Utc("2024-03-14T08:06:00Z")), no},
      {"gpx/parts.gpx", "", 2, 4, false, 2, "N2", "", no},
      {"gpx/parts.gpx", "route:2", 1, 4, false, 1, "S1", "", no},
      {"gpx/parts.gpx", "track:1", 3, 4, true, 3, "3", "", no},
      {"gpx/parts.gpx", "waypoints", 1, 4, false, 1, "W1", "", no},
      {"gpx/names.gpx", "", 3, 1, false, 1, "Ein Gedi & <Dead Sea>", "a & b <c> אב", no},
      {"gpx/names.gpx", "", 3, 1, false, 2, "מצדה", "line one line two", no},
      {"gpx/cp1255.gpx", "", 1, 1, false, 1, hebrew, "חוף", no},
      {"gpx/iso8859-8.gpx", "", 1, 1, false, 1, hebrew, "חוף", no},
      {"gpx/utf16.gpx", "", 1, 1, false, 1, hebrew, "חוף", no},
      {"gpx/bom.gpx", "", 1, 1, false, 1, hebrew, "חוף", no},
      {"gpx/empty_parts.gpx", "", 2, 2, true, 1, "1", "", -12.5},
      {"gpx/empty_parts.gpx", "waypoints", 1, 2, false, 1, "W1", "", no},
      {"gpx/commas.csv", "", 2, 0, false, 1, "A,1", "x,2,3", 10},
      {"gpx/utf8.csv", "", 1, 0, false, 1, hebrew, "חוף", 5},
      {"gpx/utf8_bom.csv", "", 1, 0, false, 1, hebrew, "חוף", 5},
  };
  for (const cCase& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.pick);
    cPick pick;
    ASSERT_TRUE(!*c.pick || Parse_Pick(c.pick, pick));
    cVQPoints points;
    const cLoadResult r = Load_Point_File(Data(c.file), points, pick);
    ASSERT_EQ(r.status, cLoadResult::Loaded) << r.error.toStdString();
    EXPECT_EQ(points.Count(), c.count);
    EXPECT_EQ(r.choices.size(), c.choices);
    EXPECT_EQ(points.From_Track, c.track);
    const cVQPoint& p = points.Item(c.point);
    EXPECT_EQ(p.Label, c.label);
    EXPECT_EQ(p.Comment, c.comment);
    EXPECT_EQ(QString::number(p.alt), QString::number(c.alt));  // "nan" when unknown
  }
  cVQPoints points;
  cLoadResult r = Load_Point_File(Data("gpx/names.gpx"), points);
  EXPECT_EQ(r.duplicates, 1);  // MASADA and masada: the first is kept
  EXPECT_EQ(r.first_duplicate, "masada");
  r = Load_Point_File(Data("gpx/garmin.gpx"), points);
  EXPECT_TRUE(points.Item(1).New_Segment && !points.Item(2).New_Segment &&
              points.Item(3).New_Segment);
  EXPECT_EQ(points.Item(2).Time, Utc("2024-03-14T08:05:19.500Z"));
  EXPECT_EQ(points.Title, "garmin");
  EXPECT_EQ(points.Rows(0)[2][3], "");  // an unknown altitude is shown empty, written as 0
  EXPECT_TRUE(CSV_Bytes(points).split('\n')[3].startsWith("3,32.91,35.5,0,"));
  // The window's question: the user's choice is taken, and no choice keeps the list.
  r = Load_Point_File(Data("gpx/parts.gpx"), points, {}, [](const QVector<cChoice>& choices) {
    EXPECT_EQ(choices[1].name, "South");
    EXPECT_EQ(choices[2].count, 3);
    return 1;
  });
  EXPECT_EQ(points.Item(1).Label, "S1");
  r = Load_Point_File(Data("gpx/parts.gpx"), points, {},
                      [](const QVector<cChoice>&) { return -1; });
  EXPECT_EQ(r.status, cLoadResult::Cancelled);
  EXPECT_EQ(points.Item(1).Label, "S1");
}

// Every bad input gets its reason and line, and the list stays as it was.
TEST(Gpx, BadInputKeepsTheList) {
  QTemporaryDir dir;
  struct cCase {
    QString file;
    const char* pick;
    cLoadResult::Status status;
    qint64 line;
    const char* reason;
  } cases[] = {
      {Data("gpx/bad_xml.gpx"), "", cLoadResult::Bad_Content, 3, "mismatch"},
      {Data("gpx/not_gpx.gpx"), "", cLoadResult::Bad_Content, 2, "not a GPX file"},
      {Data("gpx/no_lat.gpx"), "", cLoadResult::Bad_Content, 4, "without a valid lat"},
      {Data("gpx/range.gpx"), "", cLoadResult::Bad_Content, 3, "out of range"},
      {dir.path() + "/far.twl", "", cLoadResult::Bad_Content, 0,
       "point 2 \"far\": the grid value 170000 -5000000 is far outside the country"},
      {Data("gpx/entity.gpx"), "", cLoadResult::Bad_Content, 2, "DTD"},
      {Data("gpx/bad_header.csv"), "", cLoadResult::Bad_Content, 1, "not a VQ CSV"},
      {Data("gpx/bad_line.csv"), "", cLoadResult::Bad_Content, 3, "five numbers"},
      {Data("gpx/parts.gpx"), "route:3", cLoadResult::No_Such_Pick, 0,
       "no route:3 in the file; the file holds route:1 \"North\" (2 point(s)), route:2 \"South\" "
       "(1 point(s)), track:1 \"Walked\" (3 point(s)), waypoints (1 point(s))"},
      {Data("gpx/empty_parts.gpx"), "track:1", cLoadResult::No_Such_Pick, 0,
       "no track:1 in the file; the file holds track:2"},
      {Data("sample.csv"), "track:1", cLoadResult::No_Such_Pick, 0, "only a .gpx"},
      {Data("gpx/none.gpx"), "", cLoadResult::Cannot_Read, 0, "no such file"},
      {dir.path() + "/folder.gpx", "", cLoadResult::Cannot_Read, 0, "folder"},
      {dir.path() + "/zero.twl", "", cLoadResult::Cannot_Read, 0, "device"},
      {Data("gpx.xsd"), "", cLoadResult::Not_Suitable, 0, ".twl, .gpx or .csv"},
  };
  QDir(dir.path()).mkdir("folder.gpx");
  QFile far(dir.path() + "/far.twl");
  ASSERT_TRUE(far.open(QIODevice::WriteOnly) &&
              far.write(TwlGen::Make_TWL(
                  {{"ok", 170000, 1100000, 0, ""}, {"far", 170000, -5000000, 0, ""}})) &&
              far.flush());
  QFile::link("/dev/zero", dir.path() + "/zero.twl");  // reading it would never end
  cVQPoints points;
  points.Add("Kept", 31, 35, 0, "");
  points.Title = "kept";
  for (const cCase& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    cPick pick;
    ASSERT_TRUE(!*c.pick || Parse_Pick(c.pick, pick));
    const cLoadResult r = Load_Point_File(c.file, points, pick);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.line, c.line);
    EXPECT_TRUE(r.error.contains(c.reason)) << r.error.toStdString();
    ASSERT_EQ(points.Count(), 1);
    EXPECT_EQ(points.Item(1).Label, "Kept");
    EXPECT_EQ(points.Title, "kept");
  }
  cVQPoint off;  // what a far grid value once became: no reader passes it, the list stays
  off.lat = 192;
  EXPECT_EQ(Replace_Points({off}, points, cPointSource::Csv).status, cLoadResult::Bad_Content);
  EXPECT_EQ(points.Item(1).Label, "Kept");
  cPick pick;
  for (const char* bad : {"route", "route:0", "track:x", "waypoint", "lane:1"})
    EXPECT_FALSE(Parse_Pick(bad, pick)) << bad;
}
}  // namespace
