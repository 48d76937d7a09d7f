// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/LanguageFile.h"

#include <QByteArray>
#include <QString>

namespace vandrix::testing {

// A language file whose line n (from 3 on) reads "L<n>": line 1 a title, line 2 `count`.
// `lines` is how many lines the file has; see completeLength().
inline QByteArray numberedLanguageFile(const QByteArray& count, int lines) {
    QByteArray bytes;
    for (int n = 1; n <= lines; ++n) {
        bytes += n == 1   ? QByteArray("Language file")
                 : n == 2 ? count
                          : "L" + QByteArray::number(n);
        bytes += "\r\n";
    }
    return bytes;
}

// The lines of a file with N languages that has every line of its first `sections` sections:
// by default the sections every file has, not the optional ones that follow them.
inline int completeLength(int languages, int sections = FirstLanguageSectionCount) {
    return 2 + sections * (languages + 1);
}

// The line of language k in section s of a complete file with N languages.
inline QString lineFor(int languages, int section, int k) {
    return QStringLiteral("L%1").arg(3 + (section - 1) * (languages + 1) + k);
}

}  // namespace vandrix::testing
