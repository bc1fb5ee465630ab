#include "qt_program_launcher.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace duct {
namespace {

TEST(QtProgramLauncher, TellsFilesFromFoldersAndMissingPaths) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString file = folder.filePath("MSINFO32.EXE");
  QFile(file).open(QIODevice::WriteOnly);
  const QtProgramLauncher launcher;
  EXPECT_TRUE(launcher.IsFile(file.toStdString()));
  EXPECT_FALSE(launcher.IsFile(folder.path().toStdString()));
  EXPECT_FALSE(launcher.IsFile(folder.filePath("missing").toStdString()));
}

// The path is the program: it is never split at its blanks into a program and arguments.
TEST(QtProgramLauncher, StartsThePathAsItStands) {
  QtProgramLauncher launcher;
  EXPECT_TRUE(launcher.Start("/bin/true"));
  EXPECT_FALSE(launcher.Start("/bin/true --version"));
  EXPECT_FALSE(launcher.Start("/bin/sh -c true"));
  EXPECT_FALSE(launcher.Start(""));
  EXPECT_FALSE(launcher.Start(QDir::tempPath().toStdString()));
}

}  // namespace
}  // namespace duct
