// The map pane beside the list: shown and hidden from the display menu (remembered), following
// the list's contents and selection, and selecting the row of a point clicked on the map.
#include <QAction>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTreeView>

#include "app/cListModel.h"
#include "app/cMapPane.h"
#include "app/frmVQ.h"

void frmVQ::Build_Map_Menu(QMenu* mnuDisplay) {
  mnuDisplay->addSeparator();
  mnuDisplayMap = mnuDisplay->addAction(QStringLiteral("&מפה"));
  mnuDisplayMap->setCheckable(true);
  mnuDisplayMap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  connect(mnuDisplayMap, &QAction::triggered, this, &frmVQ::mnuDisplayMap_Click);
}

void frmVQ::Build_Map() {
  Map = new cMapPane(Points, this);
  splMain = new QSplitter(Qt::Horizontal, this);
  splMain->addWidget(takeCentralWidget());
  splMain->addWidget(Map);
  splMain->setStretchFactor(1, 1);
  splMain->setChildrenCollapsible(false);
  setCentralWidget(splMain);
  const bool shown = Setting(QStringLiteral("Display/Map"), QStringLiteral("1")) == "1";
  Map->setVisible(shown);
  mnuDisplayMap->setChecked(shown);
  // Whatever changes the list's rows (a load, a download, an edit, a display switch) reaches
  // the model, so the map follows the model rather than each command.
  connect(lvModel, &QAbstractItemModel::modelReset, Map, &cMapPane::List_Changed);
  connect(lvModel, &QAbstractItemModel::layoutChanged, Map, &cMapPane::List_Changed);
  connect(lvModel, &QAbstractItemModel::dataChanged, Map, &cMapPane::List_Changed);
  connect(lvModel, &QAbstractItemModel::rowsInserted, Map, &cMapPane::List_Changed);
  connect(lvModel, &QAbstractItemModel::rowsRemoved, Map, &cMapPane::List_Changed);
  connect(lvModel, &QAbstractItemModel::modelReset, this, &frmVQ::Map_Selection);
  connect(lv->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &frmVQ::Map_Selection);
  connect(Map, &cMapPane::Point_Clicked, this, [this](int row0) {
    const QModelIndex index = lvModel->index(row0, 0);
    lv->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lv->scrollTo(index);
  });
  connect(splMain, &QSplitter::splitterMoved, this, [this] {
    QSettings(QStringLiteral("VQ"), QStringLiteral("VQ"))
        .setValue(QStringLiteral("Display/MapSplit"),
                  QString::fromLatin1(splMain->saveState().toBase64()));
  });
  // Runs after the settings dialog, which is connected first.
  connect(mnuFileSettings, &QAction::triggered, Map, &cMapPane::Apply_Settings);
}

void frmVQ::Map_Selection() {
  std::vector<char> rows(size_t(lvModel->Row_Count()), 0);
  for (const QItemSelectionRange& range : lv->selectionModel()->selection())
    for (int r = range.top(); r <= range.bottom(); ++r)
      if (r >= 0 && size_t(r) < rows.size()) rows[size_t(r)] = 1;
  Map->Set_Selected(std::move(rows));
}

void frmVQ::Map_Fit() {
  Map->List_Changed();
  Map->Fit();
}

// The window grows by the map's width when it is shown and gives it back when it is hidden,
// so the list keeps its room.
void frmVQ::mnuDisplayMap_Click() {
  const bool on = mnuDisplayMap->isChecked();
  Save_Setting(QStringLiteral("Display/Map"), on ? QStringLiteral("1") : QStringLiteral("0"));
  if (on == Map->isVisible()) return;
  const int map_w = on ? qMax(360, lv->width()) : Map->width();
  if (on) Map->show();
  if (!isMaximized() && !isFullScreen()) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int most = screen ? screen->availableGeometry().width() : width() + map_w;
    resize(on ? qMin(most, width() + map_w) : qMax(200, width() - map_w - splMain->handleWidth()),
           height());
  }
  if (!on) Map->hide();
}

// At the first start the window is as wide as its columns; with the map shown it is wider by as
// much again, where the screen allows it. Later starts restore where the user left the divider.
void frmVQ::Map_Start_Size() {
  const QByteArray split =
      QByteArray::fromBase64(Setting(QStringLiteral("Display/MapSplit"), QString()).toLatin1());
  if (!split.isEmpty()) splMain->restoreState(split);
  if (!Map->isVisibleTo(this) || !m_outer_px.isValid() ||
      Setting_Number(QStringLiteral("Display/Width"), -1) != -1)
    return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int list_w = m_outer_px.width();
  const int most = screen ? screen->availableGeometry().width() : 2 * list_w;
  m_outer_px.setWidth(qMin(most, 2 * list_w));
  splMain->setSizes({list_w, m_outer_px.width() - list_w});
  Keep_Outer_Size();
  if (screen)
    move(screen->availableGeometry().center() -
         QPoint(m_outer_px.width() / 2, m_outer_px.height() / 2));
}
