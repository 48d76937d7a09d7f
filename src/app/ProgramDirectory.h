#pragma once

#include <QString>

namespace vandrix {

// Where a file of the program directory lies: the bare name (current directory) while the
// directory is unknown, else the directory and the name joined by one separator.
QString ProgramFilePath(const QString& initDir, const QString& fileName);

// "Cannot open file PATH: REASON", the message for a file that could not be opened.
QString CannotOpenDescription(const QString& path, const QString& reason);

}  // namespace vandrix
