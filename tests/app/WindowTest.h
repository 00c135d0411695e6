#pragma once
// The real window started with the fake services, its settings in a temporary folder.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "app/frmVQ.h"
#include "tests/app/cFakeServices.h"

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    services.program_folder = dir.path();
    Put("Map/Tiles", "0");  // no window under test asks a tile server
  }
  static QSettings Store() { return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")); }
  QString Stored(const QString& key) { return Store().value(key).toString(); }
  bool Has(const QString& key) { return Store().contains(key); }
  void Put(const QString& key, const QString& value) {
    QSettings s = Store();
    s.setValue(key, value);
  }
  // A window that has been started before: no readme at start.
  std::unique_ptr<frmVQ> Started(const QString& command_line = {}) {
    Put("Settings/1StUse", "1");
    auto w = std::make_unique<frmVQ>(services);
    EXPECT_TRUE(w->Form_Load(command_line));
    return w;
  }
  static QString Data(const QString& name) { return QStringLiteral(VQ_TEST_DATA "/") + name; }
  QTemporaryDir dir;
  cFakeServices services;
};
