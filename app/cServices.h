#pragma once
// What the window asks of the desktop and the process: message boxes, file dialogs, opening a
// document with the desktop's viewer, the program's folder and ending at once. cQtServices
// is the real one; the tests script the answers.
#include <QString>
#include <QStringList>

class QWidget;

class cServices {
 public:
  enum class cButtons { OK, Retry_Cancel, OK_Cancel, Save_Discard_Cancel, Yes_No_Cancel };
  enum class cIcon { None, Exclamation };
  enum class cAnswer { OK, Retry, Cancel, Save, Discard, Yes, No };

  virtual ~cServices() = default;
  // A modal box titled "VQ"; lines of text are joined by CR LF.
  virtual cAnswer Message(QWidget* owner, const QString& text, cButtons buttons, cIcon icon) = 0;
  // filter: description and pattern pairs separated by "|". Empty when cancelled.
  virtual QString Open_File_Name(QWidget* owner, const QString& folder, const QString& title,
                                 const QString& filter) = 0;
  // name: the name offered. chosen_filter gives the position of the filter entry (its
  // description and pattern pair) selected at first, from 0, and receives the one the user left
  // selected.
  virtual QString Save_File_Name(QWidget* owner, const QString& folder, const QString& name,
                                 const QString& title, const QString& filter,
                                 int* chosen_filter) = 0;
  // A modal line of text titled "VQ", offering `initial`: what was typed, or a null string when
  // cancelled.
  virtual QString Ask_Text(QWidget* owner, const QString& text, const QString& initial) = 0;
  // A modal list titled "VQ": the index of the item chosen, -1 when cancelled.
  virtual int Choose(QWidget* owner, const QString& text, const QStringList& items) = 0;
  // Opens the document with the desktop's viewer; false when that fails.
  virtual bool Open_Document(const QString& path) = 0;
  virtual QString Program_Folder() = 0;
  // Ends the program at once: nothing is saved and no close handler runs.
  virtual void End_Process() = 0;
};
