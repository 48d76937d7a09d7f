// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFile.h"

#include "HeaderLine.h"
#include "InputFile.h"
#include "SectionImport.h"
#include "model/Conversions.h"
#include "model/FileMessages.h"
#include "model/TextInput.h"

#include <QBuffer>
#include <QFile>

#include <string_view>

namespace vandrix {

namespace {

class CoordinateBlock {
public:
    CoordinateBlock(TextInput& input, SectionCurves& curves) : input_(input), curves_(curves) {}

    // Curve 0 runs from point 200 down to 0, curve 1 from 0 up to 200; x then y per point.
    // After the file has ended, every remaining slot gets 0.
    bool read() {
        for (int point = SectionStations - 1; point >= 0; --point) {
            store(curves_.x(0, point));
            store(curves_.y(0, point));
        }
        for (int point = 0; point < SectionStations; ++point) {
            store(curves_.x(1, point));
            store(curves_.y(1, point));
        }
        return !fault_;
    }

private:
    void store(double& slot) {
        if (ended_) {
            slot = 0.0;
            return;
        }
        if (input_.readItem(item_) != TextInput::Status::Ok) {
            ended_ = true;
            fault_ = true;
            slot = 0.0;
            return;
        }
        const Result<double> number = NumericPrefix(
            std::string_view(item_.constData(), static_cast<std::size_t>(item_.size())));
        if (!number) {
            fault_ = true;  // the slot keeps its former value
            return;
        }
        slot = number.value();
    }

    TextInput& input_;
    SectionCurves& curves_;
    QByteArray item_;
    bool ended_ = false;
    bool fault_ = false;
};

// A read that fails before the file's contents: nothing changes but the message.
DataFileOutcome unread(const DataFileReading& reading, const QString& message) {
    DataFileOutcome outcome;
    outcome.curves = reading.curves;
    outcome.messages << message;
    return outcome;
}

}  // namespace

QString BuiltInUnusableMessage() {
    return QStringLiteral("This data file cannot be used.");
}

DataFileOutcome ReadDataFileAt(const QString& path, const DataFileReading& reading) {
    // Nothing else may write the file while it is read: a pipe is refused like a device.
    QFile file;
    if (const Status opened = OpenInput(file, path, FifoRule::Refuse); !opened) {
        QString refusal = opened.error();
        // Names reach the window through Qt, which turns bytes that are not UTF-8 into U+FFFD.
        if (path.contains(QChar::ReplacementCharacter)) {
            refusal = QStringLiteral("the file name is not valid UTF-8");
        }
        return unread(reading, CannotOpenDescription(path, refusal));
    }
    // A file whose first line is a header line is a data file; any other may be a Selig,
    // Lednicer or MSES section file, which reads as the data file it converts to.
    SectionImport section =
        ImportSectionFile(file, path, file.fileTime(QFileDevice::FileModificationTime).date());
    if (section.kind == SectionImport::Kind::Failed) {
        return unread(reading, SectionFileDescription(path, section.error));
    }
    // A converted section file, or a data file in UTF-16 or with CR-only line ends, reads from
    // its bytes; a file that is neither reads as a malformed data file.
    if (section.kind == SectionImport::Kind::Converted ||
        (section.kind == SectionImport::Kind::NotSection && !section.bytes.isEmpty())) {
        file.close();
        QBuffer converted(&section.bytes);
        converted.open(QIODevice::ReadOnly);
        return ReadDataFileFrom(converted, reading);
    }
    if (section.consumed && !file.seek(0)) {
        return unread(reading, CannotOpenDescription(path, file.errorString()));
    }
    return ReadDataFileFrom(file, reading);
}

DataFileOutcome ReadDataFileFrom(QIODevice& device, const DataFileReading& reading) {
    DataFileOutcome outcome;
    outcome.curves = reading.curves;
    outcome.readStop = 0;
    TextInput input(device);

    QString line;
    for (const int pair : DataFileHeaderLayout) {
        const TextInput::Status status = pair == 0 ? input.skipLine() : input.readLine(line);
        if (status != TextInput::Status::Ok) {
            outcome.messages << reading.unusableMessage;
            return outcome;
        }
        if (pair == 0) {
            continue;
        }
        const auto index = static_cast<std::size_t>(pair - 1);
        outcome.labels[index] = GetLabel(line, reading.language, *outcome.readStop);
        if (outcome.readStop == 1) {
            outcome.bytesUsed = input.position();
            return outcome;
        }
        outcome.values[index] = GetValue(line);
    }

    CoordinateBlock block(input, outcome.curves);
    if (!block.read()) {
        outcome.messages << reading.unusableMessage;
    }
    outcome.bytesUsed = input.position();
    return outcome;
}

}  // namespace vandrix
