// The window's edits of the list: a cell typed in place, points inserted, deleted and moved
// (also by dragging rows), copy and find, each edit a step that undo and redo take back and
// forth; and the caption's mark of a list with edits not saved.
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenuBar>
#include <QMimeData>
#include <QTreeView>
#include <QUndoStack>
#include <cmath>

#include "app/cColumnFit.h"
#include "app/cEditCommands.h"
#include "app/cListModel.h"
#include "app/cServices.h"
#include "app/frmSimplify.h"
#include "app/frmVQ.h"
#include "geo/NumText.h"
#include "points/PlaceText.h"
#include "points/cVQShape.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
// What a receiver's route holds, by the maker's manuals; the product data gives no number.
constexpr int kRoute_Points = 250;

QAction* Add(QMenu* menu, const char* caption, const QKeySequence& key = {}) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setShortcut(key);
  return a;
}

// The forms a place is typed in, for the display shown.
QString Place_Forms(qint16 coorSys) {
  return coorSys == 0 ? QStringLiteral("למשל 31.7767 35.2345 או N31 46' 36.1\" E35 14' 4.2\"")
                      : QStringLiteral("מזרחית וצפונית במטרים, למשל 170406 1130661");
}
}  // namespace

void frmVQ::Build_Edit_Menu() {
  Undo = new QUndoStack(this);
  QMenu* mnuEdit = menuBar()->addMenu(QStringLiteral("&עריכה"));
  mnuEditUndo = Add(mnuEdit, "&בטל", QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuEditRedo = Add(mnuEdit, "ב&צע שוב", QKeySequence(Qt::CTRL | Qt::Key_Y));
  mnuEdit->addSeparator();
  mnuEditCopy = Add(mnuEdit, "&העתק", QKeySequence(Qt::CTRL | Qt::Key_C));
  mnuEditFind = Add(mnuEdit, "&חפש...", QKeySequence(Qt::CTRL | Qt::Key_F));
  mnuEdit->addSeparator();
  mnuEditInsert = Add(mnuEdit, "הו&סף נקודה...", QKeySequence(Qt::Key_Insert));
  mnuEditDelete = Add(mnuEdit, "&מחק", QKeySequence(Qt::Key_Delete));
  mnuEditUp = Add(mnuEdit, "הזז למ&עלה", QKeySequence(Qt::CTRL | Qt::Key_Up));
  mnuEditDown = Add(mnuEdit, "הזז למ&טה", QKeySequence(Qt::CTRL | Qt::Key_Down));
  mnuEdit->addSeparator();
  mnuEditReverse = Add(mnuEdit, "הפוך &כיוון");
  mnuEditSimplify = Add(mnuEdit, "&פשט...");

  mnuEditUndo->setEnabled(false);
  mnuEditRedo->setEnabled(false);
  connect(Undo, &QUndoStack::canUndoChanged, mnuEditUndo, &QAction::setEnabled);
  connect(Undo, &QUndoStack::canRedoChanged, mnuEditRedo, &QAction::setEnabled);
  connect(Undo, &QUndoStack::cleanChanged, this, &frmVQ::Show_Caption);
  connect(mnuEditUndo, &QAction::triggered, this, [this] {
    if (Can_Edit()) Undo->undo();
  });
  connect(mnuEditRedo, &QAction::triggered, this, [this] {
    if (Can_Edit()) Undo->redo();
  });
  connect(mnuEditCopy, &QAction::triggered, this, &frmVQ::mnuEditCopy_Click);
  connect(mnuEditFind, &QAction::triggered, this, &frmVQ::mnuEditFind_Click);
  connect(mnuEditInsert, &QAction::triggered, this, &frmVQ::mnuEditInsert_Click);
  connect(mnuEditDelete, &QAction::triggered, this, &frmVQ::mnuEditDelete_Click);
  connect(mnuEditUp, &QAction::triggered, this, [this] { mnuEditMove_Click(-1); });
  connect(mnuEditDown, &QAction::triggered, this, [this] { mnuEditMove_Click(1); });
  connect(mnuEditReverse, &QAction::triggered, this, &frmVQ::mnuEditReverse_Click);
  connect(mnuEditSimplify, &QAction::triggered, this, &frmVQ::mnuEditSimplify_Click);
}

// The list is edited in place (double-click or F2), several rows at a time are selected, and
// selected rows can be dragged to another place in the list.
void frmVQ::Edit_Enable(bool on) {
  lvModel->On_Edit = [this](int row0, int column0, const QString& text) {
    return Cell_Edited(row0, column0, text);
  };
  lv->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lv->setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                         : QAbstractItemView::NoEditTriggers);
  lv->setDragEnabled(on);
  for (QAction* a : {mnuEditInsert, mnuEditDelete, mnuEditUp, mnuEditDown, mnuEditReverse,
                     mnuEditSimplify})
    a->setEnabled(on);
  mnuEditUndo->setEnabled(on && Undo->canUndo());
  mnuEditRedo->setEnabled(on && Undo->canRedo());
}

// Not while a transfer runs, nor while a cell is being typed (its own keys come first).
bool frmVQ::Can_Edit() const { return !m_busy && !Cell_Open(); }

bool frmVQ::Cell_Open() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus && focus != lv && lv->isAncestorOf(focus);
}

bool frmVQ::List_Unsaved() const { return m_unsaved || (Undo && !Undo->isClean()); }

void frmVQ::Set_Caption(const QString& name) {
  m_caption = name.trimmed();
  Show_Caption();
}

void frmVQ::Show_Caption() {
  const QString mark = Undo && !Undo->isClean() ? QStringLiteral("*") : QString();
  setWindowTitle(m_caption.isEmpty() ? QStringLiteral("VQ") + mark
                                     : QStringLiteral("VQ - ") + m_caption + mark);
}

bool frmVQ::Cell_Edited(int row0, int column0, const QString& text) {
  if (m_busy || row0 < 0 || row0 >= Points.Count()) return false;
  // Leaving a cell as it was is no edit (and costs a grid value no rounding).
  if (text == lvModel->Row_Text(row0 + 1, column0 + 1)) return false;
  cVQPoint p = Points.Item(row0 + 1);
  QString refused;
  if (column0 == 0) {
    const cVQPoint* other = Points.Find(text.trimmed());
    if (text.trimmed().isEmpty()) {
      refused = QStringLiteral("לנקודה חייב להיות שם.");
    } else if (other && other != &Points.Item(row0 + 1)) {
      refused = QStringLiteral("ברשימה כבר יש נקודה בשם ") + other->Label +
                QStringLiteral(".") + kCrLf + QStringLiteral("השמות אינם מבחינים בין אותיות גדולות לקטנות.");
    }
    p.Label = text.trimmed();
  } else if (column0 == 1 || column0 == 2) {
    if (!Points.Place_From_Text(text, p.lat, p.lon, &Points.Item(row0 + 1), column0 + 1))
      refused = QStringLiteral("\"") + text + QStringLiteral("\" אינו מיקום בתצוגה הנוכחית.") +
                kCrLf + Place_Forms(Points.CoorSys());
  } else if (column0 == 3) {
    std::vector<double> alt;
    if (text.trimmed().isEmpty()) {
      p.alt = std::nan("");  // no altitude known
    } else if (PlaceText::Parse_Numbers(text, 1, alt) && std::fabs(alt[0]) < 100000) {
      p.alt = alt[0];
    } else {
      refused = QStringLiteral("הגובה צריך להיות מספר, במטרים.");
    }
  } else if (column0 == 4) {
    p.Comment = text;
  } else {
    return false;
  }
  if (!refused.isEmpty()) {
    Warn(refused);
    return false;
  }
  Undo->push(new cReplaceCommand(
      Points, [this](const cShown& s) { Show_Edit(s); }, row0, p, QStringLiteral("עריכה")));
  return true;
}

// After an edit: the rows it changed, in place where it changed only some, and the selection.
void frmVQ::Show_Edit(const cShown& shown) {
  if (shown.first >= 0) {
    Points.Redisplay_Rows(shown.first + 1, shown.last + 1);
    m_fitting = true;
    ColumnFit::Fit_Numbers(*lv, *lvModel, false);
    m_fitting = false;
    Show_Summary();
  } else {
    Points.Redisplay();
  }
  Select_Rows(shown.selected);
}

std::vector<int> frmVQ::Selected_Rows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : lv->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void frmVQ::Select_Rows(const std::vector<int>& rows0) {
  QItemSelection selection;
  for (size_t i = 0; i < rows0.size();) {
    size_t j = i + 1;
    while (j < rows0.size() && rows0[j] == rows0[j - 1] + 1) ++j;
    selection.select(lvModel->index(rows0[i], 0), lvModel->index(rows0[j - 1], 5));
    i = j;
  }
  if (rows0.empty()) return lv->selectionModel()->clearSelection();
  lv->selectionModel()->setCurrentIndex(lvModel->index(rows0.front(), 0),
                                        QItemSelectionModel::NoUpdate);
  lv->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  lv->scrollTo(lvModel->index(rows0.front(), 0));
}

void frmVQ::mnuEditDelete_Click() {
  const std::vector<int> rows = Selected_Rows();
  if (!Can_Edit() || rows.empty()) return;
  Undo->push(new cRowsCommand(
      Points, [this](const cShown& s) { Show_Edit(s); }, true, rows, {},
      QStringLiteral("מחיקה")));
}

// A new point after the selection (at the end when none is selected), at a place typed in the
// display shown; its name is the first free number, and its name cell opens for typing.
void frmVQ::mnuEditInsert_Click() {
  if (!Can_Edit()) return;
  const std::vector<int> rows = Selected_Rows();
  const int at = rows.empty() ? Points.Count() : rows.back() + 1;
  const QString text = m_services.Ask_Text(
      this, QStringLiteral("מיקום הנקודה החדשה:") + kCrLf + Place_Forms(Points.CoorSys()), {});
  if (text.isNull()) return;
  cVQPoint p;
  if (!Points.Place_From_Text(text, p.lat, p.lon)) {
    Warn(QStringLiteral("\"") + text + QStringLiteral("\" אינו מיקום בתצוגה הנוכחית.") + kCrLf +
         Place_Forms(Points.CoorSys()));
    return;
  }
  p.Label = Points.Free_Label();
  Undo->push(new cRowsCommand(
      Points, [this](const cShown& s) { Show_Edit(s); }, false, {at}, {p},
      QStringLiteral("הוספה")));
  lv->edit(lvModel->index(at, 0));
}

void frmVQ::mnuEditMove_Click(int step) {
  if (!Can_Edit()) return;
  std::vector<int> moved;
  std::vector<int> order = Edit_Order::Step(Points.Count(), Selected_Rows(), step, moved);
  if (order.empty()) return;
  Undo->push(new cOrderCommand(
      Points, [this](const cShown& s) { Show_Edit(s); }, std::move(order), std::move(moved),
      QStringLiteral("הזזה")));
}

bool frmVQ::Row_Drag_Event(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const QMimeData* data = drop->mimeData();
  const QString mime = QString::fromLatin1(cListModel::kRowsMime);
  if (!data || !data->hasFormat(mime)) return false;
  if (!Can_Edit()) {
    drop->ignore();
    return true;
  }
  // Copy, not move: the view would otherwise remove the dragged rows itself.
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type != QEvent::Drop) return true;
  std::vector<int> rows;
  for (const QByteArray& n : data->data(mime).split(' '))
    if (!n.isEmpty()) rows.push_back(n.toInt());
  const QPoint pos = drop->position().toPoint();
  const QModelIndex over = lv->indexAt(pos);
  const int dest = !over.isValid() ? Points.Count()
                                   : over.row() + (pos.y() > lv->visualRect(over).center().y());
  std::vector<int> moved;
  std::vector<int> order = Edit_Order::Drop(Points.Count(), rows, dest, moved);
  if (!order.empty())
    Undo->push(new cOrderCommand(
        Points, [this](const cShown& s) { Show_Edit(s); }, std::move(order), std::move(moved),
        QStringLiteral("הזזה")));
  return true;
}

// The selected rows as the list shows them, a TAB between cells and a line per row.
void frmVQ::mnuEditCopy_Click() {
  if (Cell_Open()) return;
  QString text;
  for (int r : Selected_Rows()) {
    for (int c = 1; c <= 6; ++c)
      text += lvModel->Row_Text(r + 1, c) + (c < 6 ? QStringLiteral("\t") : QStringLiteral("\n"));
  }
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

// The next point after the current one (round to the top) whose name or comment holds the text.
void frmVQ::mnuEditFind_Click() {
  if (Cell_Open()) return;
  const QString text =
      m_services.Ask_Text(this, QStringLiteral("חפש נקודה ששמה או הערתה מכילים:"), m_find);
  if (text.isEmpty()) return;
  m_find = text;
  const int n = Points.Count();
  const int from = lv->currentIndex().isValid() ? lv->currentIndex().row() + 1 : 0;
  for (int k = 0; k < n; ++k) {
    const int i = (from + k) % n;
    const cVQPoint& p = Points.Item(i + 1);
    if (p.Label.contains(text, Qt::CaseInsensitive) ||
        p.Comment.contains(text, Qt::CaseInsensitive))
      return Select_Rows({i});
  }
  Notice(QStringLiteral("לא נמצאה נקודה ששמה או הערתה מכילים \"") + text + QStringLiteral("\"."));
}

void frmVQ::mnuEditReverse_Click() {
  if (!Can_Edit() || Points.Count() < 2) return;
  Undo->push(new cReverseCommand(
      Points, [this](const cShown& s) { Show_Edit(s); }, QStringLiteral("היפוך")));
}

void frmVQ::mnuEditSimplify_Click() { Simplify_List(kRoute_Points); }

// The dropped points leave in one undoable step; a track becomes a route.
bool frmVQ::Simplify_List(int max_points) {
  if (!Can_Edit()) return false;
  cSimplified result;
  if (!frmSimplify::Ask(this, Points, max_points, result)) return false;
  std::vector<int> dropped;
  size_t k = 0;
  for (int r = 0; r < Points.Count(); ++r) {
    if (k < result.Kept.size() && result.Kept[k] == r) {
      ++k;
    } else {
      dropped.push_back(r);
    }
  }
  if (!dropped.empty())
    Undo->push(new cRowsCommand(
        Points, [this](const cShown& s) { Show_Edit(s); }, true, dropped, {},
        QStringLiteral("פישוט"), true));
  return true;
}

// A receiver's route holds a limited number of points: a longer list is offered simplification
// before it is uploaded; going on without it stays possible. True when the upload goes on.
bool frmVQ::Offer_Simplify() {
  if (Points.Count() <= kRoute_Points) return true;
  switch (m_services.Message(
      this,
      QStringLiteral("ברשימה %1 נקודות, ומסלול במכשיר מחזיק עד %2.")
              .arg(Points.Count())
              .arg(kRoute_Points) +
          kCrLf + QStringLiteral("לפשט את הרשימה לפני הטעינה?"),
      cServices::cButtons::Yes_No_Cancel, cServices::cIcon::Exclamation)) {
    case cServices::cAnswer::Yes:
      return Simplify_List(kRoute_Points);
    case cServices::cAnswer::No:
      return true;
    default:
      return false;
  }
}

// "3,000 נקודות, 12.34 ק"מ, 3:25:10 שעות, עלייה 450 מ' וירידה 430 מ' (בסף של 5 מ'), גובה 120 עד
// 870 מ'": a track's numbers; what the points do not have (times, altitudes) is left out.
QString frmVQ::Track_Summary() const {
  const cTrackStats s = Track_Stats(Points);
  const auto num = [](double v, int places) {
    QString t = QString::fromStdString(NumText::Rounded_Text(v, places));
    return t.startsWith(QLatin1Char('.')) ? QStringLiteral("0") + t : t;
  };
  QString text = QStringLiteral("%1 נקודות, %2 ק\"מ").arg(s.Points).arg(num(s.Distance_km, 2));
  if (s.Has_Time) {
    const qint64 sec = qint64(std::llround(s.Duration_s));
    text += QStringLiteral(", %1:%2:%3 שעות")
                .arg(sec / 3600)
                .arg(sec / 60 % 60, 2, 10, QLatin1Char('0'))
                .arg(sec % 60, 2, 10, QLatin1Char('0'));
  }
  if (s.Has_Alt) {
    text += QStringLiteral(", עלייה %1 מ' וירידה %2 מ' (בסף של %3 מ'), גובה %4 עד %5 מ'")
                .arg(num(s.Climb_m, 0), num(s.Descent_m, 0), num(s.Climb_Threshold_m, 0),
                     num(s.Min_Alt_m, 0), num(s.Max_Alt_m, 0));
  }
  return text;
}
