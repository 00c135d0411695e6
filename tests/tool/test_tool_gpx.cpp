// vqtool with GPX and CSV files: --pick, the error lines, every output kind.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {
struct cRun {
  int status = -1;
  QByteArray out, err;
};

cRun Run_Tool(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(VQ_TOOL_PATH), args);
  cRun r;
  if (!p.waitForFinished(20000)) return p.kill(), r;
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

QString Data(const QString& name) { return QStringLiteral(VQ_TEST_DATA "/") + name; }

TEST(vqtoolGpx, PickErrorsAndEveryOutput) {
  QTemporaryDir dir;
  const QString parts = Data("gpx/parts.gpx");
  struct cCase {
    QStringList args;
    int status, lines;  // lines printed on stdout
    const char* err;    // what stderr holds ("" for nothing)
  } cases[] = {
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
      {{"show", "--pick", "lane:1", parts}, 1, 0, "bad value 'lane:1' for --pick"},
      {{"show", Data("gpx/bad_xml.gpx")}, 1, 0, "bad_xml.gpx:3: Opening and ending tag mismatch"},
      {{"show", Data("gpx/entity.gpx")}, 1, 0, "entity.gpx:2: the document declares a DTD"},
      {{"show", Data("gpx/bad_line.csv")}, 1, 0, "bad_line.csv:3: a line without"},
      {{"show", Data("gpx/cp1255.gpx")}, 0, 1, ""},
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
    EXPECT_LE(r.err.count('\n'), 1);
  }
  QFile txt(dir.filePath("t.txt"));
  ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
  EXPECT_EQ(txt.readAll().count('\n'), 3);  // the track went GPX, CSV, TXT whole
}
}  // namespace
