// The program as a command: its command line and what it does without a display, run as a
// user runs it; and the toolkit's own texts in Chinese.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <memory>

#include "app/toolkit_texts.h"

namespace duct {
namespace {

struct RunCase {
  const char* name;
  QStringList arguments;
  QString display;  // DISPLAY, with no other display variable set
  int exitStatus;
  QString output;  // how what it prints, on standard output or error, begins
  int lines = 1;   // how many lines it prints
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class ProgramRun : public testing::TestWithParam<RunCase> {};

TEST_P(ProgramRun, AnswersWithOneTextAndAnExitStatus) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
    environment.remove(name);
  }
  environment.insert("DISPLAY", GetParam().display);
  program.setProcessEnvironment(environment);
  program.start(DUCTCALC_PROGRAM, GetParam().arguments);
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "no abort, no core";
  EXPECT_EQ(program.exitCode(), GetParam().exitStatus);
  const QString printed = program.readAllStandardOutput() + program.readAllStandardError();
  EXPECT_TRUE(printed.startsWith(GetParam().output)) << printed.toStdString();
  EXPECT_EQ(printed.count('\n'), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramRun,
    testing::Values(
        RunCase{"DisplayWithoutServer",
                {},
                ":77",
                1,
                "ductcalc: no display to show the window on (could not connect to display :77)\n"},
        RunCase{"DisplayGarbage", {}, "garbage", 1, "ductcalc: no display to show the window on"},
        RunCase{"Version", {"--version"}, ":77", 0, "ductcalc 1.0.1\n"},
        RunCase{"Help", {"--help"}, ":77", 0, "Usage: ductcalc [--help | --version]\n", 5},
        RunCase{"QtOptionRefused",
                {"-reverse"},
                ":77",
                2,
                "ductcalc: unknown argument '-reverse' (try 'ductcalc --help')\n"},
        RunCase{"ExtraArgumentRefused",
                {"--version", "x"},
                ":77",
                2,
                "ductcalc: unknown argument 'x'"}),
    [](const auto& info) { return std::string(info.param.name); });

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
