// VQ: the window on the point list.
#include <QApplication>

#include "app/Translations.h"
#include "app/cQtServices.h"
#include "app/frmVQ.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("VQ"));
  QCoreApplication::setApplicationName(QStringLiteral("VQ"));
  QApplication::setLayoutDirection(Qt::RightToLeft);
  Install_Qt_Translations();
  // The whole text after the program name names the file, spaces and all.
  const QString command_line = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
  cQtServices services;
  frmVQ window(services);
  if (!window.Form_Load(command_line)) return 0;
  window.show();
  return app.exec();
}
