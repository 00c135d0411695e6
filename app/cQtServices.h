#pragma once
#include "app/cServices.h"

// The services on Qt: QMessageBox, QFileDialog, QDesktopServices.
class cQtServices : public cServices {
 public:
  cAnswer Message(QWidget* owner, const QString& text, cButtons buttons, cIcon icon) override;
  QString Open_File_Name(QWidget* owner, const QString& folder, const QString& title,
                         const QString& filter) override;
  QString Save_File_Name(QWidget* owner, const QString& folder, const QString& name,
                         const QString& title, const QString& filter, int* chosen_filter) override;
  QString Ask_Text(QWidget* owner, const QString& text, const QString& initial) override;
  int Choose(QWidget* owner, const QString& text, const QStringList& items) override;
  bool Open_Document(const QString& path) override;
  QString Program_Folder() override;
  void End_Process() override;
};
