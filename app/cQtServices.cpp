#include "app/cQtServices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace {
// "desc (*.a)|*.a|desc2|*.b" -> {"desc (*.a)", "desc2 (*.b)"}, the entries of Qt's dialogs.
// The pattern is embedded left to right (U+202A), so that the Hebrew dialog shows "(*.txt)",
// not "(txt.*)"; Qt still finds the pattern between the last parentheses.
QStringList Qt_Filters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString desc = parts[i];
    const QString shown = QStringLiteral(" (") + parts[i + 1] + ')';
    if (desc.endsWith(shown)) desc.chop(shown.size());
    out << desc + QStringLiteral(" \u202A(") + parts[i + 1] + ')';
  }
  return out;
}
QString Qt_Filter(const QString& filter) { return Qt_Filters(filter).join(QStringLiteral(";;")); }

// A question box titled "VQ", laid out right to left, with its text.
void Prepare_Box(QInputDialog& box, const QString& text) {
  box.setWindowTitle(QStringLiteral("VQ"));
  box.setLayoutDirection(Qt::RightToLeft);
  box.setLabelText(text);
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
    case cButtons::Save_Discard_Cancel:
      box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Save);
      break;
    case cButtons::Yes_No_Cancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      break;
  }
  // Closing the box by its frame or Escape is Cancel wherever Cancel is offered.
  const int answer = box.exec();
  if (answer == QMessageBox::Retry) return cAnswer::Retry;
  if (answer == QMessageBox::Save) return cAnswer::Save;
  if (answer == QMessageBox::Discard) return cAnswer::Discard;
  if (answer == QMessageBox::Cancel) return cAnswer::Cancel;
  if (answer == QMessageBox::Yes) return cAnswer::Yes;
  if (answer == QMessageBox::No) return cAnswer::No;
  return cAnswer::OK;
}

QString cQtServices::Open_File_Name(QWidget* owner, const QString& folder, const QString& title,
                                    const QString& filter) {
  return QFileDialog::getOpenFileName(owner, title, folder, Qt_Filter(filter));
}

QString cQtServices::Save_File_Name(QWidget* owner, const QString& folder, const QString& name,
                                    const QString& title, const QString& filter,
                                    int* chosen_filter) {
  // The window adds the ending and asks before replacing, once it knows the whole name.
  const QStringList entries = Qt_Filters(filter);
  QString selected = entries.value(chosen_filter ? *chosen_filter : 0, entries.value(0));
  const QString start = name.isEmpty() ? folder : QDir(folder).filePath(name);
  const QString path = QFileDialog::getSaveFileName(owner, title, start, Qt_Filter(filter),
                                                    &selected, QFileDialog::DontConfirmOverwrite);
  if (chosen_filter) *chosen_filter = qMax(0, entries.indexOf(selected));
  return path;
}

QString cQtServices::Ask_Text(QWidget* owner, const QString& text, const QString& initial) {
  QInputDialog box(owner);
  Prepare_Box(box, text);
  box.setTextValue(initial);
  if (box.exec() != QDialog::Accepted) return QString();
  // An empty answer is still an answer, not a cancel.
  const QString typed = box.textValue();
  return typed.isNull() ? QStringLiteral("") : typed;
}

int cQtServices::Choose(QWidget* owner, const QString& text, const QStringList& items) {
  QInputDialog box(owner);
  Prepare_Box(box, text);
  box.setComboBoxItems(items);
  if (box.exec() != QDialog::Accepted) return -1;
  return int(items.indexOf(box.textValue()));
}

bool cQtServices::Open_Document(const QString& path) {
  if (!QFileInfo::exists(path)) return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // QDesktopServices calls it a success once xdg-open has started, also when xdg-open then
  // finds no viewer; its exit status tells. A viewer that keeps xdg-open waiting has opened.
  const QString xdg_open = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (!xdg_open.isEmpty()) {
    constexpr int kOpenWait_ms = 3000;
    // Not parented: a viewer still open when VQ ends is left open.
    auto* opener = new QProcess;
    opener->setProgram(xdg_open);
    opener->setArguments({path});
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    opener->start();
    if (!opener->waitForStarted(kOpenWait_ms)) {
      delete opener;
      return false;
    }
    if (!opener->waitForFinished(kOpenWait_ms)) return true;
    return opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
  }
#endif
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString cQtServices::Program_Folder() { return QCoreApplication::applicationDirPath(); }

void cQtServices::End_Process() {
  std::fflush(nullptr);
  std::_Exit(0);
}
