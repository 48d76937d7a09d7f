// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

#include <csignal>
#include <utility>

namespace vandrix::testing {

// A program a test starts, and how. Every member has an initializer, so that a designated
// initializer may leave any of them out.
struct Tool {
    QString program = {};
    QStringList arguments = {};
    QString workDir = {};                            // empty: the test's own
    QList<std::pair<QString, QString>> setEnv = {};  // added to the test's environment
    QStringList unsetEnv = {};                       // taken out of it
    QByteArray input = {};                           // its standard input, closed after this
    QString outputFile = {};  // takes its standard output instead of ToolRun::out
    int timeoutMs = 60000;    // how long it may take to end once waited for
};

struct ToolRun {
    int exitCode = -1;  // -1 unless it exited by itself
    int signal = 0;     // the signal that ended it (SIGKILL when its time ran out)
    QByteArray out;
    QByteArray err;
};

// The caller's file and line, as a defaulted last parameter.
struct CallSite {
    CallSite(const char* file = __builtin_FILE(), int line = __builtin_LINE())
        : file(file), line(line) {}
    const char* file;
    int line;
};

// Fails the test at `where`; outside a test function (a helper set up before the tests) warns.
inline void failAt(const CallSite& where, const QString& message) {
    if (QTest::currentTestFunction() != nullptr) {
        QTest::qFail(qPrintable(message), where.file, where.line);
    } else {
        qWarning("%s", qPrintable(message));
    }
}

// A program running beside the test; one still running when this goes is stopped. A start that
// fails, or an end or output that does not come in time, fails the test at the call that waited,
// naming the program and its arguments.
class RunningTool {
public:
    explicit RunningTool(Tool tool, CallSite where = {}) : tool_(std::move(tool)) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : tool_.setEnv) {
            env.insert(name, value);
        }
        for (const QString& name : tool_.unsetEnv) {
            env.remove(name);
        }
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(tool_.workDir);
        if (!tool_.outputFile.isEmpty()) {
            process_.setStandardOutputFile(tool_.outputFile);
        }
        process_.start(tool_.program, tool_.arguments);
        if (process_.waitForStarted()) {
            process_.write(tool_.input);
            process_.closeWriteChannel();
        } else {
            fail(QStringLiteral("could not start: ") + process_.errorString(), where);
        }
    }
    Q_DISABLE_COPY_MOVE(RunningTool)
    ~RunningTool() { stop(); }

    bool running() const { return process_.state() != QProcess::NotRunning; }
    qint64 pid() const { return process_.processId(); }
    void signal(int number) const {
        if (pid() > 0) {  // never 0: that would signal the test's whole process group
            ::kill(static_cast<pid_t>(pid()), number);
        }
    }

    // Its standard output so far, once it holds `text`; empty when it ends or `timeoutMs` pass
    // first.
    QByteArray outputWith(const QByteArray& text, int timeoutMs, CallSite where = {}) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!(out_ += process_.readAllStandardOutput()).contains(text)) {
            if (!running() ||
                !process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
                fail(QStringLiteral("no \"%1\" on its standard output within %2 ms")
                         .arg(QString::fromUtf8(text).replace(QLatin1Char('\n'),
                                                              QStringLiteral("\\n")))
                         .arg(timeoutMs),
                     where);
                return {};
            }
        }
        return out_;
    }

    // Waits for it to end; one still running after its time limit is killed.
    ToolRun wait(CallSite where = {}) {
        ToolRun run;
        if (running() && !process_.waitForFinished(tool_.timeoutMs)) {
            process_.kill();
            process_.waitForFinished();
            fail(QStringLiteral("still running after %1 ms: killed").arg(tool_.timeoutMs), where);
        }
        run.out = out_ + process_.readAllStandardOutput();
        run.err = process_.readAllStandardError();
        if (process_.exitStatus() == QProcess::CrashExit) {
            run.signal = process_.exitCode();  // on Unix the signal's number
        } else if (process_.error() != QProcess::FailedToStart) {
            run.exitCode = process_.exitCode();
        }
        return run;
    }

    // Ends it as logging out would: SIGTERM, and SIGKILL five seconds later.
    void stop() {
        if (running()) {
            process_.terminate();
            if (!process_.waitForFinished(5000)) {
                process_.kill();
                process_.waitForFinished();
            }
        }
    }

private:
    void fail(const QString& what, const CallSite& where) const {
        failAt(where, (QStringList{tool_.program} + tool_.arguments).join(u' ') +
                          QStringLiteral(": ") + what);
    }

    Tool tool_;
    QProcess process_;
    QByteArray out_;
};

// Runs a program to its end.
inline ToolRun runTool(Tool tool, CallSite where = {}) {
    return RunningTool(std::move(tool), where).wait(where);
}

inline ToolRun runTool(const QString& program, const QStringList& arguments, int timeoutMs = 60000,
                       CallSite where = {}) {
    return runTool({.program = program, .arguments = arguments, .timeoutMs = timeoutMs}, where);
}

}  // namespace vandrix::testing
