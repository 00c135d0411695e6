#include "app/cQtServices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace {
// "desc|*.a|desc2|*.b" -> "desc (*.a);;desc2 (*.b)", as Qt's dialogs take it.
QString Qt_Filter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString& desc = parts[i];
    out << (desc.contains(parts[i + 1]) ? desc : desc + QStringLiteral(" (") + parts[i + 1] + ')');
  }
  return out.join(QStringLiteral(";;"));
}
}  // namespace

cServices::cAnswer cQtServices::Message(QWidget* owner, const QString& text, cButtons buttons,
                                        cIcon icon) {
  QMessageBox box(owner);
  box.setWindowTitle(QStringLiteral("VQ"));
  box.setLayoutDirection(Qt::RightToLeft);
  QString shown = text;
  box.setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setIcon(icon == cIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
  switch (buttons) {
    case cButtons::OK:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case cButtons::Retry_Cancel:
      box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
      break;
    case cButtons::OK_Cancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
  }
  const int answer = box.exec();
  if (answer == QMessageBox::Retry) return cAnswer::Retry;
  if (answer == QMessageBox::Cancel) return cAnswer::Cancel;
  return cAnswer::OK;
}

QString cQtServices::Open_File_Name(QWidget* owner, const QString& folder, const QString& title,
                                    const QString& filter) {
  return QFileDialog::getOpenFileName(owner, title, folder, Qt_Filter(filter));
}

QString cQtServices::Save_File_Name(QWidget* owner, const QString& folder, const QString& title,
                                    const QString& filter) {
  // No extension is added and no question is asked before replacing: the name decides.
  return QFileDialog::getSaveFileName(owner, title, folder, Qt_Filter(filter), nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

int cQtServices::Choose(QWidget* owner, const QString& text, const QStringList& items) {
  QInputDialog box(owner);
  box.setWindowTitle(QStringLiteral("VQ"));
  box.setLayoutDirection(Qt::RightToLeft);
  box.setLabelText(text);
  box.setComboBoxItems(items);
  if (box.exec() != QDialog::Accepted) return -1;
  return int(items.indexOf(box.textValue()));
}

bool cQtServices::Open_Document(const QString& path) {
  return QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString cQtServices::Program_Folder() { return QCoreApplication::applicationDirPath(); }

void cQtServices::End_Process() {
  std::fflush(nullptr);
  std::_Exit(0);
}
