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
  QStringList dialog_folders, dialog_filters, dialog_names, opened;
  int save_filter = 0;         // the filter entry the save dialog answers with
  QList<int> offered_filters;  // the entries it was opened with
  QStringList texts;           // answers of the text questions, in order; none left: cancelled
  QStringList choices;         // the items of the last list shown
  int chosen = 0;              // its answer; -1: cancelled
  bool open_document_ok = true;
  QString program_folder;
  int ended = 0;

  cAnswer Message(QWidget*, const QString& text, cButtons buttons, cIcon icon) override {
    messages.append({text, buttons, icon});
    return answers.isEmpty() ? cAnswer::OK : answers.takeFirst();
  }
  QString Open_File_Name(QWidget*, const QString& folder, const QString&,
                         const QString& filter) override {
    return Dialog(folder, filter);
  }
  QString Save_File_Name(QWidget*, const QString& folder, const QString& name, const QString&,
                         const QString& filter, int* chosen_filter) override {
    dialog_names << name;
    if (chosen_filter) {
      offered_filters << *chosen_filter;
      *chosen_filter = save_filter;
    }
    return Dialog(folder, filter);
  }
  QString Ask_Text(QWidget*, const QString&, const QString&) override {
    return texts.isEmpty() ? QString() : texts.takeFirst();
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
  QString Dialog(const QString& folder, const QString& filter) {
    dialog_folders << folder;
    dialog_filters << filter;
    return file_names.isEmpty() ? QString() : file_names.takeFirst();
  }
};
