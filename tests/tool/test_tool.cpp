// vqtool as its own process: exit codes, what it prints and the files it writes.
#include <gtest/gtest.h>
#include <proj.h>

#include <memory>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <cmath>

namespace {
struct cRun {
  int status = -1;
  QByteArray out, err;
};

cRun Run_Tool(const QStringList& args, const QString& locale = QString()) {
  QProcess p;
  if (!locale.isEmpty()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    p.setProcessEnvironment(env);
  }
  p.start(QStringLiteral(VQ_TOOL_PATH), args);
  cRun r;  // a tool that hangs fails with status -1
  if (!p.waitForFinished(20000)) return p.kill(), r;
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Data(const QString& name) { return QStringLiteral(VQ_TEST_DATA "/") + name; }
const QString kSample = QStringLiteral(VQ_SOURCE_DIR "/samples/sample.twl");

TEST(vqtool, ShowPrintsTheWindowRows) {
  for (const QString base : {"mixed", "duplicates", "cut", "header_only"}) {
    const cRun grid = Run_Tool({"show", Data(base + ".twl")});
    EXPECT_EQ(grid.status, 0) << base.toStdString();
    EXPECT_EQ(grid.out, Read(Data(base + ".show"))) << base.toStdString();
    const cRun latlon = Run_Tool({"show", "--latlon", Data(base + ".twl")});
    EXPECT_EQ(latlon.out, Read(Data(base + ".latlon"))) << base.toStdString();
  }
  EXPECT_EQ(Run_Tool({"show", kSample}).out, Read(Data("sample.show")));
  EXPECT_TRUE(Run_Tool({"show", Data("duplicates.twl")}).err.contains("2 point(s) left out"));
  // 171714 1131593 on its own datum in the New Israeli Grid (cs2cs: 221714.8897 631594.9615).
  EXPECT_TRUE(Run_Tool({"show", "--itm", "--true-datum", kSample})
                  .out.startsWith("שער יפו\t221715\t631595\t770\t"));
}

// Under a locale whose decimal separator is a comma, every number still uses ".".
TEST(vqtool, ConvertWritesAsSaveAs) {
  QTemporaryDir dir;
  const QString txt = dir.filePath("OUT.TXT"), csv = dir.filePath("out.csv");
  EXPECT_EQ(Run_Tool({"convert", kSample, txt}, "de_DE.UTF-8").status, 0);
  EXPECT_EQ(Run_Tool({"convert", kSample, csv}, "de_DE.UTF-8").status, 0);
  EXPECT_EQ(Read(txt), Read(Data("sample.txt")));
  EXPECT_EQ(Read(csv), Read(Data("sample.csv")));
  EXPECT_EQ(Run_Tool({"show", "--latlon", Data("mixed.twl")}, "de_DE.UTF-8").out,
            Read(Data("mixed.latlon")));
}

TEST(vqtool, FailuresSayOneLineAndExitNonZero) {
  QTemporaryDir dir;
  const QList<QStringList> bad = {
      {"show", dir.filePath("none.twl")},
      {"show", Data("mixed.show")},
      {"show"},
      {"convert", kSample, dir.filePath("out.doc")},
      {"convert", kSample, dir.filePath("no/dir/out.csv")},
      {"frobnicate"},
      {"info", "--port", "0"},
      {"download-track", "--port", "65537", "x.csv"},
      {"download-track", "--storage", dir.path(), "t.csv"},
      {"upload-route", "--storage", dir.path(), "--number", "1", "--port", "2", kSample},
      {"names", "--names", dir.filePath("none.csv"), kSample},
      {"names", "--format", "X100", kSample},
      {"plot", kSample, dir.filePath("out.jpg")},
      {"plot", "--size", "10x10", kSample, dir.filePath("p.png")},
      {"plot", "--tiles", "ftp://x/{z}/{x}/{y}", kSample, dir.filePath("p.png")},
      {}};
  for (const QStringList& args : bad) {
    const cRun r = Run_Tool(args);
    EXPECT_GT(r.status, 0) << args.join(' ').toStdString();
    EXPECT_FALSE(r.err.isEmpty()) << args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    // A command line that cannot run, a port outside 1..255 among them, is a usage error.
    if (args.contains("--port")) {
      EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    }
  }
  EXPECT_FALSE(QFile::exists(dir.filePath("out.doc")));
  const cRun help = Run_Tool({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* word : {"show", "convert", "info", "download-track", "upload-route", "--latlon",
                           "--port P", "--settings", "--timeout", "--trace", "--number", "--title",
                           "--yes", "--itm", "--true-datum", "devices", "--storage DIR",
                           "stats [--pick P]", "[--reverse] [--tolerance M] [--max-points N]", "plot",
                           "--size WxH", "--tiles URL", "--attribution TEXT", "--no-labels",
                           "names [--pick P]", "--latin-names", "--names FILE"})
    EXPECT_TRUE(help.out.contains(word)) << word;
}

TEST(vqtool, UploadToADriveWritesTheRouteThere) {
  QTemporaryDir drive;
  QDir().mkpath(drive.filePath("GARMIN"));
  const cRun r = Run_Tool({"upload-route", "--storage", drive.path(), "--number", "2", kSample});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(Read(drive.filePath("GARMIN/GPX/SAMPLE.gpx")).contains("<number>2</number>"));
  // The drive's log comes back in any of the three kinds, GPX with its times.
  QDir().mkpath(drive.filePath("GARMIN/GPX/Current"));
  QFile log(drive.filePath("GARMIN/GPX/Current/Current.gpx"));
  ASSERT_TRUE(log.open(QIODevice::WriteOnly));
  log.write(
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\"><trk><trkseg>"
      "<trkpt lat=\"31.5\" lon=\"35.3\"><time>2024-03-14T08:05:09Z</time></trkpt>"
      "</trkseg></trk></gpx>");
  log.close();
  const QString out = drive.filePath("t.gpx");
  EXPECT_EQ(Run_Tool({"download-track", "--storage", drive.path(), out}).status, 0);
  EXPECT_TRUE(Read(out).contains("<time>2024-03-14T08:05:09Z</time>"));
}

// GPX and CSV files: --pick, the shaping options, stats, the error lines, every output kind.
TEST(vqtoolGpx, PickShapeErrorsAndEveryOutput) {
  QTemporaryDir dir;
  const QString parts = Data("gpx/parts.gpx"), garmin = Data("gpx/garmin.gpx");
  struct cCase {
    QStringList args;
    int status, lines;     // lines printed on stdout
    const char* err;       // what stderr holds ("" for nothing)
    const char* out = "";  // how stdout begins
  } cases[] = {
      {{"stats", garmin}, 0, 7, "", "points\t3\ndistance_km\t0.6\nduration\t0:00:51\n"},
      {{"show", "--reverse", "--tolerance", "0", "--max-points", "2", garmin}, 0, 2, "", "3\t"},
      {{"convert", "--max-points", "2", garmin, dir.filePath("s.gpx")}, 0, 0, ""},
      {{"show", "--max-points", "1", garmin}, 2, 0, "bad value '1' for --max-points"},
      {{"convert", "--tolerance", "-5", garmin, dir.filePath("x.gpx")}, 2, 0, "bad value '-5'"},
      {{"stats", "--tolerance", "abc", garmin}, 2, 0, "bad value 'abc' for --tolerance"},
      {{"show", parts},
       0,
       2,
       "note: took route:1; the file also holds route:2, track:1, waypoints"},
      {{"show", "--pick", "track:1", "--latlon", parts}, 0, 3, ""},
      {{"show", "--pick", "waypoints", parts}, 0, 1, ""},
      {{"show", "--pick", "route:3", parts},
       1,
       0,
       "no route:3 in the file; the file holds route:1 \"North\" (2 point(s))"},
      {{"show", "--pick", "lane:1", parts}, 2, 0, "bad value 'lane:1' for --pick"},
      // Which files are refused is the loader's concern; here the line names file and line.
      {{"show", Data("gpx/bad_xml.gpx")}, 1, 0, "bad_xml.gpx:3: mismatched tag"},
      {{"convert", "--pick", "track:1", parts, dir.filePath("t.GPX")}, 0, 0, ""},
      {{"convert", dir.filePath("t.GPX"), dir.filePath("t.csv")}, 0, 0, ""},
      {{"convert", dir.filePath("t.csv"), dir.filePath("t.txt")}, 0, 0, ""},
      {{"convert", parts, dir.filePath("t.kml")}, 2, 0, "must end in .txt, .csv or .gpx"},
      {{"info", "--pick", "route:1"}, 2, 0, "--pick does not apply"},
  };
  for (const cCase& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const cRun r = Run_Tool(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out.count('\n'), c.lines);
    EXPECT_TRUE(*c.err ? r.err.contains(c.err) : r.err.isEmpty()) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(c.out)) << r.out.toStdString();
    EXPECT_LE(r.err.count('\n'), 1);
  }
  EXPECT_EQ(Read(dir.filePath("t.txt")).count('\n'), 3);  // the track went GPX, CSV, TXT whole
  // A simplified track is a route of its two ends; a refused value writes nothing.
  EXPECT_EQ(Read(dir.filePath("s.gpx")).count("<rtept"), 2);
  EXPECT_FALSE(QFile::exists(dir.filePath("x.gpx")));
}

// Every mark of a plot, read back from the SVG, stands where PROJ puts its point to within a
// pixel, at one scale in both directions, north up, inside the margin. The old grid is PROJ's
// transverse Mercator on the grid's ellipsoid and origin; with --tiles the plot is in Web
// Mercator, and a tile server that never answers costs the base map, not the plot.
TEST(vqtoolPlot, MarksStandWherePROJPutsThem) {
  QTemporaryDir dir;
  const QString gpx = dir.filePath("places.gpx"), svg = dir.filePath("plot.svg");
  const double ll[][2] = {{31.7767, 35.2345},
                          {32.0853, 34.7818},
                          {29.5577, 34.9519},
                          {33.4164, 35.8572},
                          {32.794, 34.9896}};
  QByteArray xml = "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\">";
  for (int i = 0; i < 5; ++i)
    xml += QStringLiteral("<wpt lat=\"%1\" lon=\"%2\"><name>%3</name></wpt>")
               .arg(ll[i][0])
               .arg(ll[i][1])
               .arg(i == 0 ? QStringLiteral("ירושלים") : QStringLiteral("P%1").arg(i))
               .toUtf8();
  QFile file(gpx);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(xml + "</gpx>");
  file.close();
  QTcpServer silent;  // listens, but this process serves nothing while the tool runs
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  const QString tiles =
      QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(silent.serverPort());
  const struct {
    QStringList options;
    const char* crs;
  } rows[] = {
      {{},
       "+proj=tmerc +lat_0=31.73409 +lon_0=35.21206 +k=1 +x_0=170251 +y_0=1126868 "
       "+a=6378300.789 +rf=293.466"},
      {{"--itm"}, "EPSG:2039"},
      {{"--latlon", "--tiles", tiles}, "EPSG:3857"},
  };
  static const QRegularExpression circle("<circle cx=\"([^\"]+)\" cy=\"([^\"]+)\"");
  static const QRegularExpression transform("transform=\"([^\"]+)\"");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.crs);
    const cRun r = Run_Tool(QStringList{"plot"} + row.options + QStringList{gpx, svg});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.contains("warning: "), row.options.contains("--tiles")) << r.err.toStdString();
    const QString text = QString::fromUtf8(Read(svg));
    EXPECT_TRUE(text.contains(">ירושלים</text>"));
    for (auto m = transform.globalMatch(text); m.hasNext();)
      ASSERT_EQ(m.next().captured(1), "matrix(1,0,0,1,0,0)");
    std::vector<QPointF> px;
    for (auto m = circle.globalMatch(text); m.hasNext();) {
      const auto c = m.next();
      px.emplace_back(c.captured(1).toDouble(), c.captured(2).toDouble());
    }
    ASSERT_EQ(px.size(), 5u);
    const bool tmerc = row.crs[0] == '+';
    PJ* raw = tmerc ? nullptr : proj_create_crs_to_crs(nullptr, "EPSG:4326", row.crs, nullptr);
    std::unique_ptr<PJ, PJ* (*)(PJ*)> pj(
        tmerc ? proj_create(nullptr, row.crs) : proj_normalize_for_visualization(nullptr, raw),
        proj_destroy);
    if (raw) proj_destroy(raw);
    ASSERT_NE(pj, nullptr);
    std::vector<PJ_COORD> grid;
    for (const auto& p : ll) {
      const double k = tmerc ? M_PI / 180 : 1;
      grid.push_back(proj_trans(pj.get(), PJ_FWD, proj_coord(p[1] * k, p[0] * k, 0, 0)));
    }
    const double scale = std::hypot(px[3].x() - px[2].x(), px[3].y() - px[2].y()) /
                         std::hypot(grid[3].xy.x - grid[2].xy.x, grid[3].xy.y - grid[2].xy.y);
    for (size_t i = 0; i < 5; ++i) {
      EXPECT_NEAR(px[i].x(), px[2].x() + scale * (grid[i].xy.x - grid[2].xy.x), 0.5) << i;
      EXPECT_NEAR(px[i].y(), px[2].y() - scale * (grid[i].xy.y - grid[2].xy.y), 0.5) << i;
      EXPECT_TRUE(QRectF(39, 39, 1522, 1122).contains(px[i])) << i;
    }
  }
  const QString png = dir.filePath("p.png"), pdf = dir.filePath("p.pdf");
  EXPECT_EQ(Run_Tool({"plot", "--no-labels", "--size", "300x200", gpx, png}).status, 0);
  EXPECT_EQ(QImage(png).size(), QSize(300, 200));
  EXPECT_EQ(Run_Tool({"plot", gpx, pdf}).status, 0);
  EXPECT_TRUE(Read(pdf).startsWith("%PDF"));
  EXPECT_TRUE(Read(pdf).contains("/MediaBox [0 0 842")) << "A4 landscape";
}
}  // namespace
