#pragma once

#include <QString>

#include <functional>

namespace utils {

// What the image button, the combo box and the menu entries call when they are used: the
// window's one command dispatch, given the widget's action command. An empty function is
// allowed and means nobody listens.
//
//     new MyJButtonWithImage(text, [this](const QString& c) { actionPerformed(c); }, icon);
using ActionListener = std::function<void(const QString& actionCommand)>;

} // namespace utils
