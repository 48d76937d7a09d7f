// SPDX-License-Identifier: GPL-3.0-or-later
// The section-file import: bytes in; a native data file, a reason, or "not a section" out.
#include "FuzzCheck.h"
#include "formats/SectionImport.h"
#include "formats/SectionReader.h"
#include "model/FileMessages.h"
#include "model/SectionGeometry.h"

#include <cmath>
#include <cstdint>

using namespace vandrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SectionImport import =
        ImportSectionFile(bytes, QStringLiteral("f.dat"), QDate(2026, 1, 2));
    const bool refused =
        import.kind == SectionImport::Kind::Failed || import.kind == SectionImport::Kind::Neither;
    FUZZ_CHECK(refused != import.error.isEmpty());
    FUZZ_CHECK(!refused || import.bytes.isEmpty());
    // Nothing passes as converted without being read: a data file's bytes are only ever its
    // recoded text, which starts with its header line.
    FUZZ_CHECK(import.kind != SectionImport::Kind::NotSection || import.bytes.isEmpty() ||
               StartsWithHeaderLine(import.bytes));
    FUZZ_CHECK(import.kind != SectionImport::Kind::Converted ||
               (std::isfinite(import.summary.measures.thickness) &&
                import.summary.measures.thickness <= 0.5));

    const SectionTextOutcome text = ReadSectionText(bytes);
    if (text.kind != SectionTextOutcome::Kind::Read) {
        return 0;
    }
    FUZZ_CHECK(text.text.pointCount <= MaxSectionPoints);
    const Result<ResampledSection> section = ResampleSection(JoinedRun(text.text.runs));
    FUZZ_CHECK(section.ok() == (import.kind == SectionImport::Kind::Converted));
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
               std::isfinite(m.teGap));
    // The converted file is the native layout: 15 lines, then 402 pairs, CRLF.
    FUZZ_CHECK(import.bytes.count("\r\n") == 15 + 402);
    return 0;
}
