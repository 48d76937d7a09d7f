// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>
#include <QString>

#include <optional>

namespace vandrix {

class LibraryModel;
struct LibraryRow;

// A range of a figure, each end included; an end not given is open.
struct LibraryRange {
    std::optional<double> from;
    std::optional<double> to;

    bool isOpen() const { return !from && !to; }
    bool contains(double value) const { return (!from || value >= *from) && (!to || value <= *to); }
};

// The library's rows as the window lists them. Sorted by a column: figures as numbers, text in
// the order people read it (case aside, "naca9" before "naca12"); rows without the column's
// figure, and refused rows in every column, last in either order; rows that sort alike by file.
// Filtered by a text that the file name or the name contains (case aside) and by ranges of the
// thickness and the camber, in percent as shown; a row without figures is outside every range.
class LibrarySortFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit LibrarySortFilter(LibraryModel& library, QObject* parent = nullptr);

    void setText(const QString& text);
    void setThickness(const LibraryRange& range);
    void setCamber(const LibraryRange& range);

    // The library's row at a row of this model.
    int libraryRow(int row) const { return mapToSource(index(row, 0)).row(); }

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    // Negative, zero or positive as a's value in `column` comes before, with or after b's.
    int compare(const LibraryRow& a, const LibraryRow& b, int column) const;

    const LibraryModel& library_;
    QCollator collator_;
    QString text_;
    LibraryRange thickness_;
    LibraryRange camber_;
};

}  // namespace vandrix
