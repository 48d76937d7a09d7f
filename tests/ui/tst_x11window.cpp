// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDriver.h"
#include "ScriptedDialogs.h"
#include "ToolRun.h"
#include "WindowFixture.h"
#include "XSession.h"
#include "ui/FormMain.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace vandrix;
using vandrix::testing::whenModalShown;

namespace {

// Runs an X client on the session's display (DISPLAY is set for the whole test) and gives its
// standard output.
QString xRun(const QString& program, const QStringList& arguments) {
    return QString::fromUtf8(testing::runTool(program, arguments, 10000).out);
}

// The value of a text property as the window system holds it: "" for an empty one, the quoted
// text otherwise, "<missing>" when the window has no such property.
QString titleProperty(WId window, const char* property) {
    const QString out =
        xRun(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window),
                                       QStringLiteral("-notype"), QLatin1String(property)});
    const qsizetype equals = out.indexOf(QLatin1Char('='));
    return equals < 0 ? QStringLiteral("<missing>") : out.mid(equals + 1).trimmed();
}

// Where the window system shows the window's top-left corner, in screen pixels.
QPoint absolutePosition(WId window) {
    const QString out =
        xRun(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    const QRegularExpression x(QStringLiteral("Absolute upper-left X:\\s*(-?\\d+)"));
    const QRegularExpression y(QStringLiteral("Absolute upper-left Y:\\s*(-?\\d+)"));
    return {x.match(out).captured(1).toInt(), y.match(out).captured(1).toInt()};
}

}  // namespace

// The window and the dialogs as the X server and the window manager (openbox) see them.
class TestX11Window : public QObject {
    Q_OBJECT

public:
    explicit TestX11Window(bool haveX) : haveX_(haveX) {}

private slots:
    void init();
    void cleanup();
    void emptyTitlesStayEmpty_data();
    void emptyTitlesStayEmpty();
    void clientAreaAtTopLeftOfScreen();
    void enterPressesFocusedButton_data();
    void enterPressesFocusedButton();

private:
    void showForm();

    bool haveX_;
    AppState state_;
    QtDialogs dialogs_;
    std::unique_ptr<ScriptedDialogs> scripted_;
    std::unique_ptr<FormMain> form_;
};

void TestX11Window::init() {
    if (!haveX_) {
        QSKIP("needs Xvfb and openbox");
    }
    state_ = AppState();
    scripted_ = std::make_unique<ScriptedDialogs>();
}

void TestX11Window::cleanup() {
    form_.reset();
    QVERIFY(testing::allWindowsClosed());
}

void TestX11Window::showForm() {
    form_->show();
    constexpr int ExposeTimeoutMs = 10000;
    QVERIFY(QTest::qWaitForWindowExposed(form_.get(), ExposeTimeoutMs));
}

void TestX11Window::emptyTitlesStayEmpty_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("main window as built") << QStringLiteral("main");
    QTest::newRow("main window, caption emptied") << QStringLiteral("emptied");
    QTest::newRow("message box") << QStringLiteral("message");
    QTest::newRow("input box") << QStringLiteral("input");
}

void TestX11Window::emptyTitlesStayEmpty() {
    QFETCH(QString, window);
    form_ = std::make_unique<FormMain>(state_, dialogs_);
    dialogs_.setParentWidget(form_.get());
    showForm();

    QStringList seen;  // _NET_WM_NAME, WM_NAME
    const auto look = [&seen](WId id) {
        seen = {titleProperty(id, "_NET_WM_NAME"), titleProperty(id, "WM_NAME")};
    };
    if (window == QLatin1String("main")) {
        look(form_->winId());
    } else if (window == QLatin1String("emptied")) {
        form_->setWindowTitle(QStringLiteral("Vandrix"));
        QCOMPARE(titleProperty(form_->winId(), "_NET_WM_NAME"), QStringLiteral("\"Vandrix\""));
        form_->setWindowTitle(QString());
        look(form_->winId());
    } else {
        whenModalShown([&look](QWidget* modal) {
            look(modal->winId());
            modal->close();
        });
        if (window == QLatin1String("message")) {
            dialogs_.messageBox(QStringLiteral("Max = 1400"));
        } else {
            dialogs_.inputBox(QStringLiteral("Input Program Directry"));
        }
    }
    QCOMPARE(seen, (QStringList{QString(), QString()}));
}

void TestX11Window::clientAreaAtTopLeftOfScreen() {
    form_ = std::make_unique<FormMain>(state_, *scripted_);
    showForm();
    // The client area lies below the menu bar, inside the X window that Qt made.
    const QPoint clientInWindow = form_->centralWidget()->pos();
    QTRY_COMPARE(absolutePosition(form_->winId()) + clientInWindow, QPoint(4, 42));
    QCOMPARE(form_->centralWidget()->size(), QSize(1016, 642));
    // The window manager's frame lies around it, above and to the left.
    const QString extents = titleProperty(form_->winId(), "_NET_FRAME_EXTENTS");
    const QStringList sides = extents.split(QLatin1Char(','));
    QCOMPARE(sides.size(), 4);
    QVERIFY2(sides[2].trimmed().toInt() > 0, qPrintable(extents));  // a title bar on top
}

void TestX11Window::enterPressesFocusedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("key");
    QTest::newRow("Return on the open button") << QStringLiteral("CommandInF") << "Return";
    QTest::newRow("keypad Enter on the open button") << QStringLiteral("CommandInF") << "KP_Enter";
    QTest::newRow("Space on the open button") << QStringLiteral("CommandInF") << "space";
    QTest::newRow("Return on the redraw button") << QStringLiteral("CommandRePaint") << "Return";
}

void TestX11Window::enterPressesFocusedButton() {
    QFETCH(QString, button);
    QFETCH(QString, key);
    form_ = std::make_unique<FormMain>(state_, *scripted_);
    showForm();
    xRun(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                                     QString::number(form_->winId())});
    QTRY_VERIFY(form_->isActiveWindow());
    auto* pressed = form_->findChild<QPushButton*>(button);
    QVERIFY(pressed != nullptr);
    pressed->setFocus();
    QTRY_VERIFY(pressed->hasFocus());

    // A key typed on the X server, delivered to the focused window.
    xRun(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
    if (button == QLatin1String("CommandInF")) {
        QTRY_COMPARE(scripted_->openDirs.size(), 1);  // the open-file dialog was asked for
    } else {
        // The redraw handler takes the empty box as 0 and writes it back.
        QTRY_COMPARE(form_->findChild<QLineEdit*>(QStringLiteral("TextScale"))->text(),
                     QStringLiteral("0"));
    }
    QTest::qWait(100);
    QCOMPARE(scripted_->openDirs.size(), button == QLatin1String("CommandInF") ? 1 : 0);
}

int main(int argc, char* argv[]) {
    // The X server must run before the application connects to it.
    const vandrix::testing::XSession session;
    if (session.running()) {
        qputenv("DISPLAY", session.display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    TestX11Window test(session.running());
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11window.moc"
