// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateReadBack.h"
#include "render/TemplateLayout.h"

#include <QTest>

#include <cmath>

using namespace vandrix;
using namespace vandrix::testing;

namespace {

const Naca4 Naca2412{0.02, 0.4, 0.12};

}  // namespace

// Templates on A4 pages: items shelf by shelf, and items larger than a page tiled.
class TestTemplateLayout : public QObject {
    Q_OBJECT

private slots:
    void tiling_data() {
        QTest::addColumn<double>("chord");
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("columns");
        QTest::newRow("1 mm") << 1.0 << 1 << false << 1;
        QTest::newRow("150 mm, one portrait page") << 150.0 << 1 << false << 1;
        QTest::newRow("250 mm, one landscape page") << 250.0 << 1 << true << 1;
        QTest::newRow("600 mm, three landscape tiles") << 600.0 << 3 << true << 3;
        QTest::newRow("5000 mm, 4 x 20 tiles") << 5000.0 << 80 << true << 20;
    }
    void tiling() {
        QFETCH(double, chord);
        QFETCH(int, pages);
        QFETCH(bool, landscape);
        QFETCH(int, columns);
        const Result<RibOutline> rib = BuildRib(stationSection(Naca2412), chord, {});
        const TemplateItem item{rib.value(), QStringLiteral("x")};
        const std::vector<TemplatePage> laid = LayOutPages({BoxOf(item).size});
        QCOMPARE(int(laid.size()), pages);
        QCOMPARE(laid.front().landscape, landscape);
        const QRectF area = DrawingArea(landscape);
        if (pages == 1) {
            QCOMPARE(laid.front().rows, 0);
            QVERIFY(laid.front().crosses.empty());
            return;
        }
        QCOMPARE(laid.front().columns, columns);
        QCOMPARE(laid.front().rows * laid.front().columns, pages);
        for (std::size_t i = 0; i + 1 < laid.size(); ++i) {
            const TemplatePage& a = laid[i];
            const TemplatePage& b = laid[i + 1];
            if (a.row != b.row) {
                continue;
            }
            QCOMPARE(b.column, a.column + 1);
            // Neighbouring tiles show windows that overlap by 10 mm ...
            const double windowA = area.left() - a.placements.front().offset.x();
            const double windowB = area.left() - b.placements.front().offset.x();
            QVERIFY(std::abs(windowA + area.width() - windowB - TileOverlap) < 1e-9);
            // ... and the two crosses of the overlap's edges appear on both, at the same place
            // of the item.
            int shared = 0;
            for (const QPointF& ca : a.crosses) {
                for (const QPointF& cb : b.crosses) {
                    if (std::abs((ca.x() - a.placements.front().offset.x()) -
                                 (cb.x() - b.placements.front().offset.x())) < 1e-9 &&
                        std::abs(ca.y() - cb.y()) < 1e-9) {
                        ++shared;
                    }
                }
            }
            QVERIFY(shared >= 4);
        }
    }

    void shelves() {
        // Ten 60 x 20 mm items: three to a landscape shelf (263 mm), four shelves, 10 mm apart.
        const std::vector<QSizeF> items(10, QSizeF(60.0, 20.0));
        const std::vector<TemplatePage> pages = LayOutPages(items, true);
        QCOMPARE(pages.size(), 1u);
        QCOMPARE(pages.front().placements.size(), 10u);
        const QRectF area = DrawingArea(true);
        QCOMPARE(pages.front().placements[3].offset, area.topLeft() + QPointF(0.0, 30.0));
        QCOMPARE(pages.front().placements[9].offset, area.topLeft() + QPointF(0.0, 90.0));
        QCOMPARE(pages.front().placements[1].offset, area.topLeft() + QPointF(70.0, 0.0));
        for (std::size_t i = 0; i < items.size(); ++i) {
            const QRectF a(pages.front().placements[i].offset, items[i]);
            QVERIFY(area.contains(a));
            for (std::size_t j = 0; j < i; ++j) {
                QVERIFY(!a.intersects(QRectF(pages.front().placements[j].offset, items[j])));
            }
        }
        // Too many for one page: the rest go on in order on the next.
        const std::vector<TemplatePage> more = LayOutPages(std::vector<QSizeF>(40, {60, 20}));
        QCOMPARE(more.size(), 3u);
        QCOMPARE(more[1].placements.front().item, more[0].placements.size());
        QCOMPARE(more[2].placements.back().item, 39u);
    }
};

QTEST_GUILESS_MAIN(TestTemplateLayout)
#include "tst_templatelayout.moc"
