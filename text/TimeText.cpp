#include "text/TimeText.h"

#include <QTimeZone>

namespace {
const QString kForm = QStringLiteral("yyyy/MM/dd-HH:mm:ss");
}

QString Local_Time_Text(const QDateTime& utc) {
  return Local_Time_Text(utc, QTimeZone::systemTimeZone());
}

QString Local_Time_Text(const QDateTime& utc, const QTimeZone& zone) {
  if (!utc.isValid()) return {};
  return utc.toTimeZone(zone).toString(kForm);
}

QDateTime Utc_From_Time_Text(const QString& text) {
  QDateTime t = QDateTime::fromString(text, kForm);
  if (!t.isValid()) return {};
  t.setTimeZone(QTimeZone::utc());
  return t;
}
