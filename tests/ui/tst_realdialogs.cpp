#include "ModalDriver.h"
#include "TestFiles.h"
#include "ui/PictureBox.h"
#include "ui/FormMain.h"
#include "ui/QtDialogs.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vandrix;
using vandrix::testing::whenModalShown;

// The window with Qt's own open-file dialog, message box and input box.
class TestRealDialogs : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void openThroughFileDialogThenMessageBox();
    void inputBoxAnswersAndCancel();
};

void TestRealDialogs::cleanup() {
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestRealDialogs::openThroughFileDialogThenMessageBox() {
    QTemporaryDir dir;
    // A file that ends inside its coordinate block: read, then one message box.
    QByteArray bytes = testing::readAll(testing::samplePath("naca2412.dat"));
    bytes.truncate(bytes.indexOf("0.999023"));
    const QString path = dir.filePath(QStringLiteral("short.dat"));
    QVERIFY(testing::writeFile(path, bytes));

    AppState state;
    state.InitDir = dir.path();
    state.ScreenScale = 1000;
    state.FileErrorMessage = QStringLiteral("This file is unusable.");
    QtDialogs dialogs;
    auto form = std::make_unique<FormMain>(state, dialogs);
    dialogs.setParentWidget(form.get());
    form->Form_Load();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    QString dialogDir;
    QString boxText;
    QString boxTitle;
    int boxButtons = -1;
    whenModalShown([&](QWidget* modal) {
        auto* fileDialog = qobject_cast<QFileDialog*>(modal);
        if (fileDialog == nullptr) {
            modal->close();
            return;
        }
        dialogDir = fileDialog->directory().absolutePath();
        // Type the path into the file name box, as a user would.
        auto* nameBox = fileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (nameBox == nullptr) {
            fileDialog->reject();
            return;
        }
        nameBox->setText(path);
        // The message box comes once the file has been read.
        whenModalShown([&](QWidget* next) {
            if (auto* box = qobject_cast<QMessageBox*>(next)) {
                boxText = box->text();
                boxTitle = box->windowTitle();
                boxButtons = static_cast<int>(box->buttons().size());
                box->button(QMessageBox::Ok)->click();
            } else {
                next->close();
            }
        });
        static_cast<QDialog*>(fileDialog)->accept();  // QFileDialog::accept, as the Open button
    });
    form->findChild<QPushButton*>(QStringLiteral("CommandInF"))->click();

    QCOMPARE(dialogDir, dir.path());
    QCOMPARE(state.DataPath, path);
    QCOMPARE(state.DataName, QStringLiteral("short.dat"));
    QCOMPARE(boxText, state.FileErrorMessage);
    QCOMPARE(boxTitle, QString());
    QCOMPARE(boxButtons, 1);
    QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
             QStringLiteral("NACA 2412"));
    const QPointF gridCorner = form->picture().toPixel(1000, 300);
    QCOMPARE(form->picture().image().pixel(gridCorner.toPoint()) & 0xFFFFFF, 0x0000FFu);
}

void TestRealDialogs::inputBoxAnswersAndCancel() {
    QtDialogs dialogs;
    QString prompt;
    whenModalShown([&](QWidget* modal) {
        auto* box = qobject_cast<QInputDialog*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        prompt = box->labelText();
        box->setTextValue(QStringLiteral("/opt/vandrix"));
        box->accept();
    });
    QCOMPARE(dialogs.inputBox(QStringLiteral("Input Program Directry")),
             QStringLiteral("/opt/vandrix"));
    QCOMPARE(prompt, QStringLiteral("Input Program Directry"));

    whenModalShown([](QWidget* modal) {
        if (auto* box = qobject_cast<QInputDialog*>(modal)) {
            box->setTextValue(QStringLiteral("typed, then cancelled"));
        }
        modal->close();
    });
    QCOMPARE(dialogs.inputBox(QStringLiteral("Input Program Directry")), QString());
}

QTEST_MAIN(TestRealDialogs)
#include "tst_realdialogs.moc"
