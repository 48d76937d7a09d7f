// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vandrix {

// Makes a window take files dropped anywhere on it, its text boxes included (which keep taking
// dropped text), and hands each dropped file to `open`.
void AcceptFileDrops(QWidget* window, std::function<void(const QString&)> open);

}  // namespace vandrix
