// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserDirectory.h"

#include "formats/LanguageFile.h"
#include "formats/SettingsFile.h"
#include "model/FileMessages.h"
#include "model/Scales.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace vandrix {

std::int16_t LanguageForLocale(const QLocale& locale) {
    return locale.language() == QLocale::Japanese ? 2 : 1;
}

QString PrepareUserDirectory(const QString& userDir, const QString& shareDir,
                             std::int16_t language) {
    QDir dir(userDir);
    if (!dir.mkpath(QStringLiteral("."))) {
        return QStringLiteral("Cannot create the program directory %1.").arg(dir.absolutePath());
    }
    const QString path = QDir::cleanPath(dir.absolutePath());

    const QString languageFile = dir.filePath(QLatin1String(LanguageFileName));
    if (!QFileInfo::exists(languageFile)) {
        QFile shipped(QDir(shareDir).filePath(QLatin1String(LanguageFileName)));
        if (!shipped.copy(languageFile)) {
            return QStringLiteral("Cannot copy %1 to %2: %3.")
                .arg(shipped.fileName(), path, shipped.errorString());
        }
        // The shipped file may be read-only; the user's copy is theirs to edit.
        QFile::setPermissions(languageFile, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
    }

    // NewOnly: a Set.txt that appears in the meantime is not replaced either.
    QFile settings(dir.filePath(QLatin1String(SettingsFileName)));
    if (settings.exists()) {
        return {};
    }
    const QByteArray bytes = FormatSettings(language, path, FirstScreenScale, FirstPrinterScale);
    if (!settings.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        settings.write(bytes) != bytes.size() || !settings.flush()) {
        const QString error = settings.errorString();
        if (settings.isOpen()) {
            settings.close();
            settings.remove();
        }
        return CannotWriteDescription(settings.fileName(), error);
    }
    return {};
}

}  // namespace vandrix
