// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryModel.h"

#include "formats/LanguageFile.h"
#include "formats/SectionReader.h"
#include "formats/SectionTable.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

namespace vandrix {

namespace {

constexpr int FirstFigureColumn = static_cast<int>(LibraryColumn::Thickness);

// Decimals of each figure as the table writes them.
constexpr std::array<int, LibraryFigureCount> FigureDecimals = {3, 3, 3, 3, 3, 3, 3, 4};

}  // namespace

bool IsFigureColumn(int column) {
    return column >= FirstFigureColumn && column < FirstFigureColumn + LibraryFigureCount;
}

int FigureOfColumn(int column) {
    return column - FirstFigureColumn;
}

SectionReading LibraryReading() {
    SectionReading how;
    how.unusableMessage = BuiltInUnusableMessage();
    how.fifo = FifoRule::Refuse;
    how.neither = NeitherRule::Refuse;
    how.lossyName = true;
    return how;
}

std::optional<LibraryRow> LibraryRowOf(const QString& file, const SectionRead& read) {
    if (read.refusal == NeitherReason()) {
        return std::nullopt;
    }
    const SectionTableRow table = TableRow(file, read);
    LibraryRow row;
    row.file = file;
    row.name = table.name;
    row.format = table.format;
    if (!table.refusal.isEmpty()) {
        row.refused = true;
        row.notes = table.refusal;
        return row;
    }
    if (table.measures) {
        // The table's own texts, so that each figure is the one --table writes.
        const QStringList figures = SectionTableFigures(*table.measures);
        for (std::size_t k = 0; k < row.figures.size(); ++k) {
            row.figures.at(k) = figures.at(static_cast<qsizetype>(k)).toDouble();
        }
        row.measured = true;
    }
    row.notes = table.warnings.join(QStringLiteral("; "));
    return row;
}

QStringList LibraryFiles(const QString& folder, bool subfolders, const std::atomic_bool* stop) {
    const QDir dir(folder);
    QStringList files;
    // Without QDir::System, pipes, sockets, devices and broken links are not listed; without
    // QDir::Hidden nor FollowSymlinks, hidden folders and links to folders are not entered.
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot,
                    subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    // A folder with its subfolders can be a whole disk or a slow network share.
    while (it.hasNext() && (stop == nullptr || !*stop)) {
        files << dir.relativeFilePath(it.next());
    }
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return files;
}

LibraryModel::LibraryModel(QObject* parent) : QAbstractTableModel(parent) {
    for (int c = 0; c < LibraryColumnCount; ++c) {
        headers_ << BuiltInCaption(
            static_cast<LanguageSection>(static_cast<int>(LanguageSection::LibraryFileColumn) + c));
    }
}

LibraryModel::~LibraryModel() {
    stop();
    // Each worker ends at its next file.
    pool_.waitForDone();
}

void LibraryModel::stop() {
    if (cancelled_) {
        *cancelled_ = true;
        cancelled_.reset();
    }
    pool_.clear();
    ++generation_;
    filling_ = false;
}

void LibraryModel::clear() {
    stop();
    beginResetModel();
    rows_ = {};
    endResetModel();
    filesRead_ = 0;
    filesListed_ = 0;
}

void LibraryModel::reload() {
    setFolder(folder_, subfolders_);
}

void LibraryModel::setFolder(const QString& folder, bool subfolders) {
    clear();
    folder_ = folder;
    subfolders_ = subfolders;
    filesListed_ = -1;
    filling_ = true;
    const unsigned generation = generation_;
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    cancelled_ = cancelled;
    const qsizetype batch = std::max(1, batchSize_);
    // The analyser cannot see that Qt owns (and deletes) the slot objects of queued calls.
    // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
    pool_.start([this, folder, subfolders, generation, cancelled, batch] {
        const QStringList files = LibraryFiles(folder, subfolders, cancelled.get());
        if (*cancelled) {
            return;
        }
        QMetaObject::invokeMethod(
            this, [this, generation, count = files.size()] { listed(generation, int(count)); },
            Qt::QueuedConnection);
        const QDir dir(folder);
        for (qsizetype first = 0; first < files.size() && !*cancelled; first += batch) {
            pool_.start([this, dir, part = files.mid(first, batch), generation, cancelled] {
                std::vector<LibraryRow> rows;
                rows.reserve(static_cast<std::size_t>(part.size()));
                const SectionReading how = LibraryReading();
                for (const QString& file : part) {
                    if (*cancelled) {
                        return;
                    }
                    if (std::optional<LibraryRow> row =
                            LibraryRowOf(file, ReadSection(dir.filePath(file), how))) {
                        rows.push_back(std::move(*row));
                    }
                }
                QMetaObject::invokeMethod(
                    this,
                    [this, generation, taken = std::move(rows), count = part.size()]() mutable {
                        take(generation, std::move(taken), int(count));
                    },
                    Qt::QueuedConnection);
            });
        }
    });
    // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
    emit progress(filesRead_, filesListed_);
}

void LibraryModel::listed(unsigned generation, int files) {
    if (generation != generation_) {
        return;
    }
    filesListed_ = files;
    advance();
}

void LibraryModel::take(unsigned generation, std::vector<LibraryRow> rows, int files) {
    if (generation != generation_) {
        return;
    }
    if (!rows.empty()) {
        const int first = static_cast<int>(rows_.size());
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        std::move(rows.begin(), rows.end(), std::back_inserter(rows_));
        endInsertRows();
    }
    filesRead_ += files;
    advance();
}

void LibraryModel::advance() {
    // Done before progress is told, so that a listener sees the fill ended with its last count.
    const bool done = filesRead_ == filesListed_;
    if (done) {
        filling_ = false;
    }
    emit progress(filesRead_, filesListed_);
    if (done) {
        emit finished();
    }
}

QString LibraryModel::path(int sourceRow) const {
    return QDir(folder_).filePath(row(sourceRow).file);
}

void LibraryModel::setHeaders(const QStringList& headers) {
    headers_ = headers;
    emit headerDataChanged(Qt::Horizontal, 0, LibraryColumnCount - 1);
}

int LibraryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : LibraryColumnCount;
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const LibraryRow& shown = row(index.row());
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        return IsFigureColumn(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role == Qt::ToolTipRole && column == static_cast<int>(LibraryColumn::Notes)) {
        return shown.notes;
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (IsFigureColumn(column)) {
        if (!shown.measured) {
            return {};
        }
        const auto figure = static_cast<std::size_t>(FigureOfColumn(column));
        return QString::number(shown.figures.at(figure), 'f', FigureDecimals.at(figure));
    }
    switch (static_cast<LibraryColumn>(column)) {
        case LibraryColumn::File:
            return shown.file;
        case LibraryColumn::Name:
            return shown.name;
        case LibraryColumn::Format:
            return shown.format;
        case LibraryColumn::Notes:
            return shown.notes;
        default:
            return {};
    }
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headers_.size()) {
        return headers_.at(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace vandrix
