#include "app/display_guard.h"

#include <QString>
#include <algorithm>
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

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    heldMessages.push_back({type, context.category, text});
    return;
  }
  // One of the held messages says why ("could not connect to display :0").
  const auto explained =
      std::find_if(heldMessages.begin(), heldMessages.end(),
                   [](const HeldMessage& m) { return m.text.contains("display"); });
  const QString reason =
      explained != heldMessages.end() ? explained->text : text.section('\n', 0, 0);
  std::fprintf(stderr, "%s: 无法打开显示器，窗口无处显示（%s）\n", kProgramName,
               reason.toLocal8Bit().constData());
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
