// The base map's tile cache against a tile server on the loopback address, and the map pane in
// the real window: selection both ways, the fit after a load, the menu's switch.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeView>
#include <functional>

#include "app/cListModel.h"
#include "app/cMapPane.h"
#include "app/cMapSettings.h"
#include "app/frmOptions.h"
#include "map/cTileCache.h"
#include "tests/app/WindowTest.h"

namespace {
// Runs the event loop until cond holds or ms pass.
bool Wait_For(const std::function<bool()>& cond, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!cond() && clock.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return cond();
}

QByteArray Png_Tile() {
  QImage image(256, 256, QImage::Format_RGB32);
  image.fill(QColor(10, 200, 10));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// Answers every GET with one PNG tile and no expiry, or never answers; counts the requests and
// keeps the last User-Agent.
class cTileServer : public QObject {
 public:
  explicit cTileServer(bool silent) : m_silent(silent) {
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* s = m_server.nextPendingConnection())
        connect(s, &QTcpSocket::readyRead, this, [this, s] { Serve(s); });
    });
  }
  QString Template() const {
    return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(m_server.serverPort());
  }
  int requests = 0;
  QByteArray user_agent;

 private:
  void Serve(QTcpSocket* s) {
    QByteArray& got = m_got[s];
    got += s->readAll();
    if (!got.contains("\r\n\r\n")) return;
    ++requests;
    for (const QByteArray& line : got.split('\n'))
      if (line.toLower().startsWith("user-agent:")) user_agent = line.mid(11).trimmed();
    got.clear();
    if (m_silent) return;
    const QByteArray body = Png_Tile();
    s->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
             QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    s->disconnectFromHost();
  }
  bool m_silent;
  QTcpServer m_server;
  QHash<QTcpSocket*, QByteArray> m_got;
};

const cTileKey kTile{12, 2446, 1663};
}  // namespace

// A tile the server gave no expiry comes from the disk cache the next time, also for a new
// cache object (the next start); a folder of tiles works the same through file://.
TEST(TileCache, SecondRequestComesFromDiskAndNamesVQ) {
  QTemporaryDir dir;
  cTileServer server(false);
  for (int round = 0; round < 2; ++round) {
    cTileCache cache(dir.filePath("cache"));
    cache.Set_Template(server.Template());
    cache.Want({kTile});
    EXPECT_TRUE(Wait_For([&] { return !cache.Image(kTile).isNull(); }, 5000)) << round;
    EXPECT_EQ(cache.Image(kTile).pixelColor(5, 5), QColor(10, 200, 10));
  }
  EXPECT_EQ(server.requests, 1);
  EXPECT_TRUE(server.user_agent.startsWith("VQ/")) << server.user_agent.toStdString();
  EXPECT_EQ(server.user_agent, cTileCache::User_Agent().toUtf8());

  QDir().mkpath(dir.filePath("tiles/12/2446"));
  QFile file(dir.filePath("tiles/12/2446/1663.png"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Png_Tile());
  file.close();
  cTileCache offline(dir.filePath("cache"));
  offline.Set_Template(QUrl::fromLocalFile(dir.path()).toString() + "/tiles/{z}/{x}/{y}.png");
  offline.Want({kTile, {12, 2446, 1664}});
  EXPECT_TRUE(Wait_For([&] { return offline.Pending() == 0; }, 5000));
  EXPECT_FALSE(offline.Image(kTile).isNull());
  EXPECT_EQ(offline.Failures(), 1);  // the tile the folder does not have
}

// A server that never answers: two requests at a time, each given up after its time, one
// failure per tile, then nothing pending.
TEST(TileCache, SilentServerIsGivenUpTwoAtATime) {
  QTemporaryDir dir;
  cTileServer server(true);
  cTileCache cache(dir.path());
  cache.Give_Up_Ms = 300;
  cache.Set_Template(server.Template());
  cache.Want({{5, 1, 1}, {5, 1, 2}, {5, 2, 1}, {5, 2, 2}});
  EXPECT_TRUE(Wait_For([&] { return server.requests == 2; }, 2000));
  Wait_For([] { return false; }, 100);
  EXPECT_EQ(server.requests, 2);
  EXPECT_TRUE(Wait_For([&] { return cache.Pending() == 0; }, 5000));
  EXPECT_EQ(cache.Failures(), 4);
  EXPECT_TRUE(cache.Last_Error().contains("no answer")) << cache.Last_Error().toStdString();
}

class MapPaneTest : public WindowTest {};

TEST_F(MapPaneTest, SelectionFollowsBothWaysAndTheMenuHidesIt) {
  auto w = Started(QStringLiteral(VQ_SOURCE_DIR "/samples/sample.twl"));
  w->show();
  ASSERT_TRUE(w->Map->isVisible());
  ASSERT_EQ(w->Map->Tiles(), nullptr);
  // The list is fitted after the load: every point inside the pane.
  for (int r = 0; r < w->Points.Count(); ++r)
    EXPECT_TRUE(w->Map->rect().contains(w->Map->Point_Px(r).toPoint())) << r;

  w->lv->selectionModel()->select(w->lvModel->index(2, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
  const QImage shot = w->Map->grab().toImage();
  const auto colour = [&](int row) { return shot.pixelColor(w->Map->Point_Px(row).toPoint()); };
  EXPECT_EQ(colour(2), QColor(230, 126, 34));
  EXPECT_EQ(colour(3), QColor(Qt::white));

  QTest::mouseClick(w->Map, Qt::LeftButton, {}, w->Map->Point_Px(5).toPoint());
  const QModelIndexList rows = w->lv->selectionModel()->selectedRows();
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0].row(), 5);

  w->mnuDisplayMap->trigger();
  EXPECT_FALSE(w->Map->isVisible());
  EXPECT_EQ(Stored("Display/Map"), "0");
}

// The settings dialog's base map reaches the pane: tiles from the server drawn under the
// points, and a server that fails gives one quiet line on the map, never a message box.
TEST_F(MapPaneTest, BaseMapFromTheSettingsAndAFailingServer) {
  cTileServer server(false);
  qputenv("XDG_CACHE_HOME", dir.filePath("cache").toUtf8());  // the pane's disk cache
  auto w = Started(QStringLiteral(VQ_SOURCE_DIR "/samples/sample.twl"));
  w->resize(800, 600);
  w->show();
  for (const QString& url : {server.Template(), QStringLiteral("ftp://x/{z}/{x}/{y}")}) {
    frmOptions f;
    f.fraMap->setChecked(true);
    f.fraMap->txtTiles->setText(url);
    f.cmdOK_Click();
  }
  EXPECT_EQ(Stored("Map/Template"), server.Template());  // the unusable one is not stored
  EXPECT_EQ(Stored("Map/Attribution"), "© OpenStreetMap contributors");
  w->Map->Apply_Settings();
  ASSERT_NE(w->Map->Tiles(), nullptr);
  w->Map->repaint();
  cTileCache& tiles = *w->Map->Tiles();
  EXPECT_TRUE(Wait_For([&] { return server.requests > 0 && tiles.Pending() == 0; }, 10000));
  EXPECT_EQ(tiles.Failures(), 0);
  EXPECT_EQ(w->Map->grab().toImage().pixelColor(w->Map->width() / 2, 40), QColor(10, 200, 10));

  Put("Map/Template", "http://127.0.0.1:1/{z}/{x}/{y}.png");
  w->Map->Apply_Settings();
  w->Map->repaint();
  EXPECT_TRUE(Wait_For([&] { return tiles.Pending() == 0 && tiles.Failures() > 1; }, 10000));
  EXPECT_FALSE(w->Map->Note().isEmpty());
  EXPECT_TRUE(services.messages.isEmpty());
}
