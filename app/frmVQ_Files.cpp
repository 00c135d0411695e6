// The window's files: Open, a file dropped on the list, the command line, and Save As; and the
// question before a list that is not saved is replaced.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QTreeView>
#include <QUndoStack>
#include <QUrl>

#include "app/cColumnFit.h"
#include "app/cListModel.h"
#include "app/cServices.h"
#include "app/frmPick.h"
#include "app/frmRteData.h"
#include "app/frmVQ.h"
#include "files/Exports.h"
#include "files/PointFile.h"
#include "files/TwlFile.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// A kind of file the dialogs offer: its description and its ending.
struct cFileType {
  const char* description;
  const char* ending;
};
// What Open reads, and what Save As writes, in the order the dialogs offer them.
const cFileType kOpenTypes[] = {{"קבצי TWL", ".twl"}, {"קבצי GPX", ".gpx"}, {"קבצי CSV", ".csv"}};
const cFileType kSaveTypes[] = {
    {"קובץ טקסט לטעינה לטורבו סידי", ".txt"}, {"קובץ לטעינה לאקסל", ".csv"}, {"קובץ GPX", ".gpx"}};

// "description (*.end)|*.end|...", the filter the file dialogs take; with `all`, an entry for
// every ending comes first.
template <size_t N>
QString Filter_Of(const cFileType (&types)[N], const char* all = nullptr) {
  QStringList parts, every;
  for (const cFileType& t : types) every << QStringLiteral("*") + QLatin1String(t.ending);
  if (all) {
    const QString patterns = every.join(QLatin1Char(' '));
    parts << QString::fromUtf8(all) + QStringLiteral(" (") + patterns + ')' << patterns;
  }
  for (const cFileType& t : types) {
    const QString pattern = QStringLiteral("*") + QLatin1String(t.ending);
    parts << QString::fromUtf8(t.description) + QStringLiteral(" (") + pattern + ')' << pattern;
  }
  return parts.join(QLatin1Char('|'));
}

// The name as it is written: a name without an ending gets the ending of the type chosen in
// the dialog ("track" with the CSV entry is track.csv).
QString With_Ending(QString path, int chosen) {
  const QFileInfo info(path);
  if (!info.suffix().isEmpty() || info.fileName().isEmpty()) return path;
  while (path.endsWith(QLatin1Char('.'))) path.chop(1);
  const int n = int(std::size(kSaveTypes));
  return path + QLatin1String(kSaveTypes[chosen >= 0 && chosen < n ? chosen : 0].ending);
}

// The name Save As offers: the list's file title, without an ending Save As cannot write.
QString Suggested_Name(const QString& title) {
  for (const cFileType& t : kSaveTypes)
    if (title.endsWith(QLatin1String(t.ending), Qt::CaseInsensitive)) return title;
  return QFileInfo(title).completeBaseName();
}

// The folder the dialog starts in: the "Path" setting, or the program's own folder.
QString Start_Folder(cServices& services) {
  return frmVQ::Setting(QStringLiteral("Settings/Path"), services.Program_Folder());
}
}  // namespace

void frmVQ::mnuFileOpen_Click() {
  const QString path =
      m_services.Open_File_Name(this, Start_Folder(m_services), QStringLiteral("פתיחת קובץ:"),
                                Filter_Of(kOpenTypes, "קבצי נקודות"));
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
  if (Point_File_Kind(path) == cPointFileKind::None) {
    Warn(QStringLiteral("קובץ אינו מתאים"));
    return;
  }
  if (!Confirm_Discard()) return;
  Load_TWL(path);
}

void frmVQ::Load_TWL(const QString& path) {
  // A .twl, .gpx or .csv; a GPX file with several parts asks which one.
  QString part;  // the part chosen, named in the caption
  const cLoadResult result =
      Load_Point_File(path, Points, {}, [this, &part](const QVector<cChoice>& choices) {
        const int chosen = frmPick::Ask(this, choices);
        if (chosen >= 0 && chosen < choices.size()) part = frmPick::Part_Name(choices[chosen]);
        return chosen;
      });
  if (result.status != cLoadResult::Loaded) {
    // The list, the caption and the file title stay as they were.
    const QString text = Load_Failure_Text(result, path);
    if (!text.isEmpty()) Warn(text);
    return;
  }
  m_unsaved = false;
  Undo->clear();
  FileTitle = Path_To_Name(path);
  Set_Caption(FileTitle + (part.isEmpty() ? QString() : QStringLiteral(" - ") + part));
  // The next dialog starts where this file came from, however it was opened.
  Save_Setting(QStringLiteral("Settings/Path"), QFileInfo(path).absolutePath());
  sbPanel1->clear();
  sbPanel2->clear();
  m_auto_widths = true;
  List_Changed();
  Map_Fit();
  if (result.duplicates > 0) {
    Notice(QStringLiteral("%1 נקודות לא נטענו כי שמן כבר מופיע ברשימה.").arg(result.duplicates) +
           kCrLf + QStringLiteral("הראשונה שבהן: ") + result.first_duplicate);
  }
  if (result.cut) Notice(QStringLiteral("הנקודה האחרונה בקובץ קטועה ולא נטענה."));
}

void frmVQ::List_From_Receiver(const QString& receiver) {
  Mark_From_Receiver(receiver);
  List_Changed();
}

void frmVQ::Mark_From_Receiver(const QString& receiver) {
  m_unsaved = true;
  Undo->clear();
  FileTitle.clear();
  Set_Caption(receiver);
  m_auto_widths = true;
  Map_Fit();
}

bool frmVQ::Confirm_Discard() {
  if (!List_Unsaved()) return true;
  const QString what = m_unsaved ? QStringLiteral("הרשימה שנקראה מה-GPS לא נשמרה.")
                                 : QStringLiteral("השינויים ברשימה לא נשמרו.");
  switch (m_services.Message(this, what + kCrLf + QStringLiteral("לשמור אותה?"),
                             cServices::cButtons::Save_Discard_Cancel,
                             cServices::cIcon::Exclamation)) {
    case cServices::cAnswer::Save:
      return Save_List_As();
    case cServices::cAnswer::Discard:
      return true;
    default:
      return false;
  }
}

bool frmVQ::eventFilter(QObject* watched, QEvent* event) {
  if (Cancel_On_Escape(watched, event)) return true;
  if (watched == lv->viewport()) {
    if (Row_Drag_Event(event)) return true;
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

void frmVQ::mnuFileSaveAs_Click() { Save_List_As(); }

bool frmVQ::Save_List_As() {
  // The dialog offers the type of the last save first.
  const QString last = Setting(QStringLiteral("Settings/SaveType"), QString());
  int chosen = 0;
  for (int i = 0; i < int(std::size(kSaveTypes)); ++i)
    if (last == QLatin1String(kSaveTypes[i].ending)) chosen = i;
  QString path =
      m_services.Save_File_Name(this, Start_Folder(m_services), Suggested_Name(FileTitle),
                                QStringLiteral("שמירת קובץ:"), Filter_Of(kSaveTypes), &chosen);
  if (path.isEmpty()) return false;
  Save_Setting(QStringLiteral("Settings/Path"), QFileInfo(path).absolutePath());
  path = With_Ending(path, chosen);
  if (Export_Kind(path) == cExportKind::None) {
    Warn(QStringLiteral("הקובץ לא נשמר: שם הקובץ צריך להסתיים ב-txt., ב-csv. או ב-gpx."));
    return false;
  }
  if (QFileInfo::exists(path) &&
      m_services.Message(this,
                         QStringLiteral("הקובץ ") + Path_To_Name(path) +
                             QStringLiteral(" כבר קיים.") + kCrLf + QStringLiteral("להחליף אותו?"),
                         cServices::cButtons::OK_Cancel,
                         cServices::cIcon::Exclamation) != cServices::cAnswer::OK) {
    return false;
  }
  const cSaveResult result = Save_As(path, Points);
  if (result.status != cSaveResult::Written) {
    Warn(QStringLiteral("שמירת הקובץ נכשלה.") + kCrLf + path + kCrLf + result.error);
    return false;
  }
  m_unsaved = false;
  Undo->setClean();
  FileTitle = Path_To_Name(path);
  Set_Caption(FileTitle);
  Save_Setting(QStringLiteral("Settings/SaveType"),
               QLatin1Char('.') + QFileInfo(path).suffix().toLower());
  return true;
}
