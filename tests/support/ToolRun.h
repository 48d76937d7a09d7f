// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace vandrix::testing {

struct ToolRun {
    bool finished = false;  // ended within the time limit, even by a crash
    int exitCode = -1;      // -1: did not finish in time or crashed
    QByteArray out;
    QByteArray err;
};

// Runs another program to its end; one still running after `timeoutMs` is killed, so that a
// hanging tool fails the test instead of stalling it.
inline ToolRun runTool(
    const QString& program, const QStringList& arguments, int timeoutMs = 60000,
    const QString& workDir = {},
    const QProcessEnvironment& env = QProcessEnvironment(QProcessEnvironment::InheritFromParent)) {
    QProcess process;
    if (!workDir.isEmpty()) {
        process.setWorkingDirectory(workDir);
    }
    if (!env.inheritsFromParent()) {
        process.setProcessEnvironment(env);
    }
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.finished = true;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    return run;
}

}  // namespace vandrix::testing
