#include "app/display_guard.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "base/application_info.h"

namespace duct {
namespace {

struct HeldMessage {
  QtMsgType type;
  const char* category;  // Qt's category names are string literals
  QString text;
};

// Qt takes a plain function as its message handler, so what the handler holds back must live
// outside any object; only one guard is ever alive, around the start of the application.
std::vector<HeldMessage> heldMessages;
QtMessageHandler handlerBefore = nullptr;

// Why the window system did not start, in Qt's own words: what it said while it tried (the
// display it could not connect to, a platform it could not find), else the first line of its
// fatal message. Passed on as they stand, never read for their meaning: Qt gives no reason
// through its API, and its wording is its own to change.
QString QtsReason(const QString& fatal) {
  QStringList said;
  for (const HeldMessage& held : heldMessages) {
    if (held.type != QtDebugMsg) {
      said.append(held.text.trimmed());
    }
  }
  return said.isEmpty() ? fatal.section('\n', 0, 0) : said.join("；");
}

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    heldMessages.push_back({type, context.category, text});
    return;
  }
  const QString line =
      "无法打开窗口：没有可用的显示器，或没有所要的 Qt 平台插件（Qt 说：" + QtsReason(text) + "）";
  std::fprintf(stderr, "%s: %s\n", kProgramName, line.toLocal8Bit().constData());
  std::_Exit(EXIT_FAILURE);  // not abort(): a missing display is no crash
}

}  // namespace

DisplayGuard::DisplayGuard() { handlerBefore = qInstallMessageHandler(HoldOrEnd); }

DisplayGuard::~DisplayGuard() {
  qInstallMessageHandler(handlerBefore);
  for (const auto& [type, category, text] : std::exchange(heldMessages, {})) {
    const QMessageLogContext context(nullptr, 0, nullptr, category);
    (handlerBefore != nullptr ? handlerBefore : qt_message_output)(type, context, text);
  }
}

}  // namespace duct
