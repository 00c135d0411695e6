#include "app/cColumnFit.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

#include "app/cListModel.h"

namespace {
constexpr int kLabel = 0, kComment = 4;
constexpr int kColumns = 6;
// Texts of the longest length that are measured; more of them only cost time.
constexpr int kSampled = 16;

int Header_Width(const QTreeView& lv, int column) { return lv.header()->sectionSizeHint(column); }
}  // namespace

namespace ColumnFit {

bool Is_Number_Column(int column) { return column != kLabel && column != kComment; }

int Text_Width(const QTreeView& lv, const QString& text) {
  const QFontMetrics fm = lv.fontMetrics();
  // The delegate leaves this margin on each side of a cell's text.
  const int margin = lv.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &lv) + 1;
  return fm.horizontalAdvance(text) + 2 * margin + fm.horizontalAdvance(QLatin1Char('0')) / 2;
}

int Needed_Width(const QTreeView& lv, const cListModel& model, int column) {
  int need = Header_Width(lv, column);
  for (int row : model.Longest_Rows(column, kSampled))
    need = qMax(need, Text_Width(lv, model.Row_Text(row + 1, column + 1)));
  return need;
}

void Fit_Numbers(QTreeView& lv, const cListModel& model, bool exact) {
  for (int c = 0; c < kColumns; ++c) {
    if (!Is_Number_Column(c)) continue;
    const int need = Needed_Width(lv, model, c);
    if (exact || lv.columnWidth(c) < need) lv.setColumnWidth(c, need);
  }
}

int Room(const QTreeView& lv) {
  const QSize viewport = lv.maximumViewportSize();
  int room = viewport.width();
  const int rows = lv.model() ? lv.model()->rowCount() : 0;
  const int row_height = rows > 0 ? lv.sizeHintForRow(0) : 0;
  const int header = lv.header()->isHidden() ? 0 : lv.header()->sizeHint().height();
  if (lv.verticalScrollBar()->isVisible() || qint64(rows) * row_height > viewport.height() - header)
    room -= lv.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &lv);
  return room;
}

void Fill_Text_Columns(QTreeView& lv, const cListModel& model) {
  int rest = Room(lv);
  for (int c = 0; c < kColumns; ++c)
    if (Is_Number_Column(c)) rest -= lv.columnWidth(c);
  const int label_min = Header_Width(lv, kLabel), comment_min = Header_Width(lv, kComment);
  const int label = qMax(label_min, qMin(Needed_Width(lv, model, kLabel), rest / 3));
  lv.setColumnWidth(kLabel, label);
  lv.setColumnWidth(kComment, qMax(comment_min, rest - label));
}

void Shrink_Text_Columns(QTreeView& lv) {
  int over = -Room(lv);
  for (int c = 0; c < kColumns; ++c) over += lv.columnWidth(c);
  for (int c : {kComment, kLabel}) {
    if (over <= 0) return;
    const int width = lv.columnWidth(c);
    const int narrower = qMax(Header_Width(lv, c), width - over);
    if (narrower < width) {
      lv.setColumnWidth(c, narrower);
      over -= width - narrower;
    }
  }
}

}  // namespace ColumnFit
