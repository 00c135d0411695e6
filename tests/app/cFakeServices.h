#pragma once
// The window's services for tests: questions are recorded, answers scripted, and ending the
// process only leaves a mark.
#include <QStringList>

#include "app/cServices.h"

class cFakeServices : public cServices {
 public:
  struct cMessage {
    QString text;
    cButtons buttons;
    cIcon icon;
  };
  QList<cMessage> messages;
  QList<cAnswer> answers;  // taken in order; OK when none is left
  QStringList file_names;  // answers of the open and save dialogs; empty: cancelled
  QStringList dialog_folders, dialog_titles, dialog_filters, opened;
  QStringList choices;  // the items of the last list shown
  int chosen = 0;       // its answer; -1: cancelled
  bool open_document_ok = true;
  QString program_folder;
  int ended = 0;

  cAnswer Message(QWidget*, const QString& text, cButtons buttons, cIcon icon) override {
    messages.append({text, buttons, icon});
    return answers.isEmpty() ? cAnswer::OK : answers.takeFirst();
  }
  QString Open_File_Name(QWidget*, const QString& folder, const QString& title,
                         const QString& filter) override {
    return Dialog(folder, title, filter);
  }
  QString Save_File_Name(QWidget*, const QString& folder, const QString& title,
                         const QString& filter) override {
    return Dialog(folder, title, filter);
  }
  int Choose(QWidget*, const QString&, const QStringList& items) override {
    choices = items;
    return chosen;
  }
  bool Open_Document(const QString& path) override {
    opened << path;
    return open_document_ok;
  }
  QString Program_Folder() override { return program_folder; }
  void End_Process() override { ++ended; }

 private:
  QString Dialog(const QString& folder, const QString& title, const QString& filter) {
    dialog_folders << folder;
    dialog_titles << title;
    dialog_filters << filter;
    return file_names.isEmpty() ? QString() : file_names.takeFirst();
  }
};
