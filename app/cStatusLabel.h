#pragma once
// A status bar panel. A text panel gives way when the bar is short of room and then ends its
// text with "…" (the whole text as its tool tip); a panel of numbers (Whole) is never cut.
#include <QLabel>

class cStatusLabel : public QLabel {
 public:
  explicit cStatusLabel(QWidget* parent, bool whole = false);
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool m_whole;
};
