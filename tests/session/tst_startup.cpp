// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"
#include "ScriptedWindow.h"
#include "TestFiles.h"
#include "formats/SettingsFile.h"
#include "model/Conversions.h"
#include "session/ProgramDirectory.h"
#include "session/Startup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using vandrix::testing::readAll;
using vandrix::testing::writeFile;

namespace {

const QString Prompt = QStringLiteral("Input Program Directry");

QByteArray settings(std::int16_t language, const QString& dir, std::int16_t scale, double printer) {
    return FormatSettings(language, dir, scale, printer);
}

}  // namespace

// Start-up from different directories, the settings read and written, and shut-down.
class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartInProgramDirectory_data();
    void firstStartInProgramDirectory();
    void firstStartElsewhereAsks_data();
    void firstStartElsewhereAsks();
    void storedDirectoryIsTakenUnchecked();
    void unusableAnswers_data();
    void unusableAnswers();
    void overflowAtStartUpIsReported_data();
    void overflowAtStartUpIsReported();
    void exitWritesSettingsAndUnloads();
    void exitWhenProgramDirectoryVanished();
    void programFilePath_data();
    void programFilePath();

private:
    QString previousDir_;
    std::unique_ptr<QTemporaryDir> cwd_;
};

void TestStartup::init() {
    previousDir_ = QDir::currentPath();
    cwd_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(cwd_->path()));
}

void TestStartup::cleanup() {
    QDir::setCurrent(previousDir_);
    cwd_.reset();
}

void TestStartup::firstStartInProgramDirectory_data() {
    QTest::addColumn<QString>("programFile");
    QTest::newRow("project file") << "Vandrix.vbp";
    QTest::newRow("windows program") << "Vandrix.exe";
    QTest::newRow("this program's own name") << "vandrix";
}

void TestStartup::firstStartInProgramDirectory() {
    QFETCH(QString, programFile);
    QVERIFY(writeFile(cwd_->filePath(programFile), "x"));
    AppState state;
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    state.LangFontName = QStringLiteral("DejaVu Serif");
    Main(state, window, dialogs, QStringLiteral("vandrix"));

    // Set.txt is missing from the current directory and from the program directory: the same one.
    QCOMPARE(dialogs.messages.size(), 2);
    for (const QString& message : dialogs.messages) {
        QVERIFY2(message.contains(cwd_->filePath(QStringLiteral("Set.txt"))), qPrintable(message));
    }
    QCOMPARE(dialogs.prompts, QStringList());
    QCOMPARE(state.InitDir, cwd_->path());
    QCOMPARE(readAll(cwd_->filePath(QStringLiteral("Set.txt"))), settings(1, cwd_->path(), 0, 0));
    QCOMPARE(window.calls, (QStringList{"load", "show", "language", "font DejaVu Serif 12"}));
}

void TestStartup::firstStartElsewhereAsks_data() {
    QTest::addColumn<bool>("programDirHasSettings");
    QTest::newRow("answer holds Set.txt") << true;
    QTest::newRow("answer holds no Set.txt") << false;
}

void TestStartup::firstStartElsewhereAsks() {
    QFETCH(bool, programDirHasSettings);
    QVERIFY(writeFile(cwd_->filePath(QStringLiteral("vandrix.EXE")), "not a match"));
    QTemporaryDir program;
    if (programDirHasSettings) {
        QVERIFY(writeFile(program.filePath(QStringLiteral("Set.txt")),
                          settings(2, QStringLiteral("/old/place"), 900, 120.5)));
    }
    AppState state;
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    dialogs.inputAnswers << program.path();
    Main(state, window, dialogs, QStringLiteral("vandrix"));

    QCOMPARE(dialogs.prompts, QStringList{Prompt});
    QCOMPARE(dialogs.messages.size(), programDirHasSettings ? 1 : 2);
    QCOMPARE(state.InitDir, program.path());
    const QByteArray expected = programDirHasSettings ? settings(2, program.path(), 900, 120.5)
                                                      : settings(1, program.path(), 0, 0);
    QCOMPARE(readAll(program.filePath(QStringLiteral("Set.txt"))), expected);
    QVERIFY(!QFile::exists(cwd_->filePath(QStringLiteral("Set.txt"))));
    if (programDirHasSettings) {
        QCOMPARE(window.screenScaleText, QStringLiteral("900"));
        QCOMPARE(window.printerScaleText, QStringLiteral("120.5"));
    }
}

void TestStartup::storedDirectoryIsTakenUnchecked() {
    const QByteArray stored =
        "// Language\r\n 2 \r\n// Init DIR\r\n/no/such/dir\r\n// Scale\r\n"
        " 1200 \r\n// Printer Scale\r\n 150.5 \r\n";
    QVERIFY(writeFile(cwd_->filePath(QStringLiteral("Set.txt")), stored));
    AppState state;
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    Main(state, window, dialogs, QStringLiteral("vandrix"));
    QCOMPARE(dialogs.messages, QStringList());
    QCOMPARE(dialogs.prompts, QStringList());
    QCOMPARE(state.InitDir, QStringLiteral("/no/such/dir"));
    QCOMPARE(state.Language, std::int16_t(2));
    QCOMPARE(state.ScreenScale, std::int16_t(1200));
    QCOMPARE(state.PrinterScale, 150.5);
    QCOMPARE(window.screenScaleText, QStringLiteral("1200"));
    QCOMPARE(window.printerScaleText, QStringLiteral("150.5"));
    QCOMPARE(readAll(cwd_->filePath(QStringLiteral("Set.txt"))), stored);  // not rewritten
    QVERIFY(window.calls.contains(QStringLiteral("language")));
}

void TestStartup::unusableAnswers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("writtenTo");  // where Set.txt ends up; empty: nowhere
    QTest::newRow("cancelled") << ""
                               << "cwd";
    QTest::newRow("directory that does not exist") << "/no/such/dir"
                                                   << "";
    QTest::newRow("a file, not a directory") << "/etc/hostname"
                                             << "";
}

void TestStartup::unusableAnswers() {
    QFETCH(QString, answer);
    QFETCH(QString, writtenTo);
    AppState state;
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    dialogs.inputAnswers << answer;
    Main(state, window, dialogs, QStringLiteral("vandrix"));
    QCOMPARE(dialogs.prompts, QStringList{Prompt});
    QCOMPARE(state.InitDir, answer);
    QCOMPARE(state.Language, std::int16_t(1));
    if (writtenTo.isEmpty()) {
        // Two failed reads, then the write that says the directory cannot be used.
        QCOMPARE(dialogs.messages.size(), 3);
        QVERIFY2(dialogs.messages[2].contains(answer + QStringLiteral("/Set.txt")),
                 qPrintable(dialogs.messages[2]));
    } else {
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(readAll(cwd_->filePath(QStringLiteral("Set.txt"))), settings(1, QString(), 0, 0));
    }
    QVERIFY(window.calls.endsWith(QStringLiteral("font  12")));
}

void TestStartup::overflowAtStartUpIsReported_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("screenText");
    QTest::addColumn<QString>("printerText");
    QTest::newRow("language and screen scale overflow")
        << QByteArray("//\r\n40000\r\n//\r\n/d\r\n//\r\n-40000\r\n//\r\n 99 \r\n") << 2
        << QStringLiteral("555") << QStringLiteral("99");
    QTest::newRow("printer scale overflows")
        << QByteArray("//\r\n 1 \r\n//\r\n/d\r\n//\r\n 700 \r\n//\r\n1e400\r\n") << 1
        << QStringLiteral("700") << QStringLiteral("12.5");
    QTest::newRow("file ends before the scales") << QByteArray("//\r\n 1 \r\n//\r\n/d\r\n") << 0
                                                 << QStringLiteral("555") << QStringLiteral("12.5");
}

void TestStartup::overflowAtStartUpIsReported() {
    QFETCH(QByteArray, file);
    QFETCH(int, messages);
    QFETCH(QString, screenText);
    QFETCH(QString, printerText);
    QVERIFY(writeFile(cwd_->filePath(QStringLiteral("Set.txt")), file));
    AppState state;
    state.ScreenScale = 555;
    state.PrinterScale = 12.5;
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    Main(state, window, dialogs, QStringLiteral("vandrix"));
    QCOMPARE(dialogs.messages.size(), messages);
    QCOMPARE(state.InitDir, QStringLiteral("/d"));
    // The boxes show the stored values, whatever line could not be taken.
    QCOMPARE(window.screenScaleText, screenText);
    QCOMPARE(window.printerScaleText, printerText);
    QCOMPARE(Int16ToText(state.ScreenScale), screenText);
    QCOMPARE(DoubleToText(state.PrinterScale), printerText);
}

void TestStartup::exitWritesSettingsAndUnloads() {
    QTemporaryDir program;
    AppState state;
    state.Language = 2;
    state.InitDir = program.path();
    state.ScreenScale = 1200;
    state.PrinterScale = 150.5;
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    ExitProgram(state, window, dialogs);
    QCOMPARE(dialogs.messages, QStringList());
    QCOMPARE(readAll(program.filePath(QStringLiteral("Set.txt"))),
             settings(2, program.path(), 1200, 150.5));
    QCOMPARE(window.calls, QStringList{"unload"});
    QCOMPARE(window.files.path(), program.path());
}

void TestStartup::exitWhenProgramDirectoryVanished() {
    AppState state;
    {
        QTemporaryDir gone;
        state.InitDir = gone.path();
    }
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    ExitProgram(state, window, dialogs);
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].contains(state.InitDir + QStringLiteral("/Set.txt")));
    QCOMPARE(window.calls, QStringList{"unload"});
}

void TestStartup::programFilePath_data() {
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unknown directory") << ""
                                       << "Set.txt";
    QTest::newRow("trailing separator") << "/"
                                        << "/Set.txt";
    QTest::newRow("plain") << "/opt/vandrix"
                           << "/opt/vandrix/Set.txt";
    QTest::newRow("trailing blanks") << "/opt/v  "
                                     << "/opt/v  /Set.txt";
    QTest::newRow("backslash is an ordinary character") << "C:\\v\\"
                                                        << "C:\\v\\/Set.txt";
}

void TestStartup::programFilePath() {
    QFETCH(QString, dir);
    QFETCH(QString, expected);
    QCOMPARE(ProgramFilePath(dir, QStringLiteral("Set.txt")), expected);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
