// The display menu's New Israeli Grid and datum option, and the status bar's note of which grid
// and datum the list shows. Both need PROJ; without it they are disabled, with one message.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "app/cStatusLabel.h"
#include "app/frmVQ.h"
#include "geo/cProjGrids.h"

void frmVQ::Build_Grid_Menu(QMenu* mnuDisplay) {
  mnuDisplayCorNew = mnuDisplay->addAction(QStringLiteral("רשת ישראל ה&חדשה"));
  mnuDisplayCorNew->setCheckable(true);
  mnuDisplay->addSeparator();
  mnuDisplayDatum = mnuDisplay->addAction(QStringLiteral("&תיקון דאטום"));
  mnuDisplayDatum->setCheckable(true);
  connect(mnuDisplayCorNew, &QAction::triggered, this, &frmVQ::mnuDisplayCorNew_Click);
  connect(mnuDisplayDatum, &QAction::triggered, this, &frmVQ::mnuDisplayDatum_Click);
  sbGrid = new cStatusLabel(this);
  statusBar()->addPermanentWidget(sbGrid);
}

// PROJ is set up on first use; when it cannot be, the entries are disabled and the user is told
// once, and the original displays go on as before.
bool frmVQ::Proj_Ready() {
  if (cProjGrids::Shared().Ok()) return true;
  mnuDisplayCorNew->setEnabled(false);
  mnuDisplayDatum->setEnabled(false);
  mnuDisplayDatum->setChecked(false);
  if (!m_projWarned) {
    m_projWarned = true;
    Warn(QStringLiteral("רשת ישראל החדשה ותיקון הדאטום אינם זמינים:") + QStringLiteral("\r\n") +
         QStringLiteral("קבצי PROJ חסרים במחשב זה"));
  }
  return false;
}

// The stored datum option and a stored New Israeli Grid, once the stored display is applied.
void frmVQ::Apply_Grid_Settings() {
  if (Setting(QStringLiteral("Display/Datum"), QStringLiteral("0")) == QLatin1String("1") &&
      Proj_Ready())
    Points.Set_Datum(true);
  if (Points.CoorSys() == 2 && !Proj_Ready()) Points.Set_CoorSys(1);
  mnuDisplayDatum->setChecked(Points.Datum());
  Show_Display_Check();
}

void frmVQ::mnuDisplayCorNew_Click() {
  if (!Proj_Ready()) {
    Show_Display_Check();
    return;
  }
  Points.Set_CoorSys(2);
  Save_Setting(QStringLiteral("Display/CoorSys"), QStringLiteral("2"));
  Show_Display_Check();
}

void frmVQ::mnuDisplayDatum_Click() {
  const bool on = mnuDisplayDatum->isChecked();
  if (!(on ? Proj_Ready() && Points.Set_Datum(true) : Points.Set_Datum(false))) {
    mnuDisplayDatum->setChecked(Points.Datum());
    return;
  }
  Save_Setting(QStringLiteral("Display/Datum"), on ? QStringLiteral("1") : QStringLiteral("0"));
  Show_Grid_Status();
}

void frmVQ::Show_Grid_Status() {
  const qint16 coorSys = Points.CoorSys();
  QString grid = QStringLiteral("רשת ישראל"), datum = QStringLiteral("פלשתינה 1923");
  if (coorSys == 0) {
    grid = QStringLiteral("LAT/LON");
    datum = QStringLiteral("WGS 84");
  } else if (coorSys == 2) {
    grid = QStringLiteral("רשת ישראל החדשה");
    datum = QStringLiteral("ישראל 1993");
  }
  sbGrid->setText(grid + QStringLiteral(", ") +
                  (Points.Datum() ? datum : QStringLiteral("ללא תיקון דאטום")));
}
