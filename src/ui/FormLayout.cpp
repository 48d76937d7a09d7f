// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormLayout.h"

#include "ScaleBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vandrix {

namespace {

constexpr int TwipsPerPixel = 15;

constexpr int ClientWidthTwips = 15240;
constexpr int ClientHeightTwips = 9630;
constexpr int ClientLeftTwips = 60;
constexpr int ClientTopTwips = 630;

constexpr std::array<int, 8> RowTop = {240, 600, 960, 1320, 1680, 2160, 2520, 2880};
constexpr int LabelLeft = 3480;
constexpr int LabelWidth = 2775;
constexpr int TextLeft = 6240;
constexpr int TitleTextWidth = 8775;
constexpr int ValueTextWidth = 3855;
constexpr int RowHeight = 375;

template <typename Control>
Control* placed(Control* control, const char* name, QRect geometry) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

}  // namespace

QRect FromTwips(int left, int top, int width, int height) {
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
            height / TwipsPerPixel};
}

QRect ClientAreaGeometry() {
    return FromTwips(ClientLeftTwips, ClientTopTwips, ClientWidthTwips, ClientHeightTwips);
}

QRect HeaderLabelGeometry(std::size_t row) {
    return FromTwips(LabelLeft, RowTop.at(row), LabelWidth, RowHeight);
}

QRect HeaderTextGeometry(std::size_t row) {
    return FromTwips(TextLeft, RowTop.at(row), row == 0 ? TitleTextWidth : ValueTextWidth,
                     RowHeight);
}

QFont BuiltFont() {
    const QString face = QStringLiteral("ＭＳ Ｐ明朝");
    QFont::insertSubstitution(face, QStringLiteral("IPAPMincho"));
    QFont font(face);
    font.setPointSize(12);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry) {
    auto* label = placed(new QLabel(parent), name, geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, QRect geometry) {
    return placed(new QLineEdit(parent), name, geometry);
}

QPushButton* MakeButton(QWidget* parent, const char* name, QRect geometry) {
    auto* button = placed(new QPushButton(parent), name, geometry);
    // Enter presses a focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

ScaleBox* MakeScaleBox(QWidget* parent, const char* name, QRect geometry) {
    return placed(new ScaleBox(parent), name, geometry);
}

}  // namespace vandrix
