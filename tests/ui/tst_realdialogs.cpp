// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDriver.h"
#include "TestFiles.h"
#include "WindowFixture.h"
#include "render/PlotStyle.h"
#include "ui/FormMain.h"
#include "ui/PictureBox.h"
#include "ui/QtDialogs.h"
#include "ui/TemplateDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
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

namespace {

// The real window over `state` with the real dialogs, loaded and shown.
std::unique_ptr<FormMain> shownWindow(AppState& state, QtDialogs& dialogs) {
    auto form = std::make_unique<FormMain>(state, dialogs);
    dialogs.setParentWidget(form.get());
    form->Form_Load();
    form->show();
    return form;
}

}  // namespace

// The window with Qt's own open-file dialog, message box and input box.
class TestRealDialogs : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void openThroughFileDialogThenMessageBox();
    void inputBoxAnswersAndCancel();
    void templateThroughTheRealDialogs();
};

void TestRealDialogs::cleanup() {
    QVERIFY(testing::allWindowsClosed());
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
    const std::unique_ptr<FormMain> form = shownWindow(state, dialogs);
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
    QCOMPARE(QColor(form->picture().image().pixel(gridCorner.toPoint())), PlotGridColor);
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

// File > Template...: a bad chord is told and the dialog comes back with what was typed; then the
// save-file dialog names the files.
void TestRealDialogs::templateThroughTheRealDialogs() {
    QTemporaryDir dir;
    AppState state;
    state.InitDir = dir.path();
    state.ScreenScale = 1000;
    state.PrinterScale = 150;
    QtDialogs dialogs;
    const std::unique_ptr<FormMain> form = shownWindow(state, dialogs);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->openFile(testing::samplePath("naca2412.dat"));

    QStringList seen;  // what each dialog showed, in order
    const auto clickOk = [](QDialog* dialog) {
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    const auto box = [](QWidget* dialog, const char* name) {
        return dialog->findChild<QLineEdit*>(QLatin1String(name));
    };
    whenModalShown([&](QWidget* first) {
        auto* dialog = qobject_cast<TemplateDialog*>(first);
        if (dialog == nullptr) {
            first->close();
            return;
        }
        seen << dialog->windowTitle() << box(dialog, "TemplateChord")->text();
        box(dialog, "TemplateChord")->setText(QStringLiteral("0"));
        box(dialog, "TemplateSpars")->setText(QStringLiteral("30:6:4"));
        whenModalShown([&, dialog](QWidget* message) {
            if (auto* messageBox = qobject_cast<QMessageBox*>(message)) {
                seen << messageBox->text();
                messageBox->button(QMessageBox::Ok)->click();
            } else {
                message->close();
            }
            whenModalShown([&, dialog](QWidget* again) {
                if (again != dialog) {
                    again->close();
                    return;
                }
                seen << box(dialog, "TemplateChord")->text()
                     << box(dialog, "TemplateSpars")->text();
                box(dialog, "TemplateChord")->setText(QStringLiteral("120"));
                dialog->findChild<QCheckBox*>(QStringLiteral("TemplateSvg"))->setChecked(false);
                whenModalShown([&](QWidget* save) {
                    auto* fileDialog = qobject_cast<QFileDialog*>(save);
                    if (fileDialog == nullptr) {
                        save->close();
                        return;
                    }
                    seen << fileDialog->selectedFiles().value(0);
                    auto* nameBox =
                        fileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    nameBox->setText(dir.filePath(QStringLiteral("rib")));
                    static_cast<QDialog*>(fileDialog)->accept();
                });
                clickOk(dialog);
            });
        });
        clickOk(dialog);
    });
    form->findChild<QAction*>(QStringLiteral("mnuFileItem1"))->trigger();

    QCOMPARE(seen,
             (QStringList{QStringLiteral("Template"), QStringLiteral("150"),
                          QStringLiteral("Chord 0: a chord is 1 to 5,000 mm"), QStringLiteral("0"),
                          QStringLiteral("30:6:4"), testing::samplePath("naca2412")}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("rib-template.pdf"), QStringLiteral("rib.dxf")}));
    QVERIFY(testing::readAll(dir.filePath(QStringLiteral("rib-template.pdf"))).startsWith("%PDF-"));
    QVERIFY(testing::readAll(dir.filePath(QStringLiteral("rib.dxf"))).contains("chord 120 mm"));
}

QTEST_MAIN(TestRealDialogs)
#include "tst_realdialogs.moc"
