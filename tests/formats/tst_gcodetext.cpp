// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/FoamGCode.h"

#include <QTest>

using namespace vandrix;

// The program's text as controllers read it.
class TestGCodeText : public QObject {
    Q_OBJECT

private slots:
    void program_data() {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("wireOn");
        QTest::addColumn<QString>("wireOff");
        QTest::addColumn<double>("preheat");
        QTest::addColumn<QByteArray>("text");
        // A coordinate that rounds to 0 loses its sign; one past the fourth decimal is rounded.
        const QByteArray moves =
            "G1 X0.0000 Y12.3457 Z7.0000 A0.0000 F200.0000\n"
            "G93\n"
            "G1 X1.5000 Y12.3457 Z7.0000 A-2.0000 F133.3333\n";
        // A parenthesis would end the comment early, or open one a controller refuses.
        QTest::newRow("no wire codes")
            << "wing (left).dat"
            << ""
            << "" << 0.0 << "(wing [left].dat)\nG21\nG90\nG94\n" + moves + "G94\nM2\n";
        QTest::newRow("wire codes and a dwell")
            << QStringLiteral("翼 ä\tb") << "M3 S400"
            << "M5" << 2.5
            << "(? ??b)\nG21\nG90\nG94\nM3 S400\nG4 P2.5000\n" + moves + "G94\nM5\nM2\n";
    }
    void program() {
        QFETCH(QString, header);
        QFETCH(QString, wireOn);
        QFETCH(QString, wireOff);
        QFETCH(double, preheat);
        QFETCH(QByteArray, text);
        FoamProgram program{{header}, QStringLiteral("XYZA"), wireOn, wireOff, preheat, 200, {},
                            {}};
        program.start = {{-0.00004, 12.345678}, {7.0, 0.0}};
        program.moves = {{{{1.5, 12.345678}, {7.0, -2.0}}, 400.0 / 3.0}};
        QCOMPARE(FoamGCode(program), text);
    }
};

QTEST_GUILESS_MAIN(TestGCodeText)
#include "tst_gcodetext.moc"
