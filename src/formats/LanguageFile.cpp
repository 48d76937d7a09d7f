#include "LanguageFile.h"

#include "model/Conversions.h"
#include "model/FileMessages.h"
#include "model/TextInput.h"
#include "InputFile.h"

#include <QFile>
#include <QFileInfo>

namespace vandrix {

LanguageRead ParseLanguage(QIODevice& device, std::int16_t language, const QString& path) {
    LanguageRead read;
    TextInput input(device);
    QString line;
    int lineNumber = 0;

    const auto next = [&]() -> bool {
        ++lineNumber;
        const TextInput::Status status = input.readLine(line);
        if (status == TextInput::Status::Ok) {
            return true;
        }
        read.messages << (status == TextInput::Status::End
                              ? QStringLiteral("The language file %1 ends early, at line %2.")
                                    .arg(path)
                                    .arg(lineNumber)
                              : input.describe(status, lineNumber, path));
        return false;
    };

    if (!next() || !next()) {
        return read;
    }
    int count = 0;
    if (const Result<std::int16_t> n = TextToInt16(line)) {
        count = n.value();
    } else {
        read.messages << QStringLiteral("%1: line 2 of %2").arg(OverflowDescription(), path);
    }

    for (int section = 1; section <= LanguageSectionCount; ++section) {
        if (!next()) {  // the section's header
            return read;
        }
        for (int k = 1; k <= count; ++k) {
            if (!next()) {
                return read;
            }
            if (section == static_cast<int>(LanguageSection::MenuItems)) {
                read.menuItems << line;
            } else if (k == language) {
                read.texts.at(static_cast<std::size_t>(section)) = line;
            }
        }
    }
    return read;
}

Result<LanguageRead> ReadLanguageFile(const QString& path, std::int16_t language) {
    // Refused unless a regular file: a FIFO here would hold up start-up for ever.
    QFile file;
    if (const QString refusal = OpenInput(file, path, FifoRule::Refuse); !refusal.isEmpty()) {
        return Result<LanguageRead>::failure(
            CannotOpenDescription(QFileInfo(path).absoluteFilePath(), refusal));
    }
    return Result<LanguageRead>::success(ParseLanguage(file, language, path));
}

}  // namespace vandrix
