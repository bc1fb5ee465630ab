#include "about/qt_program_launcher.h"

#include <QFileInfo>
#include <QProcess>

namespace duct {

bool QtProgramLauncher::IsFile(const std::string& path) const {
  return QFileInfo(QString::fromStdString(path)).isFile();
}

bool QtProgramLauncher::Start(const std::string& path) {
  // The path is the program itself: an unquoted path with blanks must not become another
  // program with arguments.
  return !path.empty() && QProcess::startDetached(QString::fromStdString(path), {});
}

}  // namespace duct
