// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace vandrix {

// The application's style, except that a menu bar's extension button (shown only when the
// menus do not fit) loads its icon when the icon is first drawn. Loading it at once, as the
// menu bar's constructor asks, makes Qt's image reader load every image-format plugin, which
// the window's first paint does not need.
class DeferredIconStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // Puts the style in place of the application's style, which it keeps as its base; does
    // nothing when it is in place already.
    static void install();
};

}  // namespace vandrix
