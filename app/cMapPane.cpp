#include "app/cMapPane.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>

#include "map/cTileCache.h"
#include "points/cVQPoints.h"

namespace {
constexpr double kMargin_px = 24;
constexpr double kPick_px = 8;
constexpr int kDrag_px = 4;
QSettings Store() { return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")); }
QString Read(const char* key, const QString& fallback) {
  return Store().value(QLatin1String(key), fallback).toString();
}
}  // namespace

QString cMapPane::Tiles_On() { return Read("Map/Tiles", QStringLiteral("1")); }
QString cMapPane::Tile_Template() {
  return Read("Map/Template", QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"));
}
QString cMapPane::Attribution() {
  return Read("Map/Attribution", QStringLiteral("© OpenStreetMap contributors"));
}

cMapPane::cMapPane(const cVQPoints& points, QWidget* parent) : QWidget(parent), m_points(points) {
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(120, 120);
  setLayoutDirection(Qt::LeftToRight);  // north up, east right, whatever the window's direction
  cmdFit = new QToolButton(this);
  cmdFit->setText(QStringLiteral("הכל"));
  cmdFit->setToolTip(QStringLiteral("התאם את המפה לכל הרשימה (Home)"));
  cmdFit->move(4, 4);
  connect(cmdFit, &QToolButton::clicked, this, [this] {
    Fit();
    update();
  });
  Apply_Settings();
}

void cMapPane::Apply_Settings() {
  const bool on = Tiles_On() == QLatin1String("1") && !Tile_Template().trimmed().isEmpty();
  if (on && !m_tiles) {
    m_tiles = new cTileCache(QString(), this);
    connect(m_tiles, &cTileCache::Tile_Arrived, this, [this] {
      m_note.clear();
      update();
    });
    connect(m_tiles, &cTileCache::Tile_Failed, this, &cMapPane::Tile_Failed);
  } else if (!on && m_tiles) {
    delete m_tiles;
    m_tiles = nullptr;
    m_note.clear();
  }
  if (m_tiles) m_tiles->Set_Template(Tile_Template().trimmed());
  m_style.attribution = Attribution();
  List_Changed();
}

// One quiet line on the map, however many tiles fail; it goes when a tile comes.
void cMapPane::Tile_Failed() {
  if (m_note.isEmpty()) {
    m_note = QStringLiteral("מפת הרקע אינה זמינה כעת: מוצג רק מה שנשמר במחשב");
    update();
  }
}

void cMapPane::List_Changed() {
  m_dirty = true;
  update();
}

void cMapPane::Fit() {
  m_fit = true;
  update();
}

void cMapPane::Set_Selected(std::vector<char> rows) {
  m_selected = std::move(rows);
  update();
}

// The scene follows the list and the display; a new plane keeps the view's centre and ground
// scale, a new list (or the first draw) fits it.
void cMapPane::Ensure_Scene() {
  m_view.size = size();
  if (m_dirty) {
    m_style.grid = MapPlane::Grid_Of(m_points.CoorSys(), m_points.Datum());
    const cPlane plane = m_tiles ? cPlane::Mercator : m_style.grid;
    if (m_placed && plane != m_scene.plane) {
      const double ground = MapGrid::Ground_Mpp(m_view, m_scene.plane);
      double x = m_view.cx, y = m_view.cy;
      MapPlane::Inverse(m_scene.plane, &x, &y, 1);
      const double lat = x;
      MapPlane::Forward(plane, &x, &y, 1);
      if (std::isfinite(x) && std::isfinite(y)) {
        m_view.cx = x, m_view.cy = y;
        m_view.mpp = plane == cPlane::Mercator ? ground / std::cos(lat * M_PI / 180) : ground;
      } else {
        m_fit = true;
      }
    }
    m_scene.Build(m_points, plane);
    m_dirty = false;
  }
  if (m_fit && m_scene.Bounds().Valid()) {
    m_view.Fit(m_scene.Bounds(), kMargin_px);
    m_fit = false;
    m_placed = true;
  }
}

QPointF cMapPane::Point_Px(int row0) {
  Ensure_Scene();
  if (row0 < 0 || size_t(row0) >= m_scene.x.size()) return {-1, -1};
  return m_view.To_Px(m_scene.x[size_t(row0)], m_scene.y[size_t(row0)]);
}

void cMapPane::paintEvent(QPaintEvent*) {
  Ensure_Scene();
  QPainter painter(this);
  m_style.selected = &m_selected;
  m_style.note = m_note;
  m_style.tile = nullptr;
  if (m_tiles) {
    std::vector<cTileKey> keys;
    for (const cTilePlace& p : MapTiles::For_View(m_view)) keys.push_back(p.key);
    m_tiles->Want(keys);
    m_style.tile = [this](const cTileKey& k) { return m_tiles->Image(k); };
  }
  MapDraw::Draw(painter, m_scene, m_view, m_style);
}

void cMapPane::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Before the first draw the list is fitted to the final size.
  if (!m_placed) m_fit = true;
}

void cMapPane::wheelEvent(QWheelEvent* event) {
  Ensure_Scene();
  const double notches = event->angleDelta().y() / 120.0;
  m_view.Zoom_At(event->position(), std::pow(1.25, notches));
  update();
  event->accept();
}

void cMapPane::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_press = event->pos();
  m_dragging = false;
}

void cMapPane::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  if (!m_dragging && (event->pos() - m_press).manhattanLength() < kDrag_px) return;
  Ensure_Scene();
  m_view.Pan(event->pos() - m_press);
  m_press = event->pos();
  m_dragging = true;
  update();
}

void cMapPane::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || m_dragging) return;
  Ensure_Scene();
  const int row0 = m_scene.Nearest(m_view, event->position(), kPick_px);
  if (row0 >= 0) emit Point_Clicked(row0);
}

void cMapPane::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home) {
    Fit();
    return;
  }
  QWidget::keyPressEvent(event);
}
