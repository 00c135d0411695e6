#include "map/cTileCache.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QStandardPaths>
#include <QTimer>

namespace {
constexpr qint64 kWeek_s = 7 * 24 * 3600;
constexpr qint64 kRetry_ms = 60000;
}  // namespace

cTileCache::cTileCache(const QString& cache_dir, QObject* parent)
    : QObject(parent), m_net(new QNetworkAccessManager(this)), m_disk(new QNetworkDiskCache(this)) {
  m_disk->setCacheDirectory(cache_dir.isEmpty()
                                ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                      QStringLiteral("/tiles")
                                : cache_dir);
  m_net->setCache(m_disk);  // the manager takes it over
}

cTileCache::~cTileCache() { Cancel_All(); }

QString cTileCache::User_Agent() { return QStringLiteral("VQ/" VQ_VERSION); }

void cTileCache::Set_Template(const QString& url_template) {
  if (url_template == m_template) return;
  Cancel_All();
  m_template = url_template;
  m_images.clear();
  m_failed.clear();
  m_failures = 0;
  m_error.clear();
}

QString cTileCache::Url_Of(const cTileKey& k) const {
  QString url = m_template;
  url.replace(QLatin1String("{z}"), QString::number(k.z));
  url.replace(QLatin1String("{x}"), QString::number(k.x));
  url.replace(QLatin1String("{y}"), QString::number(k.y));
  return url;
}

QImage cTileCache::Image(const cTileKey& key) const {
  const QImage* image = m_images.object(Key(key));
  return image ? *image : QImage();
}

void cTileCache::Want(const std::vector<cTileKey>& keys) {
  if (m_template.isEmpty()) return;
  // The network may be back: what failed is asked for again, but not in every frame.
  if (!m_failed.isEmpty() && m_failed_at.isValid() && m_failed_at.elapsed() > kRetry_ms)
    m_failed.clear();
  QSet<qint64> wanted;
  for (const cTileKey& k : keys) wanted.insert(Key(k));
  for (auto it = m_queue.begin(); it != m_queue.end();) {
    if (wanted.contains(Key(*it))) {
      ++it;
    } else {
      m_asked.remove(Key(*it));
      it = m_queue.erase(it);
    }
  }
  for (const cTileKey& k : keys) {
    const qint64 key = Key(k);
    if (m_images.contains(key) || m_asked.contains(key) || m_failed.contains(key)) continue;
    m_asked.insert(key);
    m_queue.push_back(k);
  }
  Next();
}

void cTileCache::Next() {
  while (m_flying.size() < kMaxFlying && !m_queue.empty()) {
    const cTileKey k = m_queue.front();
    m_queue.pop_front();
    QNetworkRequest request{QUrl(Url_Of(k))};
    request.setHeader(QNetworkRequest::UserAgentHeader, User_Agent());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::PreferNetwork);
    QNetworkReply* reply = m_net->get(request);
    m_flying.insert(reply, k);
    auto* timer = new QTimer(reply);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, reply, [reply] {
      reply->setProperty("vq_timed_out", true);
      reply->abort();
    });
    timer->start(Give_Up_Ms);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Finished(reply); });
  }
}

void cTileCache::Finished(QNetworkReply* reply) {
  reply->deleteLater();
  const auto it = m_flying.find(reply);
  if (it == m_flying.end()) return;
  const cTileKey k = *it;
  m_flying.erase(it);
  m_asked.remove(Key(k));
  QImage image;
  if (reply->error() == QNetworkReply::NoError) {
    image.loadFromData(reply->readAll());
    if (!image.isNull()) Keep_A_Week(reply->url());
  } else if (QIODevice* stale = m_disk->data(reply->url())) {
    // No answer, or a failing server: a copy kept on disk past its expiry is better than none.
    image.loadFromData(stale->readAll());
    delete stale;
  }
  if (!image.isNull()) {
    m_images.insert(Key(k), new QImage(std::move(image)));
    emit Tile_Arrived();
  } else {
    m_failed.insert(Key(k));
    m_failed_at.start();
    ++m_failures;
    m_error = reply->property("vq_timed_out").toBool()
                  ? QStringLiteral("%1: no answer in %2 s").arg(Url_Of(k)).arg(Give_Up_Ms / 1000.0)
                  : QStringLiteral("%1: %2").arg(Url_Of(k), reply->errorString());
    emit Tile_Failed(m_error);
  }
  Next();
  if (Pending() == 0) emit Idle();
}

// A tile the server gave no expiry is reused for a week before it is asked for again.
void cTileCache::Keep_A_Week(const QUrl& url) {
  QNetworkCacheMetaData meta = m_disk->metaData(url);
  if (!meta.isValid() || meta.expirationDate().isValid()) return;
  meta.setExpirationDate(QDateTime::currentDateTimeUtc().addSecs(kWeek_s));
  m_disk->updateMetaData(meta);
}

void cTileCache::Cancel_All() {
  m_queue.clear();
  const auto flying = m_flying.keys();
  m_flying.clear();
  m_asked.clear();
  for (QNetworkReply* reply : flying) {
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
  }
}
