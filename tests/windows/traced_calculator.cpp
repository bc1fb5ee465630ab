// The calculator as users run it, which also writes what its windows show into the file that
// DUCTCALC_TRACE names, each time that changes: the visible windows by title, the message
// boxes' texts and the main window's fields. The end-to-end test drives it with real input and
// reads the screen from there.

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "app/run_calculator.h"

namespace {

class ScreenTrace : public QObject {
 public:
  explicit ScreenTrace(const QString& path) : file_(path) {
    file_.open(QIODevice::WriteOnly | QIODevice::Truncate);  // lines end in \n alone
    connect(&timer_, &QTimer::timeout, this, &ScreenTrace::Look);
    timer_.start(50);
  }

 private:
  void Look() {
    QString screen;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
      if (!window->isVisible()) {
        continue;
      }
      screen += "window " + window->windowTitle() + "\n";
      if (const auto* box = qobject_cast<const QMessageBox*>(window)) {
        screen += "message " + box->text() + "\n";
      }
      for (const QLineEdit* field : window->findChildren<QLineEdit*>()) {
        screen += field->objectName() + "=" + field->text() + "\n";
      }
    }
    if (screen != last_) {
      last_ = screen;
      file_.write(("---\n" + screen).toUtf8());
      file_.flush();
    }
  }

  QFile file_;
  QTimer timer_;
  QString last_;
};

}  // namespace

int main(int argc, char* argv[]) {
  const QString path = qEnvironmentVariable("DUCTCALC_TRACE");
  std::unique_ptr<ScreenTrace> trace;
  return duct::RunCalculator(argc, argv, [&] {
    trace = std::make_unique<ScreenTrace>(path);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { trace.reset(); });
  });
}
