// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DeferredIconStyle.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QTest>

#include <memory>

using namespace vandrix;

// The style that defers the menu bar's extension icon draws every standard icon as its base
// style does.
class TestDeferredIcon : public QObject {
    Q_OBJECT

private slots:
    void iconsMatchBaseStyle_data();
    void iconsMatchBaseStyle();
    void installIsOnce();
};

void TestDeferredIcon::iconsMatchBaseStyle_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("horizontal extension") << int(QStyle::SP_ToolBarHorizontalExtensionButton);
    QTest::newRow("vertical extension") << int(QStyle::SP_ToolBarVerticalExtensionButton);
    QTest::newRow("passed through") << int(QStyle::SP_ArrowRight);
}

void TestDeferredIcon::iconsMatchBaseStyle() {
    QFETCH(int, which);
    const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
    const std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
    DeferredIconStyle style(QStringLiteral("Fusion"));
    const QIcon expected = base->standardIcon(pixmap);
    const QIcon icon = style.standardIcon(pixmap);
    QVERIFY(!expected.isNull());
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), expected.availableSizes());
    QCOMPARE(icon.pixmap(16).toImage(), expected.pixmap(16).toImage());
    QCOMPARE(QIcon(icon).pixmap(32).toImage(), expected.pixmap(32).toImage());

    // Painted into a rectangle, as a tool button draws it.
    QImage drawn(24, 24, QImage::Format_ARGB32_Premultiplied);
    QImage reference = drawn;
    drawn.fill(Qt::transparent);
    reference.fill(Qt::transparent);
    QPainter(&drawn).drawPixmap(0, 0, icon.pixmap(24));
    QPainter(&reference).drawPixmap(0, 0, expected.pixmap(24));
    QCOMPARE(drawn, reference);
}

void TestDeferredIcon::installIsOnce() {
    DeferredIconStyle::install();
    QStyle* installed = QApplication::style();
    QVERIFY(qobject_cast<DeferredIconStyle*>(installed) != nullptr);
    DeferredIconStyle::install();
    QCOMPARE(QApplication::style(), installed);
}

QTEST_MAIN(TestDeferredIcon)
#include "tst_deferredicon.moc"
