#include "DataFile.h"

#include "HeaderLine.h"
#include "app/Conversions.h"
#include "app/ProgramDirectory.h"
#include "app/TextInput.h"
#include "formats/InputFile.h"
#include "sections/SectionImport.h"

#include <QBuffer>
#include <QFile>

#include <string_view>

namespace vandrix {

namespace {

// The first fifteen lines: header lines fill these pairs (1-based), 0 marks a line that is
// read and ignored.
constexpr std::array<int, 15> HeaderLayout = {2, 3, 1, 4, 5, 0, 6, 7, 8, 0, 0, 0, 0, 0, 0};

class CoordinateBlock {
public:
    CoordinateBlock(TextInput& input, AppState& state) : input_(input), state_(state) {}

    // Curve 0 runs from point 200 down to 0, curve 1 from 0 up to 200; x then y per point.
    // After the file has ended, every remaining slot gets 0.
    bool read() {
        for (int point = FilePointsPerCurve - 1; point >= 0; --point) {
            store(state_.PointX(0, point));
            store(state_.PointY(0, point));
        }
        for (int point = 0; point < FilePointsPerCurve; ++point) {
            store(state_.PointX(1, point));
            store(state_.PointY(1, point));
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
    AppState& state_;
    QByteArray item_;
    bool ended_ = false;
    bool fault_ = false;
};

}  // namespace

QString UnusableFileMessage(const AppState& state) {
    if (!state.FileErrorMessage.isEmpty()) {
        return state.FileErrorMessage;
    }
    return QStringLiteral("This data file cannot be used.");
}

DataFileOutcome ReadDataFile(AppState& state) {
    // Nothing else may write the file while it is read: a pipe is refused like a device.
    QFile file;
    if (QString refusal = OpenInput(file, state.DataPath, FifoRule::Refuse); !refusal.isEmpty()) {
        // Names reach the window through Qt, which turns bytes that are not UTF-8 into U+FFFD.
        if (state.DataPath.contains(QChar::ReplacementCharacter)) {
            refusal = QStringLiteral("the file name is not valid UTF-8");
        }
        DataFileOutcome outcome;
        outcome.messages << CannotOpenDescription(state.DataPath, refusal);
        return outcome;
    }
    // A file whose first line is a header line is a data file; any other may be a Selig or
    // Lednicer section file, which reads as the data file it converts to.
    SectionImport section = ImportSectionFile(file, state.DataPath);
    if (section.kind == SectionImport::Kind::Failed) {
        DataFileOutcome outcome;
        outcome.messages << SectionFileDescription(state.DataPath, section.error);
        return outcome;
    }
    if (section.kind == SectionImport::Kind::Converted) {
        file.close();
        QBuffer converted(&section.bytes);
        converted.open(QIODevice::ReadOnly);
        return ReadDataFileFrom(converted, state);
    }
    DataFileOutcome outcome;
    if (!section.consumed || file.seek(0)) {
        outcome = ReadDataFileFrom(file, state);
    } else {
        outcome.messages << CannotOpenDescription(state.DataPath, file.errorString());
    }
    file.close();
    return outcome;
}

DataFileOutcome ReadDataFileFrom(QIODevice& device, AppState& state) {
    DataFileOutcome outcome;
    TextInput input(device);
    state.ReadStop = 0;

    QString line;
    for (const int pair : HeaderLayout) {
        const TextInput::Status status = pair == 0 ? input.skipLine() : input.readLine(line);
        if (status != TextInput::Status::Ok) {
            outcome.messages << UnusableFileMessage(state);
            return outcome;
        }
        if (pair == 0) {
            continue;
        }
        const auto index = static_cast<std::size_t>(pair - 1);
        outcome.labels[index] = GetLabel(line, state.Language, state.ReadStop);
        if (state.ReadStop == 1) {
            outcome.bytesUsed = input.position();
            return outcome;
        }
        outcome.values[index] = GetValue(line);
    }

    CoordinateBlock block(input, state);
    if (!block.read()) {
        outcome.messages << UnusableFileMessage(state);
    }
    outcome.bytesUsed = input.position();
    return outcome;
}

}  // namespace vandrix
