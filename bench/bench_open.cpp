// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;

// From a press of the open button (the dialog answering at once) to a finished plot: reading
// the file, filling the pairs and drawing grid and curves.
class BenchOpen : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void openToPlot_data();
    void openToPlot();

private:
    QTemporaryDir dir_;
    QString trailing_;
};

void BenchOpen::initTestCase() {
    // The sample followed by 256 MB of further data that the reader never needs.
    trailing_ = dir_.filePath(QStringLiteral("trailing.dat"));
    QFile file(trailing_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(testing::readAll(testing::samplePath("naca2412.dat")));
    const QByteArray filler = QByteArray("0.5,0.5\r\n").repeated(1 << 16);
    while (file.size() < 256LL * 1024 * 1024) {
        file.write(filler);
    }
}

void BenchOpen::openToPlot_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("x,y per line") << testing::samplePath("naca2412.dat");
    QTest::newRow("one item per line") << testing::samplePath("naca2412-one-per-line.dat");
    QTest::newRow("all on one line") << testing::samplePath("naca2412-one-line.dat");
    QTest::newRow("256 MB of trailing data") << trailing_;
}

void BenchOpen::openToPlot() {
    QFETCH(QString, path);
    testing::WindowFixture window;
    window.state.ScreenScale = 1000;
    window.open();
    auto* open = window.child<QPushButton>(QStringLiteral("CommandInF"));
    QBENCHMARK {
        window.dialogs->openAnswers << path;
        open->click();
    }
    QVERIFY(window.dialogs->messages.isEmpty());
    QVERIFY(window.close());
}

QTEST_MAIN(BenchOpen)
#include "bench_open.moc"
