#include "app/cStatusLabel.h"

#include <QPainter>
#include <QStyle>

cStatusLabel::cStatusLabel(QWidget* parent, bool whole) : QLabel(parent), m_whole(whole) {
  setContentsMargins(6, 0, 6, 0);
  setTextFormat(Qt::PlainText);
}

QSize cStatusLabel::minimumSizeHint() const {
  const QSize whole = sizeHint();
  if (m_whole || text().isEmpty()) return whole;
  const QMargins m = contentsMargins();
  return {qMin(whole.width(),
               fontMetrics().horizontalAdvance(QStringLiteral("…")) + m.left() + m.right()),
          whole.height()};
}

void cStatusLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setLayoutDirection(layoutDirection());
  const QRect room = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
  setToolTip(shown == text() ? QString() : text());
  style()->drawItemText(
      &painter, room,
      int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::AlignVCenter, palette(),
      isEnabled(), shown, foregroundRole());
}
