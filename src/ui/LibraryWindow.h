// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/LanguageFile.h"
#include "render/Overlay.h"
#include "session/AppState.h"
#include "session/Dialogs.h"
#include "session/LibraryModel.h"
#include "session/LibrarySortFilter.h"

#include <QHash>
#include <QSet>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QItemSelection;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTableView;

namespace vandrix {

class OverlayView;

// The library: a window of its own over a folder, listing every data file and section file in
// it with its figures, sorted by a click on a column's header and filtered by a text and by
// thickness and camber; the sections selected drawn together in its plot (the first
// MaxOverlaySections of them, in the order they were selected), and a row opened in the main
// window by a double click or Enter. Closing it stops the reading and lets go of the rows; the
// folder and whether subfolders are read stay for the next time it is opened.
class LibraryWindow : public QWidget {
    Q_OBJECT

public:
    // `open` opens a file in the main window as its open button does.
    LibraryWindow(AppState& state, Dialogs& dialogs, std::function<void(const QString&)> open,
                  QWidget* parent = nullptr);
    ~LibraryWindow() override;
    Q_DISABLE_COPY_MOVE(LibraryWindow)

    // Shows the window on the folder chosen last, else the folder of the data file shown, else
    // the open-file dialog's starting folder; one that is showing already comes to the front.
    void openLibrary();
    void setCaptions(const LanguageRead& captions);

    LibraryModel& model() { return model_; }
    LibrarySortFilter& rows() { return rows_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void layOutControls();
    void connectControls();
    void fitColumns();
    void chooseFolder();
    void readFolder(const QString& folder);
    void showProgress(int filesRead, int filesListed);
    void takeRange(QLineEdit* from, QLineEdit* to,
                   void (LibrarySortFilter::*set)(const LibraryRange&));
    void refilter(const std::function<void()>& apply);
    void selectionChanged(const QItemSelection& selected);
    void drawOverlay();
    std::int16_t overlayScale() const;
    void openRow(int row);
    void savePicture();
    void showTitle();

    AppState& state_;
    Dialogs& dialogs_;
    std::function<void(const QString&)> open_;
    LibraryModel model_;
    LibrarySortFilter rows_;
    // The folder the Folder... button chose last, empty until then.
    QString chosenFolder_;
    QString lastPicture_;
    // The library's rows selected, in the order they were selected, and the sections of those
    // drawn, read once each.
    std::vector<int> selectionOrder_;
    QHash<int, OverlaySection> drawn_;
    // Rows selected whose files could not be read when they were to be drawn.
    QSet<int> unreadable_;
    // While a filter changes, the table's selection follows selectionOrder_, not the reverse.
    bool refiltering_ = false;

    QString title_;
    QString progressText_;
    QString tooManyText_;
    QString savePictureTitle_;

    QPushButton* CommandFolder = nullptr;
    QLabel* LabelFolder = nullptr;
    QCheckBox* CheckSubfolders = nullptr;
    QPushButton* CommandReload = nullptr;
    QLabel* LabelFilter = nullptr;
    QLineEdit* TextFilter = nullptr;
    QLabel* LabelThickness = nullptr;
    QLineEdit* TextThicknessFrom = nullptr;
    QLabel* LabelThicknessTo = nullptr;
    QLineEdit* TextThicknessTo = nullptr;
    QLabel* LabelCamber = nullptr;
    QLineEdit* TextCamberFrom = nullptr;
    QLabel* LabelCamberTo = nullptr;
    QLineEdit* TextCamberTo = nullptr;
    QProgressBar* ProgressLibrary = nullptr;
    QTableView* TableLibrary = nullptr;
    QScrollArea* ScrollOverlay = nullptr;
    OverlayView* PlotOverlay = nullptr;
    QLabel* LabelOverlayNote = nullptr;
    QPushButton* CommandSavePicture = nullptr;
};

}  // namespace vandrix
