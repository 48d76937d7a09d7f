// SPDX-License-Identifier: GPL-3.0-or-later
// The whole data-file reader: bytes in; labels, values, points and messages out.
#include "DataFileBytes.h"
#include "FuzzCheck.h"
#include "formats/DataFile.h"
#include "session/OpenFlow.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace vandrix;

namespace {

constexpr double Untouched = 7.25;

struct Run {
    AppState state;
    SectionRead outcome;
};

Run read(const QByteArray& bytes, std::int16_t language) {
    Run run;
    run.state.Language = language;
    run.state.FileErrorMessage = QStringLiteral("unusable");
    testing::fillPoints(run.state, Untouched);
    run.outcome = testing::readDataFileBytes(bytes, run.state);
    return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::int16_t language = size % 2 == 0 ? 1 : 2;
    const Run first = read(bytes, language);
    const Run second = read(bytes, language);

    // The same file reads the same way twice.
    FUZZ_CHECK(first.outcome.section.labels == second.outcome.section.labels);
    FUZZ_CHECK(first.outcome.labelRead == second.outcome.labelRead);
    FUZZ_CHECK(first.outcome.section.values == second.outcome.section.values);
    FUZZ_CHECK(first.outcome.valueRead == second.outcome.valueRead);
    FUZZ_CHECK(first.outcome.messages == second.outcome.messages);
    FUZZ_CHECK(first.state.PointX == second.state.PointX &&
               first.state.PointY == second.state.PointY);

    const AppState& state = first.state;
    const SectionRead& outcome = first.outcome;
    FUZZ_CHECK(outcome.messages.size() <= 1);
    FUZZ_CHECK(state.ReadStop == 0 || state.ReadStop == 1);

    // Every slot holds a finite number; slot 201 is never written.
    for (int c = 0; c < CurveCount; ++c) {
        for (int p = 0; p < PointSlots; ++p) {
            FUZZ_CHECK(std::isfinite(state.PointX(c, p)) && std::isfinite(state.PointY(c, p)));
        }
        FUZZ_CHECK(state.PointX(c, 201) == Untouched && state.PointY(c, 201) == Untouched);
    }

    // Pairs fill in file order, a value only with its label; a stopped read is silent and
    // leaves every point alone.
    constexpr std::array<int, 8> order = {2, 3, 1, 4, 5, 6, 7, 8};
    bool gap = false;
    for (const int pair : order) {
        const auto k = static_cast<std::size_t>(pair - 1);
        FUZZ_CHECK(!gap || !outcome.labelRead[k]);
        FUZZ_CHECK(!outcome.valueRead[k] || outcome.labelRead[k]);
        FUZZ_CHECK(outcome.section.labels[k].first.size() <= 32767 &&
                   outcome.section.labels[k].second.size() <= 32767);
        gap = gap || !outcome.valueRead[k];
    }
    if (state.ReadStop == 1) {
        FUZZ_CHECK(outcome.messages.isEmpty());
        FUZZ_CHECK(testing::allPointsAre(state, Untouched));
    }
    const bool allPairs = std::all_of(outcome.valueRead.begin(), outcome.valueRead.end(),
                                      [](bool read) { return read; });
    if (!allPairs) {
        FUZZ_CHECK(testing::allPointsAre(state, Untouched));
    }
    return 0;
}
