// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <optional>

namespace vandrix {

namespace {

// An icon of a style's standard pixmap, asked of the style on first use.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QPointer<QStyle> style, QStyle::StandardPixmap which)
        : style_(std::move(style)), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // Whether there is an icon is known without loading it: every style draws one.
    bool isNull() override { return style_.isNull(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override {
        auto* copy = new DeferredIconEngine(style_, which_);
        copy->icon_ = icon_;
        return copy;
    }

private:
    const QIcon& icon() {
        if (!icon_) {
            icon_ = style_ ? style_->standardIcon(which_) : QIcon();
        }
        return *icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QIcon> icon_;
};

}  // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (standardIcon == SP_ToolBarHorizontalExtensionButton ||
        standardIcon == SP_ToolBarVerticalExtensionButton) {
        return QIcon(new DeferredIconEngine(QPointer<QStyle>(baseStyle()), standardIcon));
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

// The application takes ownership of the style it is given.
// NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
void DeferredIconStyle::install() {
    QStyle* current = QApplication::style();
    if (qobject_cast<DeferredIconStyle*>(current) != nullptr) {
        return;
    }
    // A new instance of the same style: the application deletes the one it replaces.
    QApplication::setStyle(new DeferredIconStyle(current->name()));
}
// NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)

}  // namespace vandrix
