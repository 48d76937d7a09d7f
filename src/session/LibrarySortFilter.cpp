// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibrarySortFilter.h"

#include "LibraryModel.h"

namespace vandrix {

namespace {

std::size_t figureOf(LibraryColumn column) {
    return static_cast<std::size_t>(FigureOfColumn(static_cast<int>(column)));
}

bool lacks(const LibraryRow& row, int column) {
    return row.refused || (IsFigureColumn(column) && !row.measured);
}

bool within(const LibraryRange& range, const LibraryRow& row, std::size_t figure) {
    return range.isOpen() || (row.measured && range.contains(row.figures.at(figure)));
}

}  // namespace

LibrarySortFilter::LibrarySortFilter(LibraryModel& library, QObject* parent)
    : QSortFilterProxyModel(parent), library_(library) {
    collator_.setNumericMode(true);
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    setSourceModel(&library);
    setDynamicSortFilter(true);
}

void LibrarySortFilter::setText(const QString& text) {
    text_ = text;
    invalidateFilter();
}

void LibrarySortFilter::setThickness(const LibraryRange& range) {
    thickness_ = range;
    invalidateFilter();
}

void LibrarySortFilter::setCamber(const LibraryRange& range) {
    camber_ = range;
    invalidateFilter();
}

int LibrarySortFilter::compare(const LibraryRow& a, const LibraryRow& b, int column) const {
    if (IsFigureColumn(column)) {
        const auto k = static_cast<std::size_t>(FigureOfColumn(column));
        return a.figures.at(k) < b.figures.at(k) ? -1 : b.figures.at(k) < a.figures.at(k) ? 1 : 0;
    }
    switch (static_cast<LibraryColumn>(column)) {
        case LibraryColumn::Name:
            return collator_.compare(a.name, b.name);
        case LibraryColumn::Format:
            return collator_.compare(a.format, b.format);
        case LibraryColumn::Notes:
            return collator_.compare(a.notes, b.notes);
        default:
            return collator_.compare(a.file, b.file);
    }
}

bool LibrarySortFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const LibraryRow& a = library_.row(left.row());
    const LibraryRow& b = library_.row(right.row());
    const int column = left.column();
    // A descending sort asks lessThan(right, left): what must come last in both orders is the
    // greater ascending and the lesser descending. So are the files of rows that sort alike, so
    // that they stay in the order of their names.
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    const bool aLacks = lacks(a, column);
    if (aLacks != lacks(b, column)) {
        return ascending != aLacks;
    }
    if (const int order = aLacks ? 0 : compare(a, b, column); order != 0) {
        return order < 0;
    }
    // "A.dat" and "a.dat" are alike to the collator; their code points keep them in one order
    // however the rows arrived.
    int byFile = collator_.compare(a.file, b.file);
    if (byFile == 0) {
        byFile = a.file.compare(b.file);
    }
    return ascending ? byFile < 0 : byFile > 0;
}

bool LibrarySortFilter::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const {
    const LibraryRow& row = library_.row(sourceRow);
    if (!text_.isEmpty() && !row.file.contains(text_, Qt::CaseInsensitive) &&
        !row.name.contains(text_, Qt::CaseInsensitive)) {
        return false;
    }
    return within(thickness_, row, figureOf(LibraryColumn::Thickness)) &&
           within(camber_, row, figureOf(LibraryColumn::Camber));
}

}  // namespace vandrix
