// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SectionFile.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace vandrix {

// The library's columns, in order.
enum class LibraryColumn {
    File,
    Name,
    Format,
    Thickness,
    ThicknessAt,
    Camber,
    CamberAt,
    LeRadius,
    TeGap,
    ZeroLiftAngle,
    QuarterChordMoment,
    Notes,
};
inline constexpr int LibraryColumnCount = 12;
// The columns of figures, Thickness to QuarterChordMoment, in the order of SectionTableFigures.
inline constexpr int LibraryFigureCount = 8;

// Whether a column holds figures, and which of a row's figures it shows.
bool IsFigureColumn(int column);
int FigureOfColumn(int column);

// One file of the library: its figures as the table of measures writes them (read back as
// numbers), or why it was refused.
struct LibraryRow {
    QString file;  // the path from the library's folder
    QString name;
    QString format;
    std::array<double, LibraryFigureCount> figures{};
    bool measured = false;
    bool refused = false;
    QString notes;  // the warnings, or the refusal
};

// How the library reads a file: as vandrix-export does (a file of neither kind refused, not
// read as a damaged data file), but without waiting on pipes, which it refuses.
SectionReading LibraryReading();

// The row of the file at `path`, shown as `file`, from one read of it: nothing for a file that is
// neither a data file nor a section file, which the library leaves out.
std::optional<LibraryRow> LibraryRowOf(const QString& file, const SectionRead& read);

// The regular files of `folder` (and of its subfolders, without following links to folders),
// as paths from it, in order of their names; hidden files are left out. Listing ends early, with
// what it has, once `stop` is set.
QStringList LibraryFiles(const QString& folder, bool subfolders,
                         const std::atomic_bool* stop = nullptr);

// The files of a folder as rows, one per data file or section file. A fill lists the folder and
// reads its files on a thread pool of its own; rows are added as batches of them are read, and
// progress() tells how far it is. Choosing another folder, clear() or the model's end stops the
// fill: the listing checks a flag before each file it lists and the workers before each file they
// read, rows of an earlier fill are dropped, and the destructor waits for no more than the files
// being read at that moment.
class LibraryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit LibraryModel(QObject* parent = nullptr);
    ~LibraryModel() override;
    Q_DISABLE_COPY_MOVE(LibraryModel)

    // Empties the model and starts reading `folder`.
    void setFolder(const QString& folder, bool subfolders);
    // Reads the same folder again.
    void reload();
    // Stops the fill and empties the model.
    void clear();

    const QString& folder() const { return folder_; }
    bool subfolders() const { return subfolders_; }
    // The files read so far (rows and files left out) and the files listed, which is -1 while
    // the folder is being listed.
    int filesRead() const { return filesRead_; }
    int filesListed() const { return filesListed_; }
    bool filling() const { return filling_; }

    const LibraryRow& row(int sourceRow) const {
        return rows_.at(static_cast<std::size_t>(sourceRow));
    }
    // The full path of a row's file.
    QString path(int sourceRow) const;

    // The column headers; BuiltInCaption's until set.
    void setHeaders(const QStringList& headers);

    // How many files a worker reads before it hands its rows over.
    void setBatchSize(int files) { batchSize_ = files; }
    QThreadPool& pool() { return pool_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // After each batch and once the folder is listed; done when filesRead() == filesListed().
    void progress(int filesRead, int filesListed);
    void finished();

private:
    void stop();
    void listed(unsigned generation, int files);
    void take(unsigned generation, std::vector<LibraryRow> rows, int files);
    void advance();

    QThreadPool pool_;
    std::shared_ptr<std::atomic_bool> cancelled_;
    unsigned generation_ = 0;
    QString folder_;
    bool subfolders_ = false;
    int batchSize_ = 16;
    int filesRead_ = 0;
    int filesListed_ = 0;
    bool filling_ = false;
    std::vector<LibraryRow> rows_;
    QStringList headers_;
};

}  // namespace vandrix
