// The window's list: the display system and its headers, the column widths after every
// redisplay, the summary in the status bar, and the window's size at start.
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTreeView>

#include "app/cColumnFit.h"
#include "app/cListModel.h"
#include "app/frmVQ.h"
#include "geo/NumText.h"

namespace {
constexpr double kDefaultHeight_twips = 8280;
// Texts a list commonly holds, for the width of the window at its first start: wide enough for
// latitude/longitude, which is wider than the grid.
const char* const kTypicalTexts[6] = {"מצפה רמון 12", "N33 17' 59.99",     "E35 47' 59.99",
                                      "-9999.9",      "כניסה לעיר העתיקה", "9999.99"};
}  // namespace

void frmVQ::List_Changed() {
  m_fitting = true;
  ColumnFit::Fit_Numbers(*lv, *lvModel, true);
  if (m_auto_widths) {
    ColumnFit::Fill_Text_Columns(*lv, *lvModel);
  } else {
    ColumnFit::Shrink_Text_Columns(*lv);
  }
  m_fitting = false;
  Show_Summary();
}

void frmVQ::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!m_auto_widths) return;
  m_fitting = true;
  ColumnFit::Fill_Text_Columns(*lv, *lvModel);
  m_fitting = false;
}

// "12 נקודות, 750.13 ק"מ": the total is the sum of the legs at full precision, as in the CSV
// export, rounded for display only. The list shows what the last redisplay showed.
void frmVQ::Show_Summary() {
  const int n = lvModel->Row_Count();
  sbSummary->setToolTip(QString());
  if (n == 0) {
    sbSummary->setText(QStringLiteral("הרשימה ריקה"));
    return;
  }
  if (n == 1) {
    sbSummary->setText(QStringLiteral("נקודה אחת"));
    return;
  }
  if (Points.From_Track) {
    sbSummary->setText(Track_Summary());
    sbSummary->setToolTip(sbSummary->text());  // the bar may be too short for all of it
    return;
  }
  QString km = QString::fromStdString(NumText::Rounded_Text(Points.Shown_Total_Km(), 2));
  if (km.startsWith(QLatin1Char('.'))) km.prepend(QLatin1Char('0'));
  sbSummary->setText(QStringLiteral("%1 נקודות, %2 ק\"מ").arg(n).arg(km));
}

// The stored size is the outer one, frame included. At the first start (none stored) the
// window is as wide as its columns need, where the screen allows it.
void frmVQ::Apply_Stored_Size() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
  const double width = Setting_Number(QStringLiteral("Display/Width"), -1);
  const double height = Setting_Number(QStringLiteral("Display/Height"), kDefaultHeight_twips);
  QSize outer(Twips_To_Px(width), Twips_To_Px(height));
  if (width == -1) {
    int columns = 0;
    for (int c = 0; c < 6; ++c)
      columns += qMax(lv->header()->sectionSizeHint(c),
                      ColumnFit::Text_Width(*lv, QString::fromUtf8(kTypicalTexts[c])));
    columns += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lv);
    outer = QSize(qMin(columns + 2 * lv->frameWidth(), avail.width()),
                  qMin(outer.height(), avail.height()));
  }
  // A size that cannot be shown (negative, or a store edited by hand) keeps the present one.
  if (outer.width() <= 0 || outer.height() <= 0) return;
  m_outer_px = outer;
  Keep_Outer_Size();
  move(avail.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

// Before the window is shown its frame is not known; once the window manager has framed it,
// the size is made good, so that the window opens as large as it closed.
void frmVQ::Keep_Outer_Size() {
  if (!m_outer_px.isValid()) return;
  const QSize frame = frameGeometry().size() - size();
  const QSize client = m_outer_px - frame;
  if (client.width() > 0 && client.height() > 0 && client != size()) resize(client);
}

void frmVQ::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!m_outer_px.isValid()) return;
  // Some platforms know the frame now, a window manager only a little later.
  Keep_Outer_Size();
  QTimer::singleShot(0, this, &frmVQ::Keep_Outer_Size);
  QTimer::singleShot(200, this, [this] {
    Keep_Outer_Size();
    m_outer_px = QSize();  // from here on the user sizes the window
  });
}
