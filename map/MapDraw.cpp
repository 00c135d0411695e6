#include "map/MapDraw.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "points/cVQPoints.h"

namespace {
const QColor kBackground(244, 241, 234), kGrid(120, 145, 175), kGridText(70, 90, 120);
const QColor kRoute(31, 95, 191), kTrack(192, 57, 43), kSelected(230, 126, 34);

// Which cells of a coarse lattice over the image are taken: the decimation of marks and labels.
class cCells {
 public:
  cCells(QSizeF size, double cell) : m_cell(cell) {
    m_cols = int(size.width() / cell) + 1;
    m_rows = int(size.height() / cell) + 1;
    m_taken.assign(size_t(m_cols) * size_t(m_rows), 0);
  }
  // False when any cell under r is taken; else takes them all.
  bool Take(const QRectF& r) {
    const int c0 = std::max(0, int(r.left() / m_cell)),
              c1 = std::min(m_cols - 1, int(r.right() / m_cell));
    const int r0 = std::max(0, int(r.top() / m_cell)),
              r1 = std::min(m_rows - 1, int(r.bottom() / m_cell));
    for (int y = r0; y <= r1; ++y)
      for (int x = c0; x <= c1; ++x)
        if (m_taken[size_t(y) * size_t(m_cols) + size_t(x)]) return false;
    for (int y = r0; y <= r1; ++y)
      for (int x = c0; x <= c1; ++x) m_taken[size_t(y) * size_t(m_cols) + size_t(x)] = 1;
    return true;
  }

 private:
  double m_cell;
  int m_cols, m_rows;
  std::vector<char> m_taken;
};

// Cohen-Sutherland's out code against the image with a margin: segments whose ends share a bit
// are wholly outside.
int Out_Code(QPointF p, const QRectF& r) {
  return (p.x() < r.left() ? 1 : 0) | (p.x() > r.right() ? 2 : 0) | (p.y() < r.top() ? 4 : 0) |
         (p.y() > r.bottom() ? 8 : 0);
}

void Draw_Lines(QPainter& painter, const cMapScene& scene, const cMapView& view, double scale) {
  const QRectF area = QRectF(QPointF(0, 0), view.size).adjusted(-20, -20, 20, 20);
  painter.setPen(
      QPen(scene.track ? kTrack : kRoute, 2 * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPolygonF poly;
  const auto flush = [&] {
    if (poly.size() >= 2) painter.drawPolyline(poly);
    poly.clear();
  };
  QPointF last;
  int last_code = 0;
  bool have_last = false;
  size_t i = 0;
  for (const cVQPoint& point : *scene.points) {
    const double x = scene.x[i], y = scene.y[i];
    const bool breaks = scene.track && point.New_Segment && i > 0;
    ++i;
    if (!std::isfinite(x) || !std::isfinite(y) || breaks) {
      flush();
      have_last = false;
      if (!std::isfinite(x) || !std::isfinite(y)) continue;
    }
    const QPointF p = view.To_Px(x, y);
    const int code = Out_Code(p, area);
    if (have_last && !(last_code & code)) {
      if (poly.isEmpty()) poly << last;
      const QPointF d = p - poly.back();
      // Within a pixel of the last vertex: the zoom cannot show it.
      if (std::fabs(d.x()) >= 1 || std::fabs(d.y()) >= 1) poly << p;
    } else {
      flush();
    }
    last = p, last_code = code, have_last = true;
  }
  if (!poly.isEmpty() && poly.back() != last) poly << last;
  flush();
}

void Draw_Marks(QPainter& painter, const cMapScene& scene, const cMapView& view,
                const cMapStyle& style) {
  const double s = style.scale;
  const double r = (scene.track ? MapDraw::kTrackMark_px : MapDraw::kMark_px) * s / 2;
  const double sel_r = MapDraw::kSelected_px * s / 2;
  const QRectF image(QPointF(0, 0), view.size);
  cCells marks(view.size, std::max(2.0, r)), chosen(view.size, std::max(2.0, r));
  cCells labels(view.size, 6 * s);
  QFont font = painter.font();
  font.setPixelSize(int(std::lround(12 * s)));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const std::vector<char>* selected = style.selected;
  const size_t n = scene.x.size();
  // Selected points last, so they are drawn over the others.
  for (int pass = 0; pass < 2; ++pass) {
    painter.setPen(QPen(pass ? Qt::black : (scene.track ? kTrack : kRoute), 1.2 * s));
    painter.setBrush(pass ? kSelected : QColor(Qt::white));
    for (size_t i = 0; i < n; ++i) {
      const bool is_selected = selected && i < selected->size() && (*selected)[i];
      if (is_selected != (pass == 1)) continue;
      if (!std::isfinite(scene.x[i]) || !std::isfinite(scene.y[i])) continue;
      const QPointF p = view.To_Px(scene.x[i], scene.y[i]);
      if (!image.contains(p)) continue;
      const double rr = pass ? sel_r : r;
      if (!(pass ? chosen : marks).Take(QRectF(p.x() - 0.5, p.y() - 0.5, 1, 1))) continue;
      painter.drawEllipse(p, rr, rr);
      // A track's points are named by number or time: their labels would only hide the line.
      if (!style.labels || scene.track) continue;
      const QString& text = scene.points->Item(int(i) + 1).Label;
      if (text.isEmpty()) continue;
      const QRectF box(p.x() + rr + 2 * s, p.y() - metrics.height() / 2,
                       metrics.horizontalAdvance(text) + 1, metrics.height());
      if (!labels.Take(box.adjusted(-2, 0, 2, 0))) continue;
      painter.save();
      painter.setPen(Qt::black);
      painter.setLayoutDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
      painter.drawText(box, Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter, text);
      painter.restore();
    }
  }
}

void Draw_Grid(QPainter& painter, const cMapScene& scene, const cMapView& view,
               const cMapStyle& style) {
  QFont font = painter.font();
  font.setPixelSize(int(std::lround(11 * style.scale)));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  for (const cGridLine& line : MapGrid::Lines(view, scene.plane, style.grid)) {
    painter.setPen(QPen(kGrid, 0.8 * style.scale));
    painter.drawPolyline(line.px);
    if (line.at.x() < 0) continue;
    const double w = metrics.horizontalAdvance(line.label);
    // Eastings stand just above the lower edge, northings just right of the left edge.
    const QPointF at = line.easting ? line.at + QPointF(3, -4) : line.at + QPointF(0, -3);
    painter.setPen(kGridText);
    painter.drawText(QRectF(at.x(), at.y() - metrics.ascent(), w + 1, metrics.height()),
                     Qt::AlignLeft | Qt::AlignAbsolute, line.label);
  }
}

void Draw_Scale_Bar(QPainter& painter, const cMapScene& scene, const cMapView& view, double s) {
  const double ground = MapGrid::Ground_Mpp(view, scene.plane);
  if (!(ground > 0) || !std::isfinite(ground)) return;
  const double want_m = ground * 120 * s;
  const double p10 = std::pow(10, std::floor(std::log10(want_m)));
  const double length_m = want_m >= 5 * p10 ? 5 * p10 : want_m >= 2 * p10 ? 2 * p10 : p10;
  const double length_px = length_m / ground;
  const QPointF a(12 * s, view.size.height() - 30 * s), b = a + QPointF(length_px, 0);
  painter.setPen(QPen(Qt::black, 2 * s));
  painter.drawLine(a, b);
  painter.drawLine(a, a - QPointF(0, 5 * s));
  painter.drawLine(b, b - QPointF(0, 5 * s));
  const QString text = length_m >= 1000 ? QStringLiteral("%1 ק\"מ").arg(length_m / 1000)
                                        : QStringLiteral("%1 מ'").arg(length_m);
  QFont font = painter.font();
  font.setPixelSize(int(std::lround(11 * s)));
  painter.setFont(font);
  painter.setLayoutDirection(Qt::RightToLeft);
  painter.drawText(QRectF(a.x(), a.y() - 22 * s, length_px, 16 * s), Qt::AlignCenter, text);
  painter.setLayoutDirection(Qt::LeftToRight);
}

// A small text on a pale band at a corner or the top of the image.
void Draw_Note(QPainter& painter, const cMapView& view, const QString& text, bool top, double s) {
  QFont font = painter.font();
  font.setPixelSize(int(std::lround(10 * s)));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const double w = metrics.horizontalAdvance(text) + 8 * s, h = metrics.height() + 2 * s;
  const QRectF box = top ? QRectF((view.size.width() - w) / 2, 0, w, h)
                         : QRectF(view.size.width() - w, view.size.height() - h, w, h);
  painter.fillRect(box, QColor(255, 255, 255, 190));
  painter.setPen(QColor(60, 60, 60));
  painter.setLayoutDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
  painter.drawText(box, Qt::AlignCenter, text);
  painter.setLayoutDirection(Qt::LeftToRight);
}
}  // namespace

namespace MapDraw {

void Draw(QPainter& painter, const cMapScene& scene, const cMapView& view, const cMapStyle& style) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRectF(QPointF(0, 0), view.size), kBackground);
  const bool tiles = style.tile && scene.plane == cPlane::Mercator;
  if (tiles) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const cTilePlace& t : MapTiles::For_View(view)) {
      const QImage image = style.tile(t.key);
      if (!image.isNull()) painter.drawImage(t.px, image);
    }
  }
  Draw_Grid(painter, scene, view, style);
  painter.setBrush(Qt::NoBrush);
  if (scene.points) {
    Draw_Lines(painter, scene, view, style.scale);
    Draw_Marks(painter, scene, view, style);
  }
  Draw_Scale_Bar(painter, scene, view, style.scale);
  if (tiles && !style.attribution.isEmpty())
    Draw_Note(painter, view, style.attribution, false, style.scale);
  if (!style.note.isEmpty()) Draw_Note(painter, view, style.note, true, style.scale);
  painter.restore();
}

}  // namespace MapDraw
