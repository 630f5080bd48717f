#pragma once

#include <QObject>
#include <QWidget>

#include <gtest/gtest.h>

namespace korvane::test {

// The control called `name` in a window beside the main one; a missing one
// fails the test by its name.
template <typename T = QWidget>
T* child(const QObject* window, const char* name)
{
    T* widget = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

} // namespace korvane::test
