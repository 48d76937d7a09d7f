// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportInput.h"

#include "formats/InputFile.h"
#include "formats/SectionImport.h"
#include "model/FileMessages.h"
#include "model/PathBytes.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace vandrix {

namespace {

// Passes a stream through and keeps what was taken from it, so that the one pass that reads
// the data file also gives its bytes.
class KeepingDevice : public QIODevice {
public:
    explicit KeepingDevice(QIODevice& source) : source_(source) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    const QByteArray& kept() const { return kept_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = source_.read(data, maxSize);
        if (n < 0) {
            setErrorString(source_.errorString());
            return -1;
        }
        kept_.append(data, static_cast<qsizetype>(n));
        return n;
    }
    qint64 writeData(const char* /*data*/, qint64 /*size*/) override { return -1; }

private:
    QIODevice& source_;
    QByteArray kept_;
};

ExportInputRead unread(const DataFileReading& reading, const QString& message) {
    ExportInputRead read;
    read.data.curves = reading.curves;
    read.data.messages << message;
    return read;
}

QDate modifiedDate(int fd) {
    struct stat info = {};
    if (::fstat(fd, &info) != 0) {
        return QDate::currentDate();
    }
    return QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec).date();
}

}  // namespace

ExportInputRead ReadExportInput(const QString& input, const QString& sourceName,
                                const DataFileReading& reading) {
    const bool standardInput = input == QLatin1String(StandardInputName);
    const Result<int> fd = standardInput ? CheckedDuplicate(STDIN_FILENO, FifoRule::Allow)
                                         : OpenInputDescriptor(PathBytes(input), FifoRule::Allow);
    if (!fd) {
        return unread(reading, CannotOpenDescription(input, fd.error()));
    }
    QFile file;
    if (!file.open(fd.value(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd.value());
        return unread(reading, CannotOpenDescription(input, file.errorString()));
    }
    ExportInputRead read;
    KeepingDevice stream(file);
    SectionImport section = ImportSectionFile(stream, sourceName, modifiedDate(file.handle()));
    if (file.error() != QFileDevice::NoError) {
        return unread(reading, CannotReadDescription(input, file.errorString()));
    }
    if (!section.consumed) {  // a data file, read on from where the peek left it
        read.data = ReadDataFileFrom(stream, reading);
        read.dataFile = stream.kept().left(static_cast<qsizetype>(read.data.bytesUsed));
        return read;
    }
    if (section.kind == SectionImport::Kind::Failed ||
        section.kind == SectionImport::Kind::Neither) {
        const QString message = section.kind == SectionImport::Kind::Failed
                                    ? SectionFileDescription(input, section.error)
                                    : section.error;
        read = unread(reading, message);
        read.kind = section.kind;
        read.refusal = section.error;
        return read;
    }
    // A converted section file, or a data file whose start did not show it: one recoded from
    // UTF-16 or CR-only line ends, or one whose first line stops its header.
    const bool converted = section.kind == SectionImport::Kind::Converted;
    read.kind = section.kind;
    read.summary = section.summary;
    QByteArray source = converted || !section.bytes.isEmpty()
                            ? section.bytes
                            : stream.kept().left(MaxSectionFileBytes);
    QBuffer buffer(&source);
    buffer.open(QIODevice::ReadOnly);
    read.data = ReadDataFileFrom(buffer, reading);
    read.dataFile = converted ? source : source.left(static_cast<qsizetype>(read.data.bytesUsed));
    return read;
}

}  // namespace vandrix
