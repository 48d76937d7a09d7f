// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionFile.h"

#include "DataFile.h"
#include "SectionImport.h"
#include "SectionReader.h"
#include "model/FileMessages.h"
#include "model/PathBytes.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace vandrix {

namespace {

// Passes a stream through and keeps what was taken from it, so that the file can be read again
// from its start when its first bytes did not tell what it is (a pipe can be read only once),
// and the one pass that reads a data file also gives its bytes when they are wanted.
class KeepingDevice : public QIODevice {
public:
    explicit KeepingDevice(QIODevice& source) : source_(source) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    const QByteArray& kept() const { return kept_; }
    // What is read from here on is passed through without being kept.
    void stopKeeping() { keeping_ = false; }

    // Takes the source's next bytes straight into what is kept until it holds `size` bytes or
    // the source ends, and gives it: the start of a file, held once.
    const QByteArray& keepUpTo(qint64 size) {
        constexpr qint64 Chunk = qint64{64} * 1024;
        // A file's size is known, and what is kept is made room for once; a pipe's grows.
        if (!source_.isSequential()) {
            const qint64 left = std::max<qint64>(source_.size() - source_.pos(), 0);
            kept_.reserve(static_cast<qsizetype>(std::min(size, kept_.size() + left + 1)));
        }
        while (kept_.size() < size) {
            const qsizetype had = kept_.size();
            const qsizetype want = had + static_cast<qsizetype>(std::min(Chunk, size - had));
            if (kept_.capacity() < want) {
                kept_.reserve(std::min<qsizetype>(std::max(want, 2 * kept_.capacity()), size));
            }
            kept_.resize(want);
            const qint64 n = source_.read(kept_.data() + had, kept_.size() - had);
            kept_.resize(had + static_cast<qsizetype>(std::max<qint64>(n, 0)));
            if (n <= 0) {
                break;
            }
        }
        return kept_;
    }

    // Reading starts again from the first byte: what was kept, then the rest of the source.
    void restart() {
        close();
        replayed_ = 0;
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (replayed_ < kept_.size()) {
            const qint64 n = std::min<qint64>(maxSize, kept_.size() - replayed_);
            std::copy_n(kept_.constData() + replayed_, n, data);
            replayed_ += n;
            return n;
        }
        const qint64 n = source_.read(data, maxSize);
        if (n < 0) {
            setErrorString(source_.errorString());
            return -1;
        }
        if (keeping_) {
            kept_.append(data, static_cast<qsizetype>(n));
            replayed_ = kept_.size();
        }
        return n;
    }
    qint64 writeData(const char* /*data*/, qint64 /*size*/) override { return -1; }

private:
    QIODevice& source_;
    QByteArray kept_;
    qsizetype replayed_ = 0;
    bool keeping_ = true;
};

// A read that ends before the file's contents: nothing changes but the message.
SectionRead unread(const SectionReading& how, const QString& message, const QString& refusal = {}) {
    SectionRead read;
    read.section.curves = how.curves;
    read.messages << message;
    read.refusal = refusal;
    return read;
}

QDate modifiedDate(int fd) {
    struct stat info = {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        return QDate::currentDate();
    }
    return QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec).date();
}

// A data file read from `bytes`, which are all of it as far as the reader needs.
SectionRead dataFileFrom(QByteArray bytes, const SectionReading& how) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SectionRead read = ReadDataFileFrom(buffer, how);
    read.dataFile = bytes.left(static_cast<qsizetype>(read.bytesUsed));
    return read;
}

// A data file read on from where the stream stands, its bytes kept where they are wanted.
SectionRead dataFileFrom(KeepingDevice& stream, const SectionReading& how) {
    if (!how.keepBytes) {
        stream.stopKeeping();
    }
    SectionRead read = ReadDataFileFrom(stream, how);
    if (how.keepBytes) {
        read.dataFile = stream.kept().left(static_cast<qsizetype>(read.bytesUsed));
    }
    return read;
}

SectionRead converted(const ConvertedSection& conversion, const SectionReading& how) {
    SectionRead read = dataFileFrom(conversion.dataFile, how);
    read.dataFile = conversion.dataFile;
    const Section& found = conversion.section;
    read.section.format = found.format;
    read.section.filePoints = found.filePoints;
    read.section.measures = found.measures;
    read.section.warnings = found.warnings;
    return read;
}

// What the start of a file holds, and its text recoded where it needs that.
struct StartKind {
    TextKind kind = TextKind::Neither;
    std::optional<QByteArray> recoded;
};

StartKind kindOfStart(const QByteArray& start) {
    const QByteArray limited =
        QByteArray::fromRawData(start.constData(), std::min(start.size(), MaxSectionFileBytes));
    StartKind found;
    found.recoded = RecodedText(limited);
    found.kind = KindOfText(found.recoded.value_or(limited));
    return found;
}

// What a file's first bytes make of it: a data file at first sight is read on from where the
// look left it; anything else is read up to the section files' size limit and told apart.
SectionRead readStream(QIODevice& device, const QString& name, QDate modified,
                       const SectionReading& how) {
    auto* const file = qobject_cast<QFileDevice*>(&device);
    const auto failedRead = [file] {
        return file != nullptr && file->error() != QFileDevice::NoError;
    };
    KeepingDevice stream(device);
    const bool dataFile = DataFileStart(stream.peek(FirstLinePeek));
    if (failedRead()) {
        return unread(how, CannotReadDescription(name, file->errorString()));
    }
    if (dataFile) {
        return dataFileFrom(stream, how);
    }
    // The start of the file as far as a section file may reach, and a byte more.
    const QByteArray& start = stream.keepUpTo(MaxSectionFileBytes + 1);
    if (failedRead()) {
        return unread(how, CannotReadDescription(name, file->errorString()));
    }
    const auto [kind, recoded] = kindOfStart(start);
    if (kind == TextKind::SectionFile) {
        const QString source = how.sourceName.isEmpty() ? name : how.sourceName;
        const Result<ConvertedSection> conversion = ConvertSection(start, source, modified);
        if (!conversion) {
            return unread(how, SectionFileDescription(name, conversion.error()),
                          conversion.error());
        }
        return converted(conversion.value(), how);
    }
    if (kind == TextKind::Neither && how.neither == NeitherRule::Refuse) {
        return unread(how, NeitherReason(), NeitherReason());
    }
    // A data file whose start did not show it (recoded from UTF-16 or CR-only line ends, or a
    // first line longer than the look), or a file that is neither, read as a damaged data file.
    if (kind == TextKind::DataFile && recoded) {
        return dataFileFrom(*recoded, how);
    }
    stream.restart();
    return dataFileFrom(stream, how);
}

SectionRead readDescriptor(int fd, const QString& name, const SectionReading& how) {
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return unread(how, CannotOpenDescription(name, file.errorString()));
    }
    return readStream(file, name, modifiedDate(fd), how);
}

}  // namespace

QString BuiltInUnusableMessage() {
    return QStringLiteral("This data file cannot be used.");
}

SectionRead ReadSection(const QString& path, const SectionReading& how) {
    const Result<int> fd = OpenInputDescriptor(PathBytes(path), how.fifo);
    if (!fd) {
        const bool lossy = how.lossyName && path.contains(QChar::ReplacementCharacter);
        return unread(how, CannotOpenDescription(
                               path, lossy ? QStringLiteral("the file name is not valid UTF-8")
                                           : fd.error()));
    }
    return readDescriptor(fd.value(), path, how);
}

SectionRead ReadSection(int descriptor, const QString& name, const SectionReading& how) {
    const Result<int> fd = CheckedDuplicate(descriptor, how.fifo);
    if (!fd) {
        return unread(how, CannotOpenDescription(name, fd.error()));
    }
    return readDescriptor(fd.value(), name, how);
}

SectionRead ReadSection(QIODevice& device, const QString& name, const SectionReading& how) {
    return readStream(device, name, QDate::currentDate(), how);
}

QString SectionName(const QString& title, const QString& path) {
    const QString name = title.trimmed();
    return name.isEmpty() ? QFileInfo(path).completeBaseName() : name;
}

}  // namespace vandrix
