// SPDX-License-Identifier: GPL-3.0-or-later
// The section-file reader: bytes in; a section with its data file, or a reason, out.
#include "FuzzCheck.h"
#include "formats/SectionFile.h"
#include "formats/SectionImport.h"
#include "formats/SectionReader.h"
#include "model/FileMessages.h"
#include "model/SectionGeometry.h"

#include <QBuffer>

#include <cmath>
#include <cstdint>

using namespace vandrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SectionReading how;
    how.unusableMessage = QStringLiteral("unusable");
    how.neither = NeitherRule::Refuse;
    const SectionRead read = ReadSection(buffer, QStringLiteral("f.dat"), how);
    const bool converted = read.clean() && read.section.format != SectionFormat::DataFile;
    FUZZ_CHECK(read.refusal.isEmpty() || !read.clean());
    FUZZ_CHECK(read.refusal.isEmpty() || read.dataFile.isEmpty());
    // Nothing passes as converted without being read: a data file's bytes are only ever what its
    // reader took of the file or of its recoded text.
    FUZZ_CHECK(!read.clean() || converted || bytes.startsWith(read.dataFile) ||
               RecodedText(bytes).value_or(QByteArray()).startsWith(read.dataFile));
    // A converted section is measured; one thicker than half its chord says so.
    FUZZ_CHECK(!converted || (std::isfinite(read.section.measures.value().thickness) &&
                              (read.section.measures.value().thickness <= 0.5 ||
                               !read.section.warnings.filter(QStringLiteral(" thick")).isEmpty())));

    const Result<SectionText> text = ReadSectionText(bytes);
    if (!text || KindOfText(RecodedText(bytes).value_or(bytes)) != TextKind::SectionFile) {
        return 0;
    }
    FUZZ_CHECK(text.value().pointCount <= MaxSectionPoints);
    const Result<ResampledSection> section = ResampleSection(JoinedRun(text.value().runs));
    FUZZ_CHECK(bytes.size() > MaxSectionFileBytes || section.ok() == converted);
    if (!section) {
        return 0;
    }
    // Every resampled point is finite and within the chord; the measures are finite.
    const SectionCurves& curves = section.value().curves;
    for (const int c : {UpperCurve, LowerCurve}) {
        for (int k = 0; k < SectionStations; ++k) {
            FUZZ_CHECK(curves.x(c, k) >= 0.0 && curves.x(c, k) <= 1.0 &&
                       std::isfinite(curves.y(c, k)));
        }
    }
    const SectionMeasures& m = section.value().measures;
    FUZZ_CHECK(std::isfinite(m.thickness) && std::isfinite(m.camber) && std::isfinite(m.leRadius) &&
               std::isfinite(m.teGap) && std::isfinite(m.zeroLiftAngle) &&
               std::isfinite(m.quarterChordMoment));
    // The converted file is the native layout: 15 lines, then 402 pairs, CRLF.
    FUZZ_CHECK(bytes.size() > MaxSectionFileBytes || read.dataFile.count("\r\n") == 15 + 402);
    return 0;
}
