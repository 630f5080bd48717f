#pragma once

#include <QWidget>

namespace korvane::ui {

// The designed control of that name under `root`; every designed control
// exists, so a missing one is a programming error.
template <typename T>
T* findControl(const QWidget* root, const char* name)
{
    T* widget = root->findChild<T*>(QLatin1String(name));
    Q_ASSERT_X(widget, "findControl", name);
    return widget;
}

} // namespace korvane::ui
