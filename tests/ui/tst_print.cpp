// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "WindowFixture.h"
#include "render/Sheet.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace vandrix;

// The print button and the printer-scale box of the window, on a recording printer.
class TestPrint : public QObject, private testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scaleEntry_data();
    void scaleEntry();
    void clampedThenPrintsAt180();
    void enterRule();
    void noDataFileNoPrint();
    void sheetTakesTextsFromTheWindow();
    void noDefaultPrinter();
    void refusedJob();

private:
    void openSample() {
        dialogs->openAnswers << testing::samplePath("naca2412.dat");
        form->findChild<QPushButton*>(QStringLiteral("CommandInF"))->click();
    }
    QLineEdit* box() const {
        return form->findChild<QLineEdit*>(QStringLiteral("TextPrinterScale"));
    }
    void pressPrint() {
        form->findChild<QPushButton*>(QStringLiteral("CommandPrinterOutput"))->click();
    }
    // The scale the last sheet was printed at, or nothing.
    QString printedScale() const {
        return jobs.isEmpty() ? QString() : QString::number(jobs.last().scale);
    }

    QList<SheetContent> jobs;  // every sheet printed
    QString openError;         // set: the printer cannot be opened
    QString endError;          // set: the printer refuses the job
};

void TestPrint::init() {
    state.Language = 1;
    state.ScreenScale = 1000;
    state.PrinterScale = 150;
    state.LangFontName = QStringLiteral("DejaVu Serif");
    jobs.clear();
    openError.clear();
    endError.clear();
    open([this](FormMain& window) {
        window.setSheetPrinter([this](const SheetContent& sheet, const QString&) {
            if (!openError.isEmpty()) {
                return Status::failure(openError);
            }
            jobs << sheet;
            return endError.isEmpty() ? Status::success() : Status::failure(endError);
        });
    });
}

void TestPrint::cleanup() {
    QVERIFY(close());
}

void TestPrint::scaleEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("printedAt");  // empty: nothing printed
    QTest::newRow("180 prints") << "180" << 180.0 << "180"
                                << ""
                                << "180";
    QTest::newRow("150.50 prints at 150.5") << "150.50" << 150.5 << "150.5"
                                            << ""
                                            << "150.5";
    QTest::newRow("empty prints collapsed") << "" << 0.0 << "0"
                                            << ""
                                            << "0";
    QTest::newRow("negative is used") << "-100" << -100.0 << "-100"
                                      << ""
                                      << "-100";
    QTest::newRow("180.01 clamps") << "180.01" << 180.0 << "180"
                                   << "Max = 180"
                                   << "";
    QTest::newRow("1e400 overflows") << "1e400" << 150.0 << "1e400"
                                     << "Overflow"
                                     << "";
}

void TestPrint::scaleEntry() {
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    QFETCH(QString, printedAt);
    openSample();
    box()->setText(typed);
    pressPrint();
    QCOMPARE(state.PrinterScale, stored);
    QCOMPARE(box()->text(), shown);
    QCOMPARE(dialogs->messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(jobs.size(), printedAt.isEmpty() ? 0 : 1);
    QCOMPARE(printedScale(), printedAt);
}

void TestPrint::clampedThenPrintsAt180() {
    openSample();
    state.PrinterScale = 500;  // as a settings file may bring it: shown and kept unclamped
    box()->setText(QStringLiteral("500"));
    pressPrint();
    QCOMPARE(dialogs->messages, QStringList{QStringLiteral("Max = 180")});
    QVERIFY(jobs.isEmpty());
    pressPrint();
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(printedScale(), QStringLiteral("180"));
}

void TestPrint::enterRule() {
    openSample();
    box()->clear();
    QTest::keyClicks(box(), QStringLiteral("120x"));
    QCOMPARE(box()->text(), QStringLiteral("120x"));
    QVERIFY(jobs.isEmpty());
    QTest::keyClick(box(), Qt::Key_Return);
    QCOMPARE(jobs.size(), 1);  // printed once
    QCOMPARE(box()->text(), QStringLiteral("120"));
    QCOMPARE(state.PrinterScale, 120.0);
}

void TestPrint::noDataFileNoPrint() {
    box()->setText(QStringLiteral("99.5"));
    pressPrint();
    QCOMPARE(state.PrinterScale, 99.5);
    QCOMPARE(box()->text(), QStringLiteral("99.5"));
    QVERIFY(jobs.isEmpty());
    QCOMPARE(dialogs->messages, QStringList());
}

void TestPrint::sheetTakesTextsFromTheWindow() {
    openSample();
    form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("Edited title"));
    form->findChild<QLineEdit*>(QStringLiteral("Text3"))->clear();
    box()->setText(QStringLiteral("100"));
    pressPrint();
    QCOMPARE(jobs.size(), 1);
    const SheetContent& sheet = jobs[0];
    QCOMPARE(sheet.fontName, QStringLiteral("DejaVu Serif"));
    QCOMPARE(sheet.title, QStringLiteral("Edited title"));
    QCOMPARE(sheet.captions[0], QStringLiteral("No."));  // Label1 is never printed
    QCOMPARE(sheet.values[0], QStringLiteral("2412"));
    QCOMPARE(sheet.values[1], QString());  // the emptied value
    QCOMPARE(sheet.curves.x, state.PointX);
    QCOMPARE(sheet.curves.y, state.PointY);
}

void TestPrint::noDefaultPrinter() {
    openSample();
    openError = QStringLiteral("No default printer is available.");
    box()->setText(QStringLiteral("100"));
    pressPrint();
    QCOMPARE(dialogs->messages, QStringList{openError});
    QCOMPARE(state.PrinterScale, 100.0);
    QVERIFY(jobs.isEmpty());
}

void TestPrint::refusedJob() {
    openSample();
    endError = QStringLiteral("The printer refused the print job.");
    pressPrint();
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(dialogs->messages, QStringList{endError});
    pressPrint();  // the program goes on
    QCOMPARE(jobs.size(), 2);
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
