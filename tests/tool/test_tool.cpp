#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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
  cRun r;
  if (!p.waitForFinished(20000)) {
    p.kill();
    return r;
  }
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
  const cRun sample = Run_Tool({"show", kSample});
  EXPECT_EQ(sample.out, Read(Data("sample.show")));
  EXPECT_TRUE(sample.out.startsWith("שער יפו\t171714\t1131593\t770\t"));
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
      {"show", "--port", "3", kSample},
      {"download-track", "--storage", dir.path(), "t.csv"},
      {"upload-route", "--storage", dir.path(), "--number", "1", "--port", "2", kSample},
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
                           "--yes", "--itm", "--true-datum", "devices", "--storage DIR"})
    EXPECT_TRUE(help.out.contains(word)) << word;
}

TEST(vqtool, UploadToADriveWritesTheRouteThere) {
  QTemporaryDir drive;
  QDir().mkpath(drive.filePath("GARMIN"));
  const cRun r = Run_Tool({"upload-route", "--storage", drive.path(), "--number", "2", kSample});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(Read(drive.filePath("GARMIN/GPX/SAMPLE.gpx")).contains("<number>2</number>"));
}
}  // namespace
