#pragma once
// The base map's web tiles (XYZ, 256 pixels, Web Mercator) from a URL template with {z}, {x}
// and {y}: http, https or file:// for a folder kept offline. As the OpenStreetMap tile usage
// policy asks: a User-Agent naming VQ and its version, a disk cache reused while the server's
// expiry allows and for 7 days where it gives none, only the tiles a view needs (never a
// prefetch), at most two requests at a time, and a tile that has not come in 10 s given up.
// Nothing here blocks: tiles arrive through the event loop and are announced by a signal.
#include <QCache>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <deque>
#include <vector>

#include "map/MapGrid.h"

class QNetworkAccessManager;
class QNetworkDiskCache;
class QNetworkReply;

class cTileCache : public QObject {
  Q_OBJECT
 public:
  // cache_dir: where the disk cache lives; empty for "tiles" in the user's cache folder.
  explicit cTileCache(const QString& cache_dir = QString(), QObject* parent = nullptr);
  ~cTileCache() override;

  // A new template forgets the tiles in memory and the ones that failed.
  void Set_Template(const QString& url_template);
  QString Template() const { return m_template; }
  static QString User_Agent();
  QString Url_Of(const cTileKey& key) const;

  // The tiles the view needs now: those not in memory are asked for, and queued ones the view
  // no longer needs are dropped.
  void Want(const std::vector<cTileKey>& keys);
  // The tile's image when it has come; a null image otherwise.
  QImage Image(const cTileKey& key) const;
  int Pending() const { return int(m_queue.size()) + m_flying.size(); }
  // Tiles that did not come since the template was set, and the last reason.
  int Failures() const { return m_failures; }
  QString Last_Error() const { return m_error; }
  // Stops every request and forgets the queue (a plot that must be done in time).
  void Cancel_All();

  int Give_Up_Ms = 10000;
  static constexpr int kMaxFlying = 2;

 signals:
  void Tile_Arrived();
  void Tile_Failed(const QString& error);
  // Nothing is queued or on its way.
  void Idle();

 private:
  static qint64 Key(const cTileKey& k) { return (qint64(k.z) << 48) | (qint64(k.x) << 24) | k.y; }
  void Next();
  void Finished(QNetworkReply* reply);
  void Keep_A_Week(const QUrl& url);

  QNetworkAccessManager* m_net;
  QNetworkDiskCache* m_disk;
  QString m_template;
  QCache<qint64, QImage> m_images{400};
  std::deque<cTileKey> m_queue;
  QHash<QNetworkReply*, cTileKey> m_flying;
  QSet<qint64> m_asked, m_failed;
  QElapsedTimer m_failed_at;  // the last failure: failed tiles are asked for again a minute on
  int m_failures = 0;
  QString m_error;
};
