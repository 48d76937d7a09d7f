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
#include <QStandardPaths>

namespace vandrix {

std::int16_t LanguageForLocale(const QLocale& locale) {
    return locale.language() == QLocale::Japanese ? 2 : 1;
}

Status PrepareUserDirectory(const QString& userDir, const QString& shareDir,
                            std::int16_t language) {
    QDir dir(userDir);
    if (!dir.mkpath(QStringLiteral("."))) {
        return Status::failure(
            QStringLiteral("Cannot create the program directory %1.").arg(dir.absolutePath()));
    }
    const QString path = QDir::cleanPath(dir.absolutePath());

    const QString languageFile = dir.filePath(QLatin1String(LanguageFileName));
    if (!QFileInfo::exists(languageFile)) {
        QFile shipped(QDir(shareDir).filePath(QLatin1String(LanguageFileName)));
        if (!shipped.copy(languageFile)) {
            return Status::failure(QStringLiteral("Cannot copy %1 to %2: %3.")
                                       .arg(shipped.fileName(), path, shipped.errorString()));
        }
        // The shipped file may be read-only; the user's copy is theirs to edit.
        QFile::setPermissions(languageFile, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
    }

    // NewOnly: a Set.txt that appears in the meantime is not replaced either.
    QFile settings(dir.filePath(QLatin1String(SettingsFileName)));
    if (settings.exists()) {
        return Status::success();
    }
    const QByteArray bytes = FormatSettings(language, path, FirstScreenScale, FirstPrinterScale);
    if (!settings.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        settings.write(bytes) != bytes.size() || !settings.flush()) {
        const QString error = settings.errorString();
        if (settings.isOpen()) {
            settings.close();
            settings.remove();
        }
        return Status::failure(CannotWriteDescription(settings.fileName(), error));
    }
    return Status::success();
}

UserDirectory SettleUserDirectory(const QString& shareDir, std::int16_t language) {
    UserDirectory settled;
    // Without either variable Qt answers a directory under the root ("//.local/share").
    const bool noHome =
        qEnvironmentVariableIsEmpty("XDG_DATA_HOME") && qEnvironmentVariableIsEmpty("HOME");
    const QString dataHome =
        noHome ? QString() : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    settled.path = dataHome + QLatin1String("/vandrix");
    const Status prepared =
        dataHome.isEmpty()
            ? Status::failure(QStringLiteral("There is no data directory for a program directory "
                                             "(neither XDG_DATA_HOME nor HOME is set)."))
            : PrepareUserDirectory(settled.path, shareDir, language);
    if (prepared) {
        return settled;
    }
    // This run still works, on a temporary program directory.
    settled.standIn = std::make_unique<QTemporaryDir>();
    settled.path = settled.standIn->path();
    if (!settled.standIn->isValid() || !PrepareUserDirectory(settled.path, shareDir, language)) {
        settled.path.clear();
    }
    settled.messages << prepared.error() +
                            QLatin1String(" Settings will not be kept after this run.");
    return settled;
}

}  // namespace vandrix
