// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFile.h"

#include "HeaderLine.h"
#include "TextInput.h"
#include "model/Conversions.h"

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
        const Result<std::optional<QByteArrayView>> item = input_.readItem();
        if (!item || !item.value()) {
            ended_ = true;
            fault_ = true;
            slot = 0.0;
            return;
        }
        const QByteArrayView bytes = *item.value();
        const Result<double> number =
            NumericPrefix(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
        if (!number) {
            fault_ = true;  // the slot keeps its former value
            return;
        }
        slot = number.value();
    }

    TextInput& input_;
    SectionCurves& curves_;
    bool ended_ = false;
    bool fault_ = false;
};

}  // namespace

SectionRead ReadDataFileFrom(QIODevice& device, const SectionReading& how) {
    SectionRead read;
    read.section.curves = how.curves;
    read.section.filePoints = 2 * SectionStations;
    read.readStop = 0;
    TextInput input(device);

    for (const int pair : DataFileHeaderLayout) {
        if (pair == 0) {
            const Result<bool> skipped = input.skipLine();
            if (!skipped || !skipped.value()) {
                read.messages << how.unusableMessage;
                return read;
            }
            continue;
        }
        const Result<std::optional<QString>> line = input.readLine();
        if (!line || !line.value()) {
            read.messages << how.unusableMessage;
            return read;
        }
        const auto index = static_cast<std::size_t>(pair - 1);
        read.labelRead.at(index) = true;
        const Result<HeaderLabel> labels = HeaderLabels(*line.value());
        if (!labels) {
            // The header stops here: the label shows empty, the value and later pairs stay.
            read.readStop = 1;
            read.bytesUsed = input.position();
            return read;
        }
        read.section.labels.at(index) = labels.value();
        read.section.values.at(index) = GetValue(*line.value());
        read.valueRead.at(index) = true;
    }

    CoordinateBlock block(input, read.section.curves);
    if (!block.read()) {
        read.messages << how.unusableMessage;
    }
    read.bytesUsed = input.position();
    return read;
}

}  // namespace vandrix
