// The window's files: Open, a file dropped on the list, the command line, and Save As.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

#include "app/cServices.h"
#include "app/frmPick.h"
#include "app/frmRteData.h"
#include "app/frmVQ.h"
#include "files/Exports.h"
#include "files/PointFile.h"
#include "files/TwlFile.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// The folder the dialog starts in: the "Path" setting, or the program's own folder.
QString Start_Folder(cServices& services) {
  return frmVQ::Setting(QStringLiteral("Settings/Path"), services.Program_Folder());
}
}  // namespace

void frmVQ::mnuFileOpen_Click() {
  const QString path =
      m_services.Open_File_Name(this, Start_Folder(m_services), QStringLiteral("פתיחת קובץ:"),
                                QStringLiteral("קבצי נקודות (*.twl *.gpx *.csv)|*.twl *.gpx *.csv|"
                                               "קבצי TWL (*.twl)|*.twl|קבצי GPX (*.gpx)|*.gpx|"
                                               "קבצי CSV (*.csv)|*.csv"));
  if (path.isEmpty()) return;
  Save_Setting(QStringLiteral("Settings/Path"), QFileInfo(path).absolutePath());
  Open_File(path);
  Close_RteData();
}

void frmVQ::Close_RteData() {
  if (RteData) {
    RteData->close();
    delete RteData;
  }
}

void frmVQ::Open_File(const QString& path) {
  if (Point_File_Kind(path) != cPointFileKind::None) {
    Load_TWL(path);
  } else {
    Warn(QStringLiteral("קובץ אינו מתאים"));
  }
}

void frmVQ::Load_TWL(const QString& path) {
  // A .twl, .gpx or .csv; a GPX file with several parts asks which one.
  const cLoadResult result = Load_Point_File(
      path, Points, {},
      [this](const QVector<cChoice>& choices) { return frmPick::Ask(this, choices); });
  if (result.status != cLoadResult::Loaded) {
    // The list, the caption and the file title stay as they were.
    const QString text = Load_Failure_Text(result, path);
    if (!text.isEmpty()) Warn(text);
    return;
  }
  FileTitle = Path_To_Name(path);
  setWindowTitle(QStringLiteral("VQ - ") + FileTitle);
  if (result.duplicates > 0) {
    Notice(QStringLiteral("%1 נקודות לא נטענו כי שמן כבר מופיע ברשימה.").arg(result.duplicates) +
           kCrLf + QStringLiteral("הראשונה שבהן: ") + result.first_duplicate);
  }
  if (result.cut) Notice(QStringLiteral("הנקודה האחרונה בקובץ קטועה ולא נטענה."));
}

bool frmVQ::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lv->viewport()) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      static_cast<QDropEvent*>(event)->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QMimeData* data = drop->mimeData();
      const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
      drop->acceptProposedAction();
      if (urls.size() == 1 && urls[0].isLocalFile()) {
        Open_File(QDir::toNativeSeparators(urls[0].toLocalFile()));
      } else {
        Warn(QStringLiteral("קובץ אינו מתאים"));
      }
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmVQ::mnuFileSaveAs_Click() {
  const QString path = m_services.Save_File_Name(
      this, Start_Folder(m_services), QStringLiteral("שמירת קובץ:"),
      QStringLiteral("קובץ טקסט לטעינה לטורבו סידי (*.txt)|*.txt|קובץ לטעינה לאקסל (*.csv)|*.csv|"
                     "קובץ GPX (*.gpx)|*.gpx"));
  if (path.isEmpty()) return;
  Save_Setting(QStringLiteral("Settings/Path"), QFileInfo(path).absolutePath());
  const cSaveResult result = Save_As(path, Points);
  if (result.status == cSaveResult::Not_Suitable) {
    Warn(QStringLiteral("הקובץ לא נשמר: שם הקובץ צריך להסתיים ב-txt., ב-csv. או ב-gpx."));
  } else if (result.status == cSaveResult::Write_Failed) {
    Warn(QStringLiteral("שמירת הקובץ נכשלה.") + kCrLf + path);
  }
}
