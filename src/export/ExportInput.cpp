// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportInput.h"

#include "formats/InputFile.h"
#include "formats/SectionImport.h"
#include "model/FileMessages.h"
#include "model/PrintableName.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace vandrix {

namespace {

constexpr qint64 FirstLinePeek = 4096;

// A section file's first line is short and not a header line; anything else is read as a data
// file (the importer's own rule).
bool mayBeSectionFile(const QByteArray& start) {
    const qsizetype end = start.indexOf('\n');
    return end >= 0 && start.left(end).count(':') < 2;
}

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
    if (!mayBeSectionFile(stream.peek(FirstLinePeek))) {
        read.data = ReadDataFileFrom(stream, reading);
        read.dataFile = stream.kept().left(static_cast<qsizetype>(read.data.bytesUsed));
        return read;
    }
    QByteArray bytes = stream.read(MaxSectionFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return unread(reading, CannotReadDescription(input, file.errorString()));
    }
    const bool tooLarge = bytes.size() > MaxSectionFileBytes;
    bytes.truncate(MaxSectionFileBytes);
    SectionImport section = ImportSectionFile(bytes, sourceName, modifiedDate(file.handle()));
    if (section.kind != SectionImport::Kind::NotSection && tooLarge) {
        section.kind = SectionImport::Kind::Failed;
        section.error =
            QStringLiteral("larger than %1 MiB").arg(MaxSectionFileBytes / (qint64{1024} * 1024));
    }
    if (section.kind == SectionImport::Kind::Failed) {
        return unread(reading, SectionFileDescription(input, section.error));
    }
    // Not a section file after all: a data file whose first line stops its header, which needs
    // nothing beyond what was read.
    const bool converted = section.kind == SectionImport::Kind::Converted;
    QByteArray& source = converted ? section.bytes : bytes;
    QBuffer buffer(&source);
    buffer.open(QIODevice::ReadOnly);
    read.data = ReadDataFileFrom(buffer, reading);
    read.dataFile = converted ? source : source.left(static_cast<qsizetype>(read.data.bytesUsed));
    return read;
}

}  // namespace vandrix
