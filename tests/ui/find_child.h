#pragma once
// Reaching a window's controls in tests: by type and object name, as an
// assistive tool would, not through the window's members.

#include <QObject>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <stdexcept>
#include <string>

namespace vorbel::ui::test {

// The child of `parent` of type T named `name`. A missing child throws, which
// fails the running test with the name that was looked for.
template <typename T>
T* Child(const QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) {
    throw std::runtime_error("no child \"" + std::string(name) + "\" in " + parent.objectName().toStdString());
  }
  return child;
}

// The only child of `parent` of type T (the editor dialogs of the main
// window, each made once).
template <typename T>
T* Child(const QObject& parent) {
  T* child = parent.findChild<T*>();
  if (child == nullptr) throw std::runtime_error("no such child in " + parent.objectName().toStdString());
  return child;
}

// A window's title as the window system shows it: with Qt's modified mark
// ("[*]") turned into "*" or removed.
inline QString ShownTitle(QWidget& window) {
  window.winId();
  return window.windowHandle()->title();
}

}  // namespace vorbel::ui::test
