#pragma once
// The map beside the list: the points as the list holds them, drawn by map/ on the display's
// grid or, with the base map on, in Web Mercator over web tiles. Wheel zooms about the cursor,
// dragging pans, Home or the button fits the list; clicking a point reports its row.
#include <QWidget>
#include <vector>

#include "map/MapDraw.h"
#include "map/cMapScene.h"
#include "map/cMapView.h"

class QToolButton;
class cTileCache;
class cVQPoints;

class cMapPane : public QWidget {
  Q_OBJECT
 public:
  explicit cMapPane(const cVQPoints& points, QWidget* parent = nullptr);

  // The list or its display changed: the points are projected again before the next draw.
  void List_Changed();
  // The whole list is fitted at the next draw (a new list).
  void Fit();
  // Per 0-based row, nonzero for the rows selected in the list.
  void Set_Selected(std::vector<char> rows);
  // The base map's settings, read again (at start and after the settings dialog).
  void Apply_Settings();
  // Where a row's point is drawn, in the pane's pixels; for the tests and the list's scrolling.
  QPointF Point_Px(int row0);
  cTileCache* Tiles() const { return m_tiles; }
  QString Note() const { return m_note; }

  // The settings' keys and defaults.
  static QString Tiles_On();
  static QString Tile_Template();
  static QString Attribution();

 signals:
  void Point_Clicked(int row0);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Ensure_Scene();
  void Tile_Failed();

  const cVQPoints& m_points;
  cMapScene m_scene;
  cMapView m_view;
  cMapStyle m_style;
  std::vector<char> m_selected;
  bool m_dirty = true, m_fit = true, m_placed = false;
  cTileCache* m_tiles = nullptr;
  QString m_note;
  QPoint m_press;
  bool m_dragging = false;
  QToolButton* cmdFit;
};
