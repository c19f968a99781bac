#pragma once
// Tests reach the main window's menus, bars, labels and dialogs as any Qt test does: by type and
// object name, since the window keeps them to itself.

#include "app/qt/MainWindow.h"

#include <stdexcept>
#include <string>

// The window's part of type T named name. A missing one throws, which fails the test that asked
// and says which part it was.
template <class T> T& Part(TForm1& window, const char* name) {
    T* part = window.findChild<T*>(name);
    if (!part) {
        throw std::runtime_error(std::string("the main window has no ") +
                                 T::staticMetaObject.className() + " named \"" + name + "\"");
    }
    return *part;
}
