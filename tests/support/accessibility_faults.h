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
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
  if (root->role() != role || root->text(QAccessible::Name) != window.windowTitle()) {
    faults.append(QString("the window reads as role %1 named %2")
                      .arg(root->role())
                      .arg(root->text(QAccessible::Name)));
  }
  QSet<QString> controls;  // buttons and fields, by what a screen reader says of them
  QList<QAccessibleInterface*> pending = {root};
  while (!pending.isEmpty()) {
    QAccessibleInterface* node = pending.takeFirst();
    for (int i = 0; i < node->childCount(); ++i) {
      QAccessibleInterface* child = node->child(i);
      pending.append(child);
      const QString name = child->text(QAccessible::Name);
      const QString object = child->object()->objectName();
      if (name.isEmpty()) {
        faults.append("no name: " + object);
      }
      const QString reading = name + "/" + child->text(QAccessible::Description);
      const bool field = child->role() == QAccessible::EditableText;
      if (field || child->role() == QAccessible::PushButton) {
        if (controls.contains(reading)) {
          faults.append("a second control reads " + reading);
        }
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
