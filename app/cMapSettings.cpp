#include "app/cMapSettings.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QSettings>
#include <QUrl>

#include "app/cMapPane.h"

cMapSettings::cMapSettings(QWidget* parent) : QGroupBox(QStringLiteral("מפת רקע"), parent) {
  setCheckable(true);
  setChecked(cMapPane::Tiles_On() == QLatin1String("1"));
  txtTiles = new QLineEdit(cMapPane::Tile_Template(), this);
  txtTiles->setLayoutDirection(Qt::LeftToRight);
  txtAttribution = new QLineEdit(cMapPane::Attribution(), this);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("כתובת האריחים:"), txtTiles);
  form->addRow(QStringLiteral("קרדיט:"), txtAttribution);
  // A template the map cannot use is shown in red as it is typed.
  connect(txtTiles, &QLineEdit::textChanged, this, [this](const QString& text) {
    txtTiles->setStyleSheet(Usable(text) ? QString() : QStringLiteral("color: red"));
  });
}

bool cMapSettings::Usable(const QString& url_template) {
  const QString t = url_template.trimmed();
  const QString scheme = QUrl(t).scheme();
  return (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
          scheme == QLatin1String("file")) &&
         t.contains(QLatin1String("{z}")) && t.contains(QLatin1String("{x}")) &&
         t.contains(QLatin1String("{y}"));
}

void cMapSettings::Save(QSettings& store) const {
  store.setValue(QStringLiteral("Map/Tiles"),
                 isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
  if (Usable(txtTiles->text()))
    store.setValue(QStringLiteral("Map/Template"), txtTiles->text().trimmed());
  store.setValue(QStringLiteral("Map/Attribution"), txtAttribution->text().trimmed());
}
