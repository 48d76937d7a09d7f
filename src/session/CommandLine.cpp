// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "model/PathBytes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace vandrix {

namespace {

void describe(QCommandLineParser& parser) {
    QCoreApplication::setApplicationName(QStringLiteral("vandrix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANDRIX_VERSION));
    parser.setApplicationDescription(QStringLiteral("Shows and prints wing section data files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A data file to open, as if chosen with the open "
                                                "button. Of several, the first is opened."),
                                 QStringLiteral("[file]"));
}

}  // namespace

QStringList CommandLineArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << PathFromBytes(QByteArray(argv[i]));
    }
    return arguments;
}

void AnswerCommandLineRequests(int argc, char** argv) {
    const QStringList arguments = CommandLineArguments(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    // Options of Qt's own (-platform, -style ...) are not known here; they are taken later.
    parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
        parser.isSet(QStringLiteral("version"))) {
        // A core application (no window system) lets the help name the program as started.
        QCoreApplication app(argc, argv);
        parser.process(app);
    }
}

QString FileToOpen(const QStringList& arguments, const QString& workingDir) {
    QCommandLineParser parser;
    describe(parser);
    parser.process(arguments);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty() || files.constFirst().isEmpty()) {
        return {};
    }
    return QDir(workingDir).absoluteFilePath(files.constFirst());
}

}  // namespace vandrix
