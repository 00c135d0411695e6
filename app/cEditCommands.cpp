#include "app/cEditCommands.h"

#include <algorithm>
#include <numeric>

cReplaceCommand::cReplaceCommand(cVQPoints& points, cShow show, int row0, cVQPoint after,
                                 const QString& text)
    : QUndoCommand(text),
      m_points(points),
      m_show(std::move(show)),
      m_row(row0),
      m_before(points.Item(row0 + 1)),
      m_after(std::move(after)) {}

void cReplaceCommand::Put(const cVQPoint& p) {
  m_points.Replace(m_row + 1, p);
  m_show({m_row, m_row, {m_row}});
}

cRowsCommand::cRowsCommand(cVQPoints& points, cShow show, bool remove, std::vector<int> rows0,
                           std::vector<cVQPoint> in, const QString& text, bool to_route)
    : QUndoCommand(text),
      m_points(points),
      m_show(std::move(show)),
      m_remove(remove),
      m_to_route(to_route),
      m_was_track(points.From_Track),
      m_rows(std::move(rows0)),
      m_taken(std::move(in)) {
  if (remove)
    for (int r : m_rows) m_taken.push_back(points.Item(r + 1));
  m_marks[remove ? 1 : 0] = Marks();
}

std::vector<char> cRowsCommand::Marks() const {
  std::vector<char> marks;
  marks.reserve(size_t(m_points.Count()));
  for (const cVQPoint& p : m_points) marks.push_back(p.New_Segment);
  return marks;
}

void cRowsCommand::Apply(bool remove) {
  cShown shown;
  if (remove) {
    std::vector<int> kept;
    kept.reserve(size_t(qMax(0, m_points.Count() - int(m_rows.size()))));
    size_t k = 0;
    for (int r = 0; r < m_points.Count(); ++r) {
      if (k < m_rows.size() && m_rows[k] == r) {
        ++k;
      } else {
        kept.push_back(r);
      }
    }
    m_points.Keep(kept);
    if (!m_rows.empty()) shown.selected = {qMin(m_rows.front(), m_points.Count() - 1)};
  } else {
    m_points.Insert_Rows(m_rows, m_taken);
    shown.selected = m_rows;
  }
  std::vector<char>& marks = m_marks[remove ? 0 : 1];
  if (marks.empty()) {
    marks = Marks();
  } else {
    for (int i = 0; i < m_points.Count() && size_t(i) < marks.size(); ++i) {
      cVQPoint p = m_points.Item(i + 1);
      if (p.New_Segment == bool(marks[size_t(i)])) continue;
      p.New_Segment = marks[size_t(i)];
      m_points.Replace(i + 1, std::move(p));
    }
  }
  // The simplification makes a route; its undo gives the track back.
  if (m_to_route) m_points.From_Track = remove == m_remove ? false : m_was_track;
  m_show(shown);
}

void cReverseCommand::redo() {
  m_points.Reverse();
  m_show({-1, -1, {}});
}

cOrderCommand::cOrderCommand(cVQPoints& points, cShow show, std::vector<int> order0,
                             std::vector<int> moved0, const QString& text)
    : QUndoCommand(text),
      m_points(points),
      m_show(std::move(show)),
      m_order(std::move(order0)),
      m_moved(std::move(moved0)) {
  // The rows the moved points held before, for the selection after an undo.
  for (int r : m_moved) m_was.push_back(m_order[size_t(r)]);
}

void cOrderCommand::redo() {
  m_points.Reorder(m_order);
  m_show({-1, -1, m_moved});
}

void cOrderCommand::undo() {
  std::vector<int> back(m_order.size());
  for (size_t i = 0; i < m_order.size(); ++i) back[size_t(m_order[i])] = int(i);
  m_points.Reorder(back);
  std::vector<int> was = m_was;
  std::sort(was.begin(), was.end());
  m_show({-1, -1, was});
}

namespace Edit_Order {
std::vector<int> Step(int count, const std::vector<int>& rows0, int step,
                      std::vector<int>& moved0) {
  std::vector<int> order(size_t(qMax(count, 0)));
  std::iota(order.begin(), order.end(), 0);
  std::vector<char> sel(order.size(), 0);
  for (int r : rows0)
    if (r >= 0 && r < count) sel[size_t(r)] = 1;
  bool any = false;
  const auto swap_at = [&](int a, int b) {
    if (sel[size_t(a)] && !sel[size_t(b)]) {
      std::swap(order[size_t(a)], order[size_t(b)]);
      std::swap(sel[size_t(a)], sel[size_t(b)]);
      any = true;
    }
  };
  if (step < 0) {
    for (int i = 1; i < count; ++i) swap_at(i, i - 1);
  } else {
    for (int i = count - 2; i >= 0; --i) swap_at(i, i + 1);
  }
  moved0.clear();
  for (int i = 0; i < count; ++i)
    if (sel[size_t(i)]) moved0.push_back(i);
  return any ? order : std::vector<int>();
}

std::vector<int> Drop(int count, const std::vector<int>& rows0, int dest0,
                      std::vector<int>& moved0) {
  std::vector<char> sel(size_t(qMax(count, 0)), 0);
  std::vector<int> picked;
  for (int r : rows0)
    if (r >= 0 && r < count && !sel[size_t(r)]) sel[size_t(r)] = 1, picked.push_back(r);
  std::vector<int> order;
  order.reserve(sel.size());
  for (int i = 0; i < qMin(dest0, count); ++i)
    if (!sel[size_t(i)]) order.push_back(i);
  const int at = int(order.size());
  order.insert(order.end(), picked.begin(), picked.end());
  for (int i = qMax(dest0, 0); i < count; ++i)
    if (!sel[size_t(i)]) order.push_back(i);
  moved0.resize(picked.size());
  std::iota(moved0.begin(), moved0.end(), at);
  for (int i = 0; i < count; ++i)
    if (order[size_t(i)] != i) return order;
  return {};
}
}  // namespace Edit_Order
