// The program's command line, its start without a display, and Qt's own texts.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <memory>

#include "app/toolkit_texts.h"

namespace duct {
namespace {

// Every line the program prints speaks Chinese, as its windows do, and names what it is about;
// an answer that cannot be written (a full device) is reported, never passed over.
TEST(Program, AnswersInChineseWithAnExitStatusAndNeverAborts) {
  const struct {
    QStringList arguments;
    bool outputFull;  // standard output goes to a device that is always full
    int exitStatus;
    QStringList names;  // what its text must name
    int lines;
  } cases[] = {
      {{}, false, 1, {"ductcalc", "display :77"}, 1},  // no display opens
      {{"--version"}, false, 0, {"ductcalc 1.0.1"}, 1},
      {{"--help"}, false, 0, {"ductcalc [--help | --version]", "  --help ", "  --version "}, 5},
      {{"-reverse"}, false, 2, {"ductcalc", "“-reverse”", "ductcalc --help"}, 1},
      {{"--help", "x"}, false, 2, {"“x”"}, 1},
      {{"--version"}, true, 1, {"ductcalc"}, 1},
      {{"--help"}, true, 1, {"ductcalc"}, 1},
  };
  for (const auto& [arguments, outputFull, exitStatus, names, lines] : cases) {
    if ((arguments.isEmpty() || outputFull) && !DUCTCALC_POSIX) {
      continue;  // Windows always has its display, and no full device
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
      environment.remove(name);
    }
    environment.insert("DISPLAY", ":77");
    program.setProcessEnvironment(environment);
    if (outputFull) {
      program.setStandardOutputFile("/dev/full");
    }
    program.start(DUCTCALC_PROGRAM, arguments);
    ASSERT_TRUE(program.waitForFinished(10000));
    const QString printed = program.readAllStandardOutput() + program.readAllStandardError();
    SCOPED_TRACE(printed.toStdString());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);  // no abort, no core
    EXPECT_EQ(program.exitCode(), exitStatus);
    EXPECT_EQ(printed.count('\n'), lines);
    for (const QString& name : names) {
      EXPECT_TRUE(printed.contains(name)) << name.toStdString();
    }
    for (const QString& line : printed.split('\n', Qt::SkipEmptyParts)) {
      EXPECT_TRUE(line == "ductcalc 1.0.1" || line.contains(QRegularExpression(R"(\p{Han})")))
          << "not Chinese: " << line.toStdString();
    }
  }
}

TEST(ToolkitTexts, AreChineseWhateverTheLocale) {
  ASSERT_TRUE(InstallChineseToolkitTexts(*QCoreApplication::instance()))
      << "qt6-translations-l10n is missing: run scripts/install-deps";
  QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Ok);
  EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");
  QLineEdit field;
  const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  EXPECT_EQ(menu->actions().value(0)->text().section('\t', 0, 0), "撤消(&U)");
}

}  // namespace
}  // namespace duct
