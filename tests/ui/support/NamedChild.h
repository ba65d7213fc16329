#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace tessolan::testing {

// The child of `root` of type T named `name`, found however deep it sits. A missing name ends
// the test run with a message naming it, rather than a null pointer crashing later.
template <typename T>
T* Named(const QObject& root, const QString& name) {
  T* child = root.findChild<T*>(name);
  if (child == nullptr)
    qFatal("No %s named \"%s\" under \"%s\"", T::staticMetaObject.className(), qPrintable(name),
           qPrintable(root.objectName()));
  return child;
}

}  // namespace tessolan::testing
