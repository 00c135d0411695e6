#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool Install_Qt_Translations() {
  // One translator for the life of the application; loading it again changes nothing.
  static QTranslator* translator = nullptr;
  if (translator) return true;
  auto* candidate = new QTranslator(QCoreApplication::instance());
  if (!candidate->load(QStringLiteral("qtbase_he"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete candidate;
    return false;
  }
  QCoreApplication::installTranslator(candidate);
  translator = candidate;
  return true;
}
