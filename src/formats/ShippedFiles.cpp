// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShippedFiles.h"

#include "LanguageFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vandrix {

QString InstalledShareDir(const QString& programDir, const QString& binDir,
                          const QString& dataDir) {
    const QString program = QDir::cleanPath(programDir);
    const QString bin = QDir::cleanPath(binDir);
    if (bin.isEmpty() || QDir::isAbsolutePath(bin) || !program.endsWith(QLatin1Char('/') + bin)) {
        return {};
    }
    const QString prefix = program.chopped(bin.size() + 1);
    QString share =
        QDir::cleanPath(prefix + QLatin1Char('/') + dataDir + QLatin1String("/vandrix"));
    if (!QFileInfo(share + QLatin1Char('/') + QLatin1String(LanguageFileName)).isFile()) {
        return {};
    }
    return share;
}

QString InstalledShareDir() {
    return InstalledShareDir(QCoreApplication::applicationDirPath(),
                             QStringLiteral(VANDRIX_INSTALL_BINDIR),
                             QStringLiteral(VANDRIX_INSTALL_DATADIR));
}

QString ShippedLanguageFile() {
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(LanguageFileName));
    if (QFileInfo(beside).isFile()) {
        return QDir::cleanPath(beside);
    }
    const QString share = InstalledShareDir();
    return share.isEmpty() ? QString() : share + u'/' + QLatin1String(LanguageFileName);
}

}  // namespace vandrix
