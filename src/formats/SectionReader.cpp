// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionReader.h"

#include <QStringDecoder>

#include <algorithm>
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
    bool fourNumbers = false;  // exactly four numbers: the plot limits of the MSES layout
    bool afterBlank = false;   // blank lines came before it
    bool placeholder = false;  // a text line of dots where numbers would stand ("0.0000 ......")
};

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\f' || c == '\v';
}

// A run of two or more dots: a table's placeholder for a number it leaves out.
bool isDots(std::string_view token) {
    return token.size() >= 2 && token.find_first_not_of('.') == std::string_view::npos;
}

// One whole token as a number in the C locale ("+1.5", ".5", "1.", "2e-3", and "(0.0022)" as
// tables set a trailing-edge ordinate); nullopt when the token is anything else. Values out of
// the double range come back as infinity.
std::optional<double> parseNumber(std::string_view token) {
    if (token.size() > 2 && token.front() == '(' && token.back() == ')') {
        token = token.substr(1, token.size() - 2);
    }
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
        // from_chars takes a '-' of its own, which would read "+-1.5" as -1.5.
        if (!token.empty() && token.front() == '-') {
            return std::nullopt;
        }
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
        // Too small for a double reads as zero; too large as infinity.
        const std::size_t e = token.find_first_of("eE");
        const std::string_view mantissa = token.substr(token.front() == '-' ? 1 : 0);
        const bool tiny = e != std::string_view::npos
                              ? token[e + 1] == '-'
                              : mantissa.starts_with("0.") || mantissa.starts_with('.');
        return tiny ? 0.0 : HUGE_VAL;
    }
    if (ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

// A line of numbers and runs of dots, one run of dots at least: a table's row that leaves a
// number out ("0.0000  ......").
bool placeholderRow(std::string_view text) {
    bool dots = false;
    std::size_t pos = 0;
    for (;;) {
        while (pos < text.size() && isSeparator(text[pos])) {
            ++pos;
        }
        if (pos == text.size()) {
            return dots;
        }
        std::size_t end = pos;
        while (end < text.size() && !isSeparator(text[end])) {
            ++end;
        }
        const std::string_view token = text.substr(pos, end - pos);
        if (isDots(token)) {
            dots = true;
        } else if (!parseNumber(token)) {
            return false;
        }
        pos = end;
    }
}

// A line is a pair when its first two tokens are numbers; anything after them is a comment.
Line classify(std::string_view text) {
    Line line;
    std::array<double, 2> numbers{};
    int found = 0;
    std::size_t pos = 0;
    for (;;) {
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
        const std::optional<double> number = parseNumber(text.substr(pos, end - pos));
        pos = end;
        if (!number) {
            if (found < 2) {
                line.kind = LineKind::Text;
                line.placeholder = placeholderRow(text);
                return line;
            }
            found = -1;  // a comment after the pair
            break;
        }
        if (found < 2) {
            numbers[std::size_t(found)] = *number;
        }
        if (++found > 4) {
            break;
        }
    }
    if (found == 0) {
        return line;
    }
    if (found == 1) {
        line.kind = LineKind::Text;
        return line;
    }
    line.kind = LineKind::Pair;
    line.fourNumbers = found == 4;
    line.point = SectionPoint(numbers[0], numbers[1]);
    line.finite = std::isfinite(numbers[0]) && std::isfinite(numbers[1]);
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
    // The next line; LF, CRLF and a lone CR end a line.
    std::string_view next() {
        const std::size_t end = std::min(bytes_.find_first_of("\r\n", pos_), bytes_.size());
        std::string_view line = bytes_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (end + 1 < bytes_.size() && bytes_[end] == '\r' && bytes_[end + 1] == '\n') {
            ++pos_;
        }
        ++number_;
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

Result<SectionText> failed(QString error) {
    return Result<SectionText>::failure(std::move(error));
}

}  // namespace

QString SectionFormatName(SectionFormat format) {
    switch (format) {
        case SectionFormat::Lednicer:
            return QStringLiteral("Lednicer");
        case SectionFormat::Mses:
            return QStringLiteral("MSES/ISES");
        case SectionFormat::DataFile:
            return QStringLiteral("data file");
        case SectionFormat::Selig:
            break;
    }
    return QStringLiteral("Selig");
}

bool StartsWithHeaderLine(const QByteArray& text) {
    Lines lines(text);
    if (lines.atEnd()) {
        return false;
    }
    const std::string_view first = lines.next();
    return std::count(first.begin(), first.end(), ':') >= 2;
}

QString NeitherReason() {
    return QStringLiteral(
        "neither a data file (its first line is no header line) nor a section "
        "file (no line holds a pair of numbers)");
}

namespace {

// The lines before the numbers: blank and text lines are passed over, the first text line is
// the name. Stops at the first pair of numbers, which `first` then holds.
struct Leading {
    QString name;
    Line first;
};

Leading readLeading(Lines& lines) {
    Leading leading;
    bool named = false;
    while (!lines.atEnd()) {
        const std::string_view text = lines.next();
        leading.first = classify(text);
        if (leading.first.kind == LineKind::Pair) {
            break;
        }
        if (leading.first.kind == LineKind::Text && !named) {
            named = true;
            if (text.size() <= MaxNameLineBytes) {
                leading.name = DecodeNameLine(QByteArray(text.data(), qsizetype(text.size())));
            }
        }
    }
    return leading;
}

// The next line that is not blank, or a blank Line at the end. Placeholder rows with a pair of
// numbers after them are passed over as blank lines are; one with no pair after it is the text
// line it is.
Line nextFilled(Lines& lines) {
    Line line;
    const int before = lines.number();
    while (!lines.atEnd() && (line = classify(lines.next())).kind == LineKind::Blank) {
    }
    if (line.placeholder) {
        Lines ahead = lines;
        Line next;
        while (!ahead.atEnd() &&
               ((next = classify(ahead.next())).kind == LineKind::Blank || next.placeholder)) {
        }
        if (next.kind == LineKind::Pair) {
            lines = ahead;
            line = next;
        }
    }
    line.afterBlank = lines.number() - before > 1;
    return line;
}

// The numbers of the outline from `line` on, up to the first text line, which ends them: it and
// every non-blank line after it are notes. Placeholder rows among the numbers are passed over.
struct Numbers {
    SectionPoints points;
    bool blankAfterFirst = false;
    int noteLines = 0;
};

Result<Numbers> readNumbers(Lines& lines, Line line) {
    Numbers numbers;
    for (;;) {
        if (!line.finite) {
            return Result<Numbers>::failure(
                QStringLiteral("line %1 holds a number that is not finite").arg(lines.number()));
        }
        numbers.points.push_back(line.point);
        if (numbers.points.size() > std::size_t(MaxSectionPoints) + 1) {
            return Result<Numbers>::failure(
                QStringLiteral("more than %1 points").arg(MaxSectionPoints));
        }
        line = nextFilled(lines);
        numbers.blankAfterFirst =
            numbers.blankAfterFirst || (line.afterBlank && numbers.points.size() == 1);
        if (line.kind != LineKind::Pair) {
            break;
        }
    }
    if (line.kind == LineKind::Text) {
        numbers.noteLines = 1;
        while (!lines.atEnd()) {
            numbers.noteLines += classify(lines.next()).kind != LineKind::Blank ? 1 : 0;
        }
    }
    return Result<Numbers>::success(std::move(numbers));
}

// Lednicer: the first pair counts the points of the two surfaces that follow.
bool countsSurfaces(const Numbers& numbers) {
    const SectionPoint counts = numbers.points.front();
    const auto rest = static_cast<double>(numbers.points.size()) - 1;
    return isIntegral(counts.x()) && isIntegral(counts.y()) &&
           (numbers.blankAfterFirst || counts.x() + counts.y() == rest);
}

Status lednicerRuns(const SectionPoints& points, SectionText& text) {
    const auto rest = static_cast<qsizetype>(points.size()) - 1;
    const auto upper = static_cast<qsizetype>(points.front().x());
    const auto lower = static_cast<qsizetype>(points.front().y());
    if (upper + lower != rest) {
        return Status::failure(
            QStringLiteral("the point counts %1 and %2 do not match the %3 points that follow")
                .arg(upper)
                .arg(lower)
                .arg(rest));
    }
    if (upper < MinSurfacePoints || lower < MinSurfacePoints) {
        return Status::failure(
            QStringLiteral("fewer than %1 points on a surface").arg(MinSurfacePoints));
    }
    text.format = SectionFormat::Lednicer;
    text.runs.emplace_back(points.begin() + 1, points.begin() + 1 + upper);
    text.runs.emplace_back(points.begin() + 1 + upper, points.end());
    text.pointCount = int(rest);
    return Status::success();
}

Status singleRun(SectionPoints points, bool mses, SectionText& text) {
    if (points.size() > std::size_t(MaxSectionPoints)) {
        return Status::failure(QStringLiteral("more than %1 points").arg(MaxSectionPoints));
    }
    if (points.size() < std::size_t(2 * MinSurfacePoints - 1)) {
        return Status::failure(QStringLiteral("%1 points, fewer than %2 on a surface")
                                   .arg(points.size())
                                   .arg(MinSurfacePoints));
    }
    text.format = mses ? SectionFormat::Mses : SectionFormat::Selig;
    text.pointCount = int(points.size());
    text.runs.push_back(std::move(points));
    return Status::success();
}

}  // namespace

TextKind KindOfText(const QByteArray& text) {
    if (StartsWithHeaderLine(text)) {
        return TextKind::DataFile;
    }
    Lines lines(text);
    return readLeading(lines).first.kind == LineKind::Pair ? TextKind::SectionFile
                                                           : TextKind::Neither;
}

Result<SectionText> ReadSectionText(const QByteArray& bytes) {
    if (const std::optional<QByteArray> text = RecodedText(bytes)) {
        return ReadSectionText(*text);
    }
    if (StartsWithHeaderLine(bytes)) {
        return failed(QStringLiteral("a data file, not a section file"));
    }
    Lines lines(bytes);
    const Leading leading = readLeading(lines);
    if (leading.first.kind != LineKind::Pair) {
        return failed(NeitherReason());
    }
    Line first = leading.first;
    // MSES/ISES: the first line of numbers holds the four plot limits.
    const bool mses = first.fourNumbers;
    if (mses) {
        first = nextFilled(lines);
        if (first.kind != LineKind::Pair) {
            return failed(first.kind == LineKind::Text
                              ? QStringLiteral("line %1 follows the plot limits and is no pair "
                                               "of numbers")
                                    .arg(lines.number())
                              : QStringLiteral("nothing follows the plot limits"));
        }
    }
    Result<Numbers> numbers = readNumbers(lines, first);
    if (!numbers) {
        return failed(numbers.error());
    }
    SectionText text;
    text.name = leading.name;
    text.noteLines = numbers.value().noteLines;
    const Status shaped = !mses && countsSurfaces(numbers.value())
                              ? lednicerRuns(numbers.value().points, text)
                              : singleRun(numbers.take().points, mses, text);
    if (!shaped) {
        return failed(shaped.error());
    }
    return Result<SectionText>::success(std::move(text));
}

}  // namespace vandrix
