// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/HeaderLine.h"

#include <QTest>

using namespace vandrix;

// How a header line splits into its two labels and its value.
class TestHeaderLine : public QObject {
    Q_OBJECT

private slots:
    void lastPos_data();
    void lastPos();
    void headerLine_data();
    void headerLine();
};

// Where lastIndexOf's -1, a search for a string or a case-blind one would differ. The path
// searches (the last separator not the first, counted from 1, at either end) are chosenFile's.
void TestHeaderLine::lastPos_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ch");
    QTest::addColumn<int>("expected");
    QTest::newRow("no match: 0") << "f.txt"
                                 << "/" << 0;
    QTest::newRow("two characters: none") << "a::b"
                                          << "::" << 0;
    QTest::newRow("empty search: none") << "abc"
                                        << "" << 0;
    QTest::newRow("case matters") << "aAa"
                                  << "A" << 2;
}

void TestHeaderLine::lastPos() {
    QFETCH(QString, text);
    QFETCH(QString, ch);
    QFETCH(int, expected);
    QCOMPARE(LastPos(text, ch), expected);
}

void TestHeaderLine::headerLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("label2");  // label for language 2
    QTest::addColumn<QString>("label1");  // label for language 1
    QTest::addColumn<bool>("malformed");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "A:B:12.5"
                           << "A"
                           << "B" << false << "12.5";
    QTest::newRow("colon in value") << "A:B:12:30"
                                    << "A"
                                    << "B" << false << "12:30";
    QTest::newRow("empty value") << "A:B:"
                                 << "A"
                                 << "B" << false << "";
    QTest::newRow("empty first label") << ":B:5"
                                       << ""
                                       << "B" << false << "5";
    QTest::newRow("empty second label") << "A::5"
                                        << "A"
                                        << "" << false << "5";
    QTest::newRow("blanks kept") << " A : B : 5 "
                                 << " A "
                                 << " B " << false << " 5 ";
    QTest::newRow("japanese labels")
        << QStringLiteral("番号:No.:2412") << QStringLiteral("番号") << "No." << false << "2412";
    QTest::newRow("one colon") << "A:12.5"
                               << ""
                               << "" << true << "";
    QTest::newRow("no colon") << "A 12.5"
                              << ""
                              << "" << true << "";
    QTest::newRow("empty line") << ""
                                << ""
                                << "" << true << "";
    QTest::newRow("full-width colons") << QStringLiteral("A：B：5") << ""
                                       << "" << true << "";
}

void TestHeaderLine::headerLine() {
    QFETCH(QString, line);
    QFETCH(QString, label2);
    QFETCH(QString, label1);
    QFETCH(bool, malformed);
    QFETCH(QString, value);

    for (const std::int16_t language : {std::int16_t(2), std::int16_t(1), std::int16_t(0)}) {
        const Result<QString> label = GetLabel(line, language);
        QCOMPARE(label.ok(), !malformed);
        if (label) {
            QCOMPARE(label.value(), language == 2 ? label2 : label1);
        }
    }
    if (!malformed) {
        QCOMPARE(GetValue(line), value);
    }
}

QTEST_GUILESS_MAIN(TestHeaderLine)
#include "tst_headerline.moc"
