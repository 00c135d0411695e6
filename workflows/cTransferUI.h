#pragma once
// What a transfer needs from the one it works for: the window (message boxes titled "VQ", the
// status bar, the busy pointer) or vqtool (lines on stderr). The end of a transfer comes through
// cTransfer::Ended.
#include <QString>

class cTransferUI {
 public:
  virtual ~cTransferUI() = default;
  // A notice with an OK button.
  virtual void Notice(const QString& text) = 0;
  // The failed-connection message: true for Retry, false for Cancel.
  virtual bool Ask_Retry(const QString& text) = 0;
  // A warning the user may pass: true to go on, false to stop.
  virtual bool Ask_Go_On(const QString& text) = 0;
  // Text of status panel 1 or 2.
  virtual void Show_Panel(int panel, const QString& text) = 0;
  // done of total packets or records; total 0 hides the progress.
  virtual void Show_Progress(int done, int total) = 0;
  // true: the window takes no input and shows the busy pointer; false: both undone.
  virtual void Set_Busy(bool busy) = 0;
};
