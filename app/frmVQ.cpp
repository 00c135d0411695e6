#include "app/frmVQ.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTreeView>
#include <QUndoStack>
#include <cmath>

#include "app/cColumnFit.h"
#include "app/cListModel.h"
#include "app/cServices.h"
#include "app/cStatusLabel.h"
#include "app/frmRteData.h"
#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "geo/NumText.h"
#include "vq/Version.h"
#include "workflows/cTransfer.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
// Design sizes in twips.
constexpr int kColumnWidths[6] = {630, 810, 810, 560, 1700, 600};
constexpr int kTimerInterval_ms = 2000;

QSettings Store() { return QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")); }
QString Num(double v) { return QString::fromStdString(NumText::Num_Text(v)); }
}  // namespace

QString frmVQ::Setting(const QString& key, const QString& fallback) {
  return Store().value(key, fallback).toString();
}

double frmVQ::Setting_Number(const QString& key, double fallback) {
  bool ok = false;
  const double v = Setting(key, Num(fallback)).trimmed().toDouble(&ok);
  return ok && std::isfinite(v) ? v : fallback;
}

// Exit and the first-start failure end the process with no chance to flush: write through.
void frmVQ::Save_Setting(const QString& key, const QString& value) {
  QSettings store = Store();
  store.setValue(key, value);
  store.sync();
}

frmVQ::frmVQ(cServices& services, QWidget* parent) : QMainWindow(parent), m_services(services) {
  setWindowTitle(QStringLiteral("VQ"));
  setLayoutDirection(Qt::RightToLeft);
  Build_Menus();
  Build_List();
  Build_Map();
  Build_Status_Bar();
  Edit_Enable(true);
}

// The window watches the whole application for Esc; it stops before its members go. The undo
// stack, a child, says "clean" as it goes, after this window's own members are gone: it is
// silenced first.
frmVQ::~frmVQ() {
  qApp->removeEventFilter(this);
  if (Undo) Undo->disconnect(this);
}

int frmVQ::Twips_To_Px(double twips) const {
  return int(std::lround(twips * logicalDpiX() / 1440.0));
}

double frmVQ::Px_To_Twips(int px) const { return px * 1440.0 / logicalDpiX(); }

void frmVQ::Build_Menus() {
  QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&קובץ"));
  mnuFileOpen = mnuFile->addAction(QStringLiteral("&פתח..."));
  mnuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  mnuFileSaveAs = mnuFile->addAction(QStringLiteral("שמור &בשם..."));
  mnuFile->addSeparator();
  mnuFileLogDnld = mnuFile->addAction(QStringLiteral("&קרא הקלטה מה-GPS"));
  mnuFileUpload = mnuFile->addAction(QStringLiteral("&טען ל-GPS כמסלול..."));
  mnuFile->addSeparator();
  mnuFileSettings = mnuFile->addAction(QStringLiteral("&הגדרות..."));
  mnuFile->addSeparator();
  mnuFileExit = mnuFile->addAction(QStringLiteral("&יציאה"));
  mnuFileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  Build_Edit_Menu();
  QMenu* mnuDisplay = menuBar()->addMenu(QStringLiteral("&תצוגה"));
  mnuDisplayCorITM = mnuDisplay->addAction(QStringLiteral("רשת &ישראל"));
  mnuDisplayCorLL = mnuDisplay->addAction(QStringLiteral("&רשת LAT/LON"));
  mnuDisplayCorITM->setCheckable(true);
  mnuDisplayCorLL->setCheckable(true);
  mnuDisplayCorITM->setChecked(true);
  Build_Grid_Menu(mnuDisplay);
  Build_Map_Menu(mnuDisplay);
  QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&עזרה"));
  mnuHelpReadme = mnuHelp->addAction(QStringLiteral("&קרא אותי"));
  mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&אודות..."));

  connect(mnuFileOpen, &QAction::triggered, this, &frmVQ::mnuFileOpen_Click);
  connect(mnuFileSaveAs, &QAction::triggered, this, &frmVQ::mnuFileSaveAs_Click);
  connect(mnuFileLogDnld, &QAction::triggered, this, &frmVQ::mnuFileLogDnld_Click);
  connect(mnuFileUpload, &QAction::triggered, this, &frmVQ::mnuFileUpload_Click);
  connect(mnuFileSettings, &QAction::triggered, this, &frmVQ::mnuFileSettings_Click);
  connect(mnuFileExit, &QAction::triggered, this, &frmVQ::mnuFileExit_Click);
  connect(mnuDisplayCorITM, &QAction::triggered, this, &frmVQ::mnuDisplayCorITM_Click);
  connect(mnuDisplayCorLL, &QAction::triggered, this, &frmVQ::mnuDisplayCorLL_Click);
  connect(mnuHelpAbout, &QAction::triggered, this, &frmVQ::mnuHelpAbout_Click);
  connect(mnuHelpReadme, &QAction::triggered, this, &frmVQ::mnuHelpReadme_Click);
}

// The list fills the window between the menu bar and the status bar.
void frmVQ::Build_List() {
  lv = new QTreeView(this);
  setCentralWidget(lv);
  lvModel = new cListModel(lv);
  lv->setModel(lvModel);
  lv->setItemDelegate(new cNumberDelegate(lv));
  lv->setRootIsDecorated(false);
  lv->setUniformRowHeights(true);
  lv->setAllColumnsShowFocus(true);
  lv->setSortingEnabled(false);
  lv->header()->setStretchLastSection(false);
  lv->setAcceptDrops(true);
  lv->viewport()->setAcceptDrops(true);
  lv->viewport()->installEventFilter(this);
  for (int c = 0; c < 6; ++c) lv->setColumnWidth(c, Twips_To_Px(kColumnWidths[c]));
  connect(lvModel, &QAbstractItemModel::modelReset, this, &frmVQ::List_Changed);
  connect(lv->header(), &QHeaderView::sectionResized, this, [this] {
    if (!m_fitting) m_auto_widths = false;
  });
}

// The transfer's panels and the notes of the grid give way to the summary, whose numbers are
// never cut; the window does not grow for any of them.
void frmVQ::Build_Status_Bar() {
  sbPanel1 = new cStatusLabel(this);
  sbPanel2 = new cStatusLabel(this, true);  // a count
  sbSummary = new cStatusLabel(this, true);
  sbProgress = new QProgressBar(this);
  sbProgress->setMaximumWidth(Twips_To_Px(1440));
  // The second panel says what the bar counts.
  sbProgress->setTextVisible(false);
  sbProgress->hide();
  statusBar()->addWidget(sbPanel1);
  statusBar()->addWidget(sbPanel2);
  statusBar()->addWidget(sbProgress);
  statusBar()->addPermanentWidget(sbSummary);
  statusBar()->setSizeGripEnabled(false);
}

void frmVQ::Create_Driver() {
  tmr.setInterval(kTimerInterval_ms);
  tmr.stop();
  comm = std::make_unique<cSerialPort>();
  Garmin = std::make_unique<cGarmin>();
  Garmin->setTmrTimeout(&tmr);
  Garmin->setComGarmin(comm.get());
  Transfer = std::make_unique<cTransfer>(*Garmin, Points, static_cast<cTransferUI&>(*this));
  connect(Transfer.get(), &cTransfer::Ended, this, [this](cTransfer::cEnd how) {
    Transfer_Ended(how != cTransfer::cEnd::Failed &&
                   Transfer->Kind() == cTransfer::cPhase::Download);
  });
  Build_Transfer_Controls();
}

// Qt's right-to-left layout direction mirrors the list and its header.
void frmVQ::Set_RTL_Layout(QTreeView* list) {
  list->setLayoutDirection(Qt::RightToLeft);
  list->header()->setLayoutDirection(Qt::RightToLeft);
  list->viewport()->update();
}

bool frmVQ::Form_Load(const QString& command_line) {
  Create_Driver();
  Set_RTL_Layout(lv);
  if (Setting(QStringLiteral("Settings/1StUse"), QStringLiteral("0")) == QLatin1String("0"))
    First_Readme();
  Points.lv = lvModel;
  double coorSys = std::nearbyint(Setting_Number(QStringLiteral("Display/CoorSys"), 1));
  if (coorSys < -32768 || coorSys > 32767) coorSys = 1;
  Points.Set_CoorSys(qint16(coorSys));
  Show_Display_Check();
  Apply_Grid_Settings();
  if (!command_line.isEmpty()) Open_File(command_line);
  Apply_Stored_Size();
  Map_Start_Size();

  m_fitting = true;
  for (int n = 1; n <= 6; ++n) {
    const double stored = std::nearbyint(Setting_Number(QStringLiteral("ColWidths/%1").arg(n), -1));
    // -1 keeps the width the texts ask for; a negative width cannot be shown and is left out.
    if (stored != -1 && stored >= 0 && stored <= 32767) {
      lv->setColumnWidth(n - 1, Twips_To_Px(stored));
      m_auto_widths = false;
    }
  }
  // Stored widths are the user's, but no number may be cut by them.
  ColumnFit::Fit_Numbers(*lv, *lvModel, false);
  m_fitting = false;
  return true;
}

// Beside the program in the build folder, under share/vq once installed.
QString frmVQ::Readme_Path() {
  const QString folder = m_services.Program_Folder();
  const QString beside = folder + QStringLiteral("/Readme.htm");
  const QString shared = QDir::cleanPath(folder + QStringLiteral("/../share/vq/Readme.htm"));
  return QFileInfo::exists(beside) || !QFileInfo::exists(shared) ? beside : shared;
}

// The readme opens by itself until it has opened once. When it cannot, the message says why and
// where the readme is, once for each version: the Help menu opens it at any time.
void frmVQ::First_Readme() {
  const QString path = Readme_Path();
  if (m_services.Open_Document(path)) {
    Save_Setting(QStringLiteral("Settings/1StUse"), QStringLiteral("1"));
    return;
  }
  if (Setting(QStringLiteral("Settings/ReadmeNotice"), QString()) == QLatin1String(VQ_VERSION))
    return;
  Save_Setting(QStringLiteral("Settings/ReadmeNotice"), QStringLiteral(VQ_VERSION));
  const QString why = QFileInfo::exists(path)
                          ? QStringLiteral("לא נמצאה במחשב תוכנה להצגת קובצי HTML.")
                          : QStringLiteral("הקובץ אינו במקומו.");
  m_services.Message(nullptr,
                     QStringLiteral("פתיחת קובץ readme נכשלה.") + kCrLf + why + kCrLf +
                         QStringLiteral("הקובץ: ") + path + kCrLf +
                         QStringLiteral("כלי זה מגיע ללא אחריות כלשהי.") + kCrLf +
                         QStringLiteral("יש לקרוא את קובץ readme המגיע עם כלי זה") + kCrLf +
                         QStringLiteral("אפשר לפתוח אותו בכל עת: עזרה › קרא אותי."),
                     cServices::cButtons::OK, cServices::cIcon::None);
}

// Without a viewer on the desktop the readme is shown in a window of VQ's own.
void frmVQ::mnuHelpReadme_Click() {
  const QString path = Readme_Path();
  if (m_services.Open_Document(path)) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Warn(QStringLiteral("פתיחת קובץ readme נכשלה.") + kCrLf + path);
    return;
  }
  if (!Readme) {
    Readme = new QTextBrowser(this);
    Readme->setWindowFlag(Qt::Window);
    Readme->setWindowTitle(QStringLiteral("VQ - קרא אותי"));
    Readme->setOpenExternalLinks(true);
    Readme->resize(Twips_To_Px(9000), Twips_To_Px(9000));
  }
  Readme->setSearchPaths({QFileInfo(path).absolutePath()});
  Readme->setHtml(QString::fromUtf8(file.readAll()));
  Readme->show();
  Readme->raise();
}

void frmVQ::Show_Display_Check() {
  const bool grid = Points.CoorSys() != 0, new_grid = Points.CoorSys() == 2;
  mnuDisplayCorITM->setChecked(grid && !new_grid);
  mnuDisplayCorLL->setChecked(!grid);
  mnuDisplayCorNew->setChecked(new_grid);
  // Any display but latitude/longitude shows a grid: easting first, northing second.
  lvModel->Set_Grid_Headers(grid);
  Show_Grid_Status();
}

void frmVQ::closeEvent(QCloseEvent* event) {
  // A transfer still running ends first (the abort packet, the port closed, the list it replaced
  // back unless the user keeps what arrived), so that the question is about the list shown.
  if (Transfer) Transfer->Cancel(false);
  if (!Confirm_Discard()) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void frmVQ::Form_Unload() {
  const QSize outer = frameGeometry().size();
  QSettings store = Store();
  store.setValue(QStringLiteral("Display/Width"), Num(float(Px_To_Twips(outer.width()))));
  store.setValue(QStringLiteral("Display/Height"), Num(float(Px_To_Twips(outer.height()))));
  for (int n = 1; n <= 6; ++n) {
    store.setValue(QStringLiteral("ColWidths/%1").arg(n),
                   Num(std::nearbyint(Px_To_Twips(lv->columnWidth(n - 1)))));
  }
  store.sync();
  if (RteData) RteData->close();
}

void frmVQ::mnuFileExit_Click() {
  // Exit ends at once, but a running transfer first sends its abort packet and closes the port.
  if (Transfer) Transfer->Cancel(false);
  if (!Confirm_Discard()) return;
  m_services.End_Process();
}

void frmVQ::mnuDisplayCorITM_Click() {
  Points.Set_CoorSys(1);
  Save_Setting(QStringLiteral("Display/CoorSys"), QStringLiteral("1"));
  mnuDisplayCorITM->setChecked(true);
  mnuDisplayCorLL->setChecked(false);
  Show_Display_Check();
}

void frmVQ::mnuDisplayCorLL_Click() {
  Points.Set_CoorSys(0);
  Save_Setting(QStringLiteral("Display/CoorSys"), QStringLiteral("0"));
  mnuDisplayCorLL->setChecked(true);
  mnuDisplayCorITM->setChecked(false);
  Show_Display_Check();
}

void frmVQ::mnuHelpAbout_Click() {
  m_services.Message(this,
                     QStringLiteral("נכתב למטרת ניסוי בלבד!") + kCrLf +
                         QStringLiteral("השימוש הוא על אחריות המשתמש!!!") + kCrLf +
                         QStringLiteral("הערות ודיווח על תקלות: בדף התקלות של הפרויקט VQ") + kCrLf +
                         QStringLiteral("VQ גרסה " VQ_VERSION),
                     cServices::cButtons::OK, cServices::cIcon::None);
}

void frmVQ::Notice(const QString& text) {
  m_services.Message(this, text, cServices::cButtons::OK, cServices::cIcon::None);
}

void frmVQ::Warn(const QString& text) {
  m_services.Message(this, text, cServices::cButtons::OK, cServices::cIcon::Exclamation);
}
