// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
class TestInputFile : public QObject {
    Q_OBJECT
};
QTEST_GUILESS_MAIN(TestInputFile)
#include "tst_inputfile.moc"
