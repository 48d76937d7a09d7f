#include "LanguageFile.h"

#include "Conversions.h"
#include "TextInput.h"

namespace vandrix {

LanguageRead ParseLanguage(QIODevice& device, std::int16_t language, const QString& path) {
    LanguageRead read;
    TextInput input(device);
    QString line;
    int lineNumber = 0;

    const auto next = [&]() -> bool {
        ++lineNumber;
        switch (input.readLine(line)) {
            case TextInput::Status::Ok:
                return true;
            case TextInput::Status::End:
                read.messages << QStringLiteral("The language file %1 ends early, at line %2.")
                                     .arg(path)
                                     .arg(lineNumber);
                return false;
            case TextInput::Status::TooLong:
                read.messages
                    << QStringLiteral("Line %1 of %2 is too long.").arg(lineNumber).arg(path);
                return false;
            case TextInput::Status::Failed:
                read.messages
                    << QStringLiteral("Cannot read file %1: %2").arg(path, input.errorString());
                return false;
        }
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

}  // namespace vandrix
