#pragma once
// The settings dialog's base map box: on or off, the tiles' URL template and the credit drawn
// on the map. Read from the settings store when made, written by Save.
#include <QGroupBox>

class QLineEdit;
class QSettings;

class cMapSettings : public QGroupBox {
  Q_OBJECT
 public:
  explicit cMapSettings(QWidget* parent = nullptr);
  QLineEdit* txtTiles;
  QLineEdit* txtAttribution;
  // A template the map can use: http, https or file, with {z}, {x} and {y}.
  static bool Usable(const QString& url_template);
  // An unusable template is not stored; the one before it stays.
  void Save(QSettings& store) const;
};
