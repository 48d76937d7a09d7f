#include "SectionReader.h"

#include <QStringDecoder>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace vandrix {

namespace {

enum class LineKind { Blank, Pair, Text };

struct Line {
    LineKind kind = LineKind::Blank;
    SectionPoint point{0.0, 0.0};
    bool finite = true;
};

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\f' || c == '\v';
}

// One whole token as a number in the C locale ("+1.5", ".5", "1.", "2e-3"); nullopt when the
// token is anything else. Values out of the double range come back as infinity.
std::optional<double> parseNumber(std::string_view token) {
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
    }
    if (token.empty()) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value,
                                           std::chars_format::general);
    if (end != token.data() + token.size()) {
        return std::nullopt;
    }
    if (ec == std::errc::result_out_of_range) {
        return HUGE_VAL;
    }
    if (ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

// A line is a pair when its first two tokens are numbers; anything after them is a comment.
Line classify(std::string_view text) {
    Line line;
    std::array<std::optional<double>, 2> numbers;
    int found = 0;
    std::size_t pos = 0;
    while (found < 2) {
        while (pos < text.size() && isSeparator(text[pos])) {
            ++pos;
        }
        if (pos == text.size()) {
            break;
        }
        std::size_t end = pos;
        while (end < text.size() && !isSeparator(text[end])) {
            ++end;
        }
        numbers[found] = parseNumber(text.substr(pos, end - pos));
        if (!numbers[found]) {
            line.kind = LineKind::Text;
            return line;
        }
        ++found;
        pos = end;
    }
    if (found == 0) {
        return line;
    }
    if (found == 1) {
        line.kind = LineKind::Text;
        return line;
    }
    line.kind = LineKind::Pair;
    line.point = SectionPoint(*numbers[0], *numbers[1]);
    line.finite = std::isfinite(*numbers[0]) && std::isfinite(*numbers[1]);
    return line;
}

class Lines {
public:
    explicit Lines(const QByteArray& bytes) : bytes_(bytes.constData(), std::size_t(bytes.size())) {
        if (bytes_.starts_with("\xEF\xBB\xBF")) {
            bytes_.remove_prefix(3);
        }
    }
    bool atEnd() const { return pos_ >= bytes_.size(); }
    int number() const { return number_; }
    std::string_view next() {
        const std::size_t end = std::min(bytes_.find('\n', pos_), bytes_.size());
        std::string_view line = bytes_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++number_;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        return line;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

// A name line is short; a first line longer than this is no name line.
constexpr std::size_t MaxNameLineBytes = 4096;

bool isIntegral(double v) {
    return v >= 2.0 && v <= MaxSectionPoints && std::floor(v) == v;
}

SectionTextOutcome failed(QString error) {
    SectionTextOutcome outcome;
    outcome.kind = SectionTextOutcome::Kind::Failed;
    outcome.error = std::move(error);
    return outcome;
}

QString decodeWith(const char* codec, const QByteArray& bytes, bool* error) {
    QStringDecoder decoder(codec);
    if (!decoder.isValid()) {
        *error = true;
        return {};
    }
    QString text = decoder.decode(bytes);
    *error = decoder.hasError();
    return text;
}

// Shift-JIS needs a two-byte sequence whose lead byte is one of the kana and common kanji rows
// (0x81 to 0x9F); a Windows-1252 name (außen, Météo) has none of them.
bool looksShiftJis(const QByteArray& bytes) {
    int common = 0;
    int rare = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead) {
            continue;
        }
        (c <= 0x9F ? common : rare)++;
        ++i;
    }
    return common > 0 && common >= rare;
}

}  // namespace

QString DecodeNameLine(const QByteArray& line) {
    bool error = false;
    QString text = decodeWith("UTF-8", line, &error);
    if (error && looksShiftJis(line)) {
        text = decodeWith("windows-31j", line, &error);
        if (error) {
            text = decodeWith("Shift_JIS", line, &error);
        }
    }
    if (error) {
        text = decodeWith("windows-1252", line, &error);
    }
    if (error) {
        text = QString::fromLatin1(line);
    }
    QString clean;
    for (const QChar c : std::as_const(text)) {
        if (c == u'\t') {
            clean += u' ';
        } else if (c.category() != QChar::Other_Control && c != QChar::ReplacementCharacter) {
            clean += c;
        }
    }
    clean = clean.trimmed();
    if (clean.size() > MaxNameChars) {
        clean.truncate(MaxNameChars);
    }
    return clean;
}

SectionTextOutcome ReadSectionText(const QByteArray& bytes) {
    Lines lines(bytes);
    SectionTextOutcome outcome;

    // The first non-blank line may be the name; the next non-blank line must be numbers.
    std::string_view first;
    while (!lines.atEnd() && classify(first = lines.next()).kind == LineKind::Blank) {
    }
    if (lines.number() == 0 || std::count(first.begin(), first.end(), ':') >= 2) {
        return outcome;
    }
    Line line = classify(first);
    const bool named = line.kind == LineKind::Text;
    if (named) {
        if (first.size() > MaxNameLineBytes) {
            return outcome;
        }
        line = Line();
        while (!lines.atEnd() && (line = classify(lines.next())).kind == LineKind::Blank) {
        }
    }
    if (line.kind != LineKind::Pair) {
        return outcome;
    }
    if (named) {
        outcome.text.name = DecodeNameLine(QByteArray(first.data(), qsizetype(first.size())));
    }

    SectionPoints points;
    bool blankAfterFirst = false;
    for (;;) {
        if (!line.finite) {
            return failed(
                QStringLiteral("line %1 holds a number that is not finite").arg(lines.number()));
        }
        points.push_back(line.point);
        if (points.size() > std::size_t(MaxSectionPoints) + 1) {
            return failed(QStringLiteral("more than %1 points").arg(MaxSectionPoints));
        }
        line = Line();
        while (!lines.atEnd() && (line = classify(lines.next())).kind == LineKind::Blank) {
            blankAfterFirst = blankAfterFirst || points.size() == 1;
        }
        if (line.kind == LineKind::Blank) {
            break;
        }
        if (line.kind == LineKind::Text) {
            return failed(QStringLiteral("line %1 is not a pair of numbers").arg(lines.number()));
        }
    }

    // Lednicer: the first pair counts the points of the two surfaces.
    const SectionPoint counts = points.front();
    const auto rest = static_cast<qsizetype>(points.size()) - 1;
    if (isIntegral(counts.x()) && isIntegral(counts.y()) &&
        (blankAfterFirst || counts.x() + counts.y() == double(rest))) {
        const auto upper = static_cast<qsizetype>(counts.x());
        const auto lower = static_cast<qsizetype>(counts.y());
        if (upper + lower != rest) {
            return failed(
                QStringLiteral("the point counts %1 and %2 do not match the %3 points that follow")
                    .arg(upper)
                    .arg(lower)
                    .arg(rest));
        }
        if (upper < MinSurfacePoints || lower < MinSurfacePoints) {
            return failed(
                QStringLiteral("fewer than %1 points on a surface").arg(MinSurfacePoints));
        }
        outcome.text.format = SectionFormat::Lednicer;
        outcome.text.runs.emplace_back(points.begin() + 1, points.begin() + 1 + upper);
        outcome.text.runs.emplace_back(points.begin() + 1 + upper, points.end());
        outcome.text.pointCount = int(rest);
    } else {
        if (points.size() > std::size_t(MaxSectionPoints)) {
            return failed(QStringLiteral("more than %1 points").arg(MaxSectionPoints));
        }
        if (points.size() < std::size_t(2 * MinSurfacePoints - 1)) {
            return failed(
                QStringLiteral("fewer than %1 points on a surface").arg(MinSurfacePoints));
        }
        outcome.text.format = SectionFormat::Selig;
        outcome.text.pointCount = int(points.size());
        outcome.text.runs.push_back(std::move(points));
    }
    outcome.kind = SectionTextOutcome::Kind::Read;
    return outcome;
}

}  // namespace vandrix
