#include "files/WholeFile.h"

#include <QSaveFile>

bool Write_Whole_File(const QString& path, const QByteArray& bytes, QString& error,
                      const std::function<bool()>& keep) {
  error.clear();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    error = file.errorString();
    return false;
  }
  // A write the file system takes only in part returns what it took; the next one then fails
  // with the system's reason.
  for (qint64 done = 0; done < bytes.size();) {
    const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
    if (n <= 0) {
      error = file.errorString();
      file.cancelWriting();
      return false;
    }
    done += n;
  }
  if (!file.flush()) {
    error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (keep && !keep()) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}
