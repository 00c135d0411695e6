#pragma once
// The list's edits as undo steps. Each changes the points, then tells the window what to show
// again: a few rows in place, or the whole list, and which rows to select.
#include <QUndoCommand>
#include <functional>
#include <vector>

#include "points/cVQPoints.h"

struct cShown {
  int first = -1, last = -1;   // 0-based rows changed in place; -1: the whole list
  std::vector<int> selected;  // 0-based
};
using cShow = std::function<void(const cShown&)>;

// One point replaced by an edited copy.
class cReplaceCommand : public QUndoCommand {
 public:
  cReplaceCommand(cVQPoints& points, cShow show, int row0, cVQPoint after, const QString& text);
  void undo() override { Put(m_before); }
  void redo() override { Put(m_after); }

 private:
  void Put(const cVQPoint& p);
  cVQPoints& m_points;
  cShow m_show;
  int m_row;
  cVQPoint m_before, m_after;
};

// Points leaving the list (deleted, or dropped by a simplification) or coming into it. A track
// point that leaves passes its segment mark on; undo gives every point its mark back.
class cRowsCommand : public QUndoCommand {
 public:
  // remove: the points at rows0 (increasing) leave; otherwise `in` come in at rows0. to_route:
  // the simplification of a track, which becomes a route.
  cRowsCommand(cVQPoints& points, cShow show, bool remove, std::vector<int> rows0,
               std::vector<cVQPoint> in, const QString& text, bool to_route = false);
  void undo() override { Apply(!m_remove); }
  void redo() override { Apply(m_remove); }

 private:
  void Apply(bool remove);
  std::vector<char> Marks() const;
  cVQPoints& m_points;
  cShow m_show;
  bool m_remove, m_to_route, m_was_track;
  std::vector<int> m_rows;
  std::vector<cVQPoint> m_taken;
  std::vector<char> m_marks[2];  // the segment marks without the points (0) and with them (1)
};

// The list end for end.
class cReverseCommand : public QUndoCommand {
 public:
  cReverseCommand(cVQPoints& points, cShow show, const QString& text)
      : QUndoCommand(text), m_points(points), m_show(std::move(show)) {}
  void undo() override { redo(); }
  void redo() override;

 private:
  cVQPoints& m_points;
  cShow m_show;
};

// The rows in another order: moved up or down, or dragged.
class cOrderCommand : public QUndoCommand {
 public:
  // order0: row i afterwards holds what row order0[i] held; moved0: where the moved rows end up.
  cOrderCommand(cVQPoints& points, cShow show, std::vector<int> order0, std::vector<int> moved0,
                const QString& text);
  void undo() override;
  void redo() override;

 private:
  cVQPoints& m_points;
  cShow m_show;
  std::vector<int> m_order, m_moved, m_was;
};

namespace Edit_Order {
// The order that moves the rows0 (increasing) one step up (step -1) or down (+1), each as far
// as its neighbours let it; moved0 receives where they end up. Empty when none can move.
std::vector<int> Step(int count, const std::vector<int>& rows0, int step,
                      std::vector<int>& moved0);
// The order that puts rows0 (increasing), in their order, before row dest0 (0 to count) of the
// list as it is. Empty when that changes nothing.
std::vector<int> Drop(int count, const std::vector<int>& rows0, int dest0,
                      std::vector<int>& moved0);
}  // namespace Edit_Order
