#pragma once

#include <QAccessible>
#include <QSet>
#include <QStringList>
#include <QWidget>
#include <string>

namespace duct {

// What a screen reader would stumble over in `window`, read back from its accessibility tree: a
// window not announced with `role` and its caption, objects without a name (decoration is not
// to be listed), buttons or fields that read alike, and fields whose name gives no unit; each
// fault in a few words, none when the window reads well.
inline std::string AccessibilityFaults(QWidget& window, QAccessible::Role role) {
  QStringList faults;
  QList<QAccessibleInterface*> nodes = {QAccessible::queryAccessibleInterface(&window)};
  if (nodes[0]->role() != role || nodes[0]->text(QAccessible::Name) != window.windowTitle()) {
    faults.append(QString("the window reads as %1, role %2")
                      .arg(nodes[0]->text(QAccessible::Name))
                      .arg(nodes[0]->role()));
  }
  QSet<QString> controls;  // buttons and fields, by what a screen reader says of them
  for (qsizetype at = 0; at < nodes.size(); ++at) {
    for (int i = 0; i < nodes[at]->childCount(); ++i) {
      QAccessibleInterface* node = nodes.emplace_back(nodes[at]->child(i));
      const QString name = node->text(QAccessible::Name);
      const QString reading = name + "/" + node->text(QAccessible::Description);
      const bool field = node->role() == QAccessible::EditableText;
      if (name.isEmpty()) {
        faults.append("no name: " + node->object()->objectName());
      }
      if ((field || node->role() == QAccessible::PushButton) && controls.contains(reading)) {
        faults.append("a second control reads " + reading);
      }
      if (field || node->role() == QAccessible::PushButton) {
        controls.insert(reading);
      }
      if (field && !name.contains("毫米")) {
        faults.append("no unit: " + name);
      }
    }
  }
  return faults.join("; ").toStdString();
}

}  // namespace duct
