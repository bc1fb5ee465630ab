#include "about/qt_program_launcher.h"

#include <QFileInfo>

#include "about/program_start.h"

namespace duct {

bool QtProgramLauncher::IsFile(const std::string& path) const {
  return QFileInfo(QString::fromStdString(path)).isFile();
}

bool QtProgramLauncher::Start(const std::string& path) {
  return !path.empty() && StartProgram(path);
}

}  // namespace duct
