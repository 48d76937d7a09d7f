// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDriver.h"
#include "PageImage.h"
#include "TestFiles.h"
#include "formats/SettingsFile.h"
#include "ui/Viewer.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vandrix;
using vandrix::testing::whenModalShown;

// The viewer as it runs, printing on the system's default printer. cups-print.sh runs each
// function against a private CUPS server with a cups-pdf queue.
class TestE2ePrint : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void printsThroughCups();
    void refusedJobIsReported();
    void noDefaultPrinter();

private:
    // Opens the data file through the real dialog, then presses print; the texts of the
    // message boxes that came up on the way.
    QStringList openAndPrint();

    std::unique_ptr<QTemporaryDir> program_;
    QString previousDir_;
    QString stem_;
    std::unique_ptr<Viewer> viewer_;
};

void TestE2ePrint::init() {
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
        QSKIP("run by tests/e2e/cups-print.sh against its own CUPS server");
    }
    program_ = std::make_unique<QTemporaryDir>();
    const QString dir = program_->path();
    QVERIFY(testing::writeFile(program_->filePath(QStringLiteral("Set.txt")),
                               FormatSettings(1, dir, 1000, 150.5)));
    QVERIFY(QFile::copy(testing::samplePath("Language.txt"),
                        program_->filePath(QStringLiteral("Language.txt"))));
    // A name of its own, so that the job and its output are this run's.
    stem_ = QStringLiteral("vandrix-e2e-%1").arg(QCoreApplication::applicationPid());
    QVERIFY(QFile::copy(testing::samplePath("naca2412.dat"),
                        program_->filePath(stem_ + QStringLiteral(".dat"))));
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir);
    viewer_ = std::make_unique<Viewer>();
    viewer_->start();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer_->window()));
}

void TestE2ePrint::cleanup() {
    viewer_.reset();
    if (!previousDir_.isEmpty()) {
        QDir::setCurrent(previousDir_);
    }
    program_.reset();
}

QStringList TestE2ePrint::openAndPrint() {
    const QString path = program_->filePath(stem_ + QStringLiteral(".dat"));
    whenModalShown([path](QWidget* modal) {
        auto* nameBox = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (auto* dialog = qobject_cast<QFileDialog*>(modal);
            dialog != nullptr && nameBox != nullptr) {
            nameBox->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        } else {
            modal->close();
        }
    });
    viewer_->window().findChild<QPushButton*>(QStringLiteral("CommandInF"))->click();

    QStringList messages;
    auto* printButton =
        viewer_->window().findChild<QPushButton*>(QStringLiteral("CommandPrinterOutput"));
    // Any message box that comes up is noted and closed, so that nothing waits for a user.
    std::function<void(QWidget*)> noteBox = [&messages, &noteBox](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
        }
        modal->close();
        whenModalShown(noteBox);
    };
    whenModalShown(noteBox);
    printButton->click();
    QTest::qWait(200);
    return messages;
}

void TestE2ePrint::printsThroughCups() {
    const QDir out(qEnvironmentVariable("VANDRIX_CUPS_PDF_OUT"));
    const QStringList messages = openAndPrint();
    QCOMPARE(messages, QStringList());

    // cups-pdf names its file after the job, which is named after the data file.
    const auto finished = [&out, this]() -> QString {
        for (const QString& name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (name.contains(stem_)) {
                const QByteArray bytes = testing::readAll(out.filePath(name));
                if (bytes.right(64).contains("%%EOF")) {
                    return out.filePath(name);
                }
            }
        }
        return {};
    };
    QTRY_VERIFY_WITH_TIMEOUT(!finished().isEmpty(), 60000);
    const QString pdf = finished();
    const testing::PageImage page(pdf, program_->filePath(QStringLiteral("page")));
    if (const QString keep = qEnvironmentVariable("VANDRIX_E2E_PRINT_KEEP"); !keep.isEmpty()) {
        QFile::copy(pdf, keep);  // to look at the printed page
    }
    QFile::remove(pdf);

    QVERIFY(page.isA4());
    const QString missing = testing::missingGrid(page, 150.5);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    // The title starts at 10 mm from the paper's left and top edges; the table at 100 mm.
    QVERIFY(page.inkIn(10, 10, 40, 17));
    QVERIFY(!page.inkIn(0, 0, 9.5, 99));
    QVERIFY(!page.inkIn(9.5, 0, 200, 9.5));
    QVERIFY(page.inkIn(10, 100, 20, 103));
    QVERIFY(page.inkIn(50, 100, 60, 103));
}

void TestE2ePrint::refusedJobIsReported() {
    const QStringList messages = openAndPrint();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(QStringLiteral("refused")), qPrintable(messages[0]));
}

void TestE2ePrint::noDefaultPrinter() {
    const QStringList messages = openAndPrint();
    QCOMPARE(messages, QStringList{QStringLiteral("No default printer is available.")});
}

QTEST_MAIN(TestE2ePrint)
#include "tst_e2e_print.moc"
