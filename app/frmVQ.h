#pragma once
// The main window: the point list, its menus and status bar, the files it opens and saves, and
// the receiver transfers it starts. Creating it and running Form_Load starts the program.
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "points/cVQPoints.h"
#include "workflows/cTransferUI.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTextBrowser;
class QTreeView;
class QUndoStack;
class cGarmin;
class cListModel;
class cMapPane;
class QSplitter;
class cSerialPort;
class cServices;
class cTransfer;
class frmRteData;
struct cNameRules;
struct cShown;

class frmVQ : public QMainWindow, private cTransferUI {
  Q_OBJECT
 public:
  explicit frmVQ(cServices& services, QWidget* parent = nullptr);
  ~frmVQ() override;

  // The start-up steps; command_line is the whole text after the program name. True when the
  // window is ready to be shown (a readme that cannot be opened is reported and start goes on).
  bool Form_Load(const QString& command_line);

  // Menu handlers.
  void mnuFileOpen_Click();
  void mnuFileSaveAs_Click();
  void mnuFileLogDnld_Click();
  void mnuFileUpload_Click();
  void mnuFileSettings_Click();
  void mnuFileExit_Click();
  void mnuDisplayCorITM_Click();
  void mnuDisplayCorLL_Click();
  void mnuDisplayCorNew_Click();
  void mnuDisplayDatum_Click();
  void mnuHelpAbout_Click();
  void mnuHelpReadme_Click();
  void mnuDisplayMap_Click();

  void Open_File(const QString& path);

  // The list now holds what was read from the receiver: it is not saved, and the caption names
  // the receiver. Called when a track download has finished.
  void List_From_Receiver(const QString& receiver);
  // A list from the receiver not yet saved, or a list with edits since it was read or saved.
  bool List_Unsaved() const;
  // Before the list is replaced or the program ends: a list that is not saved asks to save,
  // discard or cancel. True when the caller may go on.
  bool Confirm_Discard();

  // Members the transfers and the tests reach.
  cVQPoints Points;
  QString FileTitle;
  QTimer tmr;
  std::unique_ptr<cSerialPort> comm;
  std::unique_ptr<cGarmin> Garmin;
  std::unique_ptr<cTransfer> Transfer;
  QPointer<frmRteData> RteData;
  QPointer<QTextBrowser> Readme;  // the readme in VQ's own window, when the desktop has no viewer
  QTreeView* lv = nullptr;
  cListModel* lvModel = nullptr;
  QLabel* sbPanel1 = nullptr;   // the receiver, during a transfer
  QLabel* sbPanel2 = nullptr;   // what the transfer has done
  QLabel* sbSummary = nullptr;  // the number of points and the total distance, at rest
  QProgressBar* sbProgress = nullptr;
  // Shown in the status bar while a transfer runs; Esc does the same.
  QPushButton* cmdCancel = nullptr;
  void cmdCancel_Click();
  bool Cancel_On_Escape(QObject* watched, QEvent* event);
  QAction *mnuFileOpen, *mnuFileSaveAs, *mnuFileLogDnld, *mnuFileUpload, *mnuFileSettings,
      *mnuFileExit, *mnuDisplayCorITM, *mnuDisplayCorLL, *mnuHelpAbout, *mnuHelpReadme;
  QAction *mnuDisplayCorNew = nullptr, *mnuDisplayDatum = nullptr;
  QLabel* sbGrid = nullptr;  // which grid and datum the list shows

  // Editing the list (app/frmVQ_Edit.cpp): every edit is a step of Undo.
  QUndoStack* Undo = nullptr;
  QAction *mnuEditUndo, *mnuEditRedo, *mnuEditCopy, *mnuEditFind, *mnuEditInsert, *mnuEditDelete,
      *mnuEditUp, *mnuEditDown, *mnuEditReverse, *mnuEditSimplify;
  void mnuEditCopy_Click();
  void mnuEditFind_Click();
  void mnuEditInsert_Click();
  void mnuEditDelete_Click();
  void mnuEditMove_Click(int step);
  void mnuEditReverse_Click();
  void mnuEditSimplify_Click();
  std::vector<int> Selected_Rows() const;  // 0-based, increasing
  void Select_Rows(const std::vector<int>& rows0);
  // The map beside the list (app/frmVQ_Map.cpp).
  cMapPane* Map = nullptr;
  QSplitter* splMain = nullptr;
  QAction* mnuDisplayMap = nullptr;
  // How long the handshake waits for each product request (tests shorten it).
  int Handshake_Wait_Ms = 2000;

  // Settings, section/key; the value is text, read each time with its default.
  static QString Setting(const QString& key, const QString& fallback);
  // A setting read as a number; a stored text that is not a number gives the default.
  static double Setting_Number(const QString& key, double fallback);
  static void Save_Setting(const QString& key, const QString& value);

  // Twips and pixels, through the screen's logical DPI.
  int Twips_To_Px(double twips) const;
  double Px_To_Twips(int px) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Create_Driver();
  void Build_Transfer_Controls();
  void Build_Menus();
  void Build_List();
  void Build_Status_Bar();
  void Set_RTL_Layout(QTreeView* list);
  void Form_Unload();
  // The check marks and the coordinate headers, in step with Points.CoorSys.
  void Show_Display_Check();
  // After every redisplay: the number columns fit their texts, the status bar sums the list.
  void List_Changed();
  void Mark_From_Receiver(const QString& receiver);
  void Show_Summary();
  void Apply_Stored_Size();
  void Keep_Outer_Size();
  void Build_Grid_Menu(QMenu* mnuDisplay);
  void Apply_Grid_Settings();
  bool Proj_Ready();
  void Show_Grid_Status();
  void Build_Map_Menu(QMenu* mnuDisplay);
  void Build_Map();
  void Map_Selection();
  void Map_Fit();
  void Map_Start_Size();
  void Load_TWL(const QString& path);
  bool Save_List_As();
  QString Readme_Path();
  void First_Readme();
  void Close_RteData();
  void Notice(const QString& text) override;
  void Warn(const QString& text);
  bool Ask_Retry(const QString& text) override;
  bool Ask_Go_On(const QString& text) override;
  void Show_Panel(int panel, const QString& text) override;
  void Show_Progress(int done, int total) override;
  void Set_Busy(bool busy) override;
  // A transfer ended; the list is the receiver's log (whole or kept in part) when it says so.
  void Transfer_Ended(bool list_from_receiver);
  void Build_Edit_Menu();
  void Edit_Enable(bool on);
  bool Can_Edit() const;
  bool Cell_Open() const;  // a cell of the list is being typed
  bool Cell_Edited(int row0, int column0, const QString& text);
  void Show_Edit(const cShown& shown);
  // Simplifies the list with the dialog, offering max_points; false when the user cancelled.
  bool Simplify_List(int max_points);
  bool Offer_Simplify();
  QString Track_Summary() const;
  // Rows dragged within the list; false for any other event.
  bool Row_Drag_Event(QEvent* event);
  // The caption: "VQ - " and the list's name, with "*" while it has edits not saved.
  void Set_Caption(const QString& name);
  void Show_Caption();
  void Magellan_Upload_Start();
  void Magellan_Download_Start();
  // The same with a receiver seen as a USB drive (app/frmVQ_Usb.cpp).
  void Usb_Upload_Start(qint16 Idx, const QString& Desc, const cNameRules& rules);
  void Usb_Download_Start();

  cServices& m_services;
  bool m_busy = false;
  bool m_unsaved = false;
  // Label and comment follow the list's width until the user drags a column.
  bool m_auto_widths = true;
  bool m_fitting = false;
  QSize m_outer_px;  // the outer size the window is to have once its frame is known
  bool m_projWarned = false;
  QString m_caption;
  QString m_find;  // what Find looked for last
};
