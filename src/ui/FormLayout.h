// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vandrix {

class ScaleBox;

// Where the window's controls lie. Layout is kept in twips, 15 to a pixel at 96 dots per inch.
QRect FromTwips(int left, int top, int width, int height);

// The client area (below the menu bar) at (60, 630) twips from the screen's corner,
// 15240 x 9630 twips.
QRect ClientAreaGeometry();

// The header rows: the label and the value box of row k (0..7).
QRect HeaderLabelGeometry(std::size_t row);
QRect HeaderTextGeometry(std::size_t row);

// The face the window is built with. It is not installed on Linux; the proportional Japanese
// serif face of the IPA fonts stands in for it.
QFont BuiltFont();

// Controls as the window makes them: named, placed, and for buttons pressed by Enter as by
// Space when focused.
QLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry);
QLineEdit* MakeTextBox(QWidget* parent, const char* name, QRect geometry);
QPushButton* MakeButton(QWidget* parent, const char* name, QRect geometry);
ScaleBox* MakeScaleBox(QWidget* parent, const char* name, QRect geometry);

}  // namespace vandrix
