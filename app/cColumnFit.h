#pragma once
// The list's column widths from the texts they show: a number column (coordinates, altitude,
// distance) is at least as wide as its widest text, and the label and comment columns share
// what is left of the list's width.
#include <QString>

class QTreeView;
class cListModel;

namespace ColumnFit {
// Pixels a cell needs to show `text` whole: the text in the list's font, the cell's margins
// and a little room for letters of other widths (S and N, W and E).
int Text_Width(const QTreeView& lv, const QString& text);
// What a column needs for its header and its widest text. Only the texts with the most
// characters are measured, not every cell: a 32767-point list is measured in about a
// millisecond.
int Needed_Width(const QTreeView& lv, const cListModel& model, int column);
bool Is_Number_Column(int column);
// The number columns to their need; with exact false they are only widened.
void Fit_Numbers(QTreeView& lv, const cListModel& model, bool exact);
// The width the columns may fill without a horizontal scroll bar: the viewport's, less the
// vertical scroll bar when the rows will need one.
int Room(const QTreeView& lv);
// Label and comment take the rest: the label its need, but no more than a third of the rest,
// the comment the remainder; neither goes below its header.
void Fill_Text_Columns(QTreeView& lv, const cListModel& model);
// When the columns are wider than the room, the comment and then the label give way, down to
// their headers, so that the numbers stay in sight.
void Shrink_Text_Columns(QTreeView& lv);
}  // namespace ColumnFit
