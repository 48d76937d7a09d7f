// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryWindow.h"

#include "OverlayView.h"
#include "formats/AtomicWrite.h"
#include "formats/SectionFile.h"
#include "model/Conversions.h"
#include "model/Scales.h"
#include "session/ProgramDirectory.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace vandrix {

namespace {

// The first widths of the file, name and format columns, in pixels; the figures' columns are as
// wide as their captions, and the notes take the rest.
constexpr std::array<int, 3> TextColumnWidths = {170, 150, 75};
constexpr QSize FirstSize(1180, 860);

QLineEdit* numberBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaximumWidth(70);
    box->setClearButtonEnabled(true);
    return box;
}

QLabel* label(QWidget* parent, const char* name, QWidget* buddy) {
    auto* text = new QLabel(parent);
    text->setObjectName(QLatin1String(name));
    text->setBuddy(buddy);
    return text;
}

// A caption as a title or a name to read out: "F&older..." as "Folder", "フォルダ(&F)..." as
// "フォルダ".
QString withoutAccelerator(QString caption) {
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^)]\\)"));
    static const QRegularExpression marker(QStringLiteral("&(?!&)"));
    caption.remove(bracketed).remove(marker);
    if (caption.endsWith(QLatin1String("..."))) {
        caption.chop(3);
    }
    return caption;
}

}  // namespace

LibraryWindow::LibraryWindow(AppState& state, Dialogs& dialogs,
                             std::function<void(const QString&)> open, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      dialogs_(dialogs),
      open_(std::move(open)),
      rows_(model_) {
    setObjectName(QStringLiteral("FormLibrary"));
    buildControls();
    setCaptions(LanguageRead());
    resize(FirstSize);

    connect(&model_, &LibraryModel::progress, this, &LibraryWindow::showProgress);
    // Closing the main window closes this one, which stops the reading.
    if (parent != nullptr) {
        parent->installEventFilter(this);
    }
    connect(&model_, &LibraryModel::modelReset, this, [this] {
        selectionOrder_.clear();
        drawn_.clear();
        unreadable_.clear();
        drawOverlay();
    });
}

LibraryWindow::~LibraryWindow() = default;

void LibraryWindow::buildControls() {
    CommandFolder = new QPushButton(this);
    CommandFolder->setObjectName(QStringLiteral("CommandFolder"));
    LabelFolder = new QLabel(this);
    LabelFolder->setObjectName(QStringLiteral("LabelFolder"));
    LabelFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    CheckSubfolders = new QCheckBox(this);
    CheckSubfolders->setObjectName(QStringLiteral("CheckSubfolders"));
    CommandReload = new QPushButton(this);
    CommandReload->setObjectName(QStringLiteral("CommandReload"));

    TextFilter = new QLineEdit(this);
    TextFilter->setObjectName(QStringLiteral("TextFilter"));
    TextFilter->setClearButtonEnabled(true);
    LabelFilter = label(this, "LabelFilter", TextFilter);
    TextThicknessFrom = numberBox(this, "TextThicknessFrom");
    TextThicknessTo = numberBox(this, "TextThicknessTo");
    LabelThickness = label(this, "LabelThickness", TextThicknessFrom);
    LabelThicknessTo = label(this, "LabelThicknessTo", TextThicknessTo);
    TextCamberFrom = numberBox(this, "TextCamberFrom");
    TextCamberTo = numberBox(this, "TextCamberTo");
    LabelCamber = label(this, "LabelCamber", TextCamberFrom);
    LabelCamberTo = label(this, "LabelCamberTo", TextCamberTo);
    ProgressLibrary = new QProgressBar(this);
    ProgressLibrary->setObjectName(QStringLiteral("ProgressLibrary"));
    ProgressLibrary->setMinimumWidth(260);
    ProgressLibrary->hide();

    TableLibrary = new QTableView(this);
    TableLibrary->setObjectName(QStringLiteral("TableLibrary"));
    TableLibrary->setModel(&rows_);
    TableLibrary->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableLibrary->setSelectionMode(QAbstractItemView::ExtendedSelection);
    TableLibrary->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableLibrary->setWordWrap(false);
    TableLibrary->verticalHeader()->hide();
    TableLibrary->horizontalHeader()->setStretchLastSection(true);
    TableLibrary->horizontalHeader()->setSortIndicatorShown(true);
    TableLibrary->setSortingEnabled(true);
    TableLibrary->sortByColumn(static_cast<int>(LibraryColumn::File), Qt::AscendingOrder);

    PlotOverlay = new OverlayView;
    PlotOverlay->setObjectName(QStringLiteral("PlotOverlay"));
    ScrollOverlay = new QScrollArea(this);
    ScrollOverlay->setObjectName(QStringLiteral("ScrollOverlay"));
    ScrollOverlay->setWidget(PlotOverlay);
    ScrollOverlay->setBackgroundRole(QPalette::Base);
    LabelOverlayNote = new QLabel(this);
    LabelOverlayNote->setObjectName(QStringLiteral("LabelOverlayNote"));
    CommandSavePicture = new QPushButton(this);
    CommandSavePicture->setObjectName(QStringLiteral("CommandSavePicture"));
    CommandSavePicture->setEnabled(false);
    layOutControls();
    connectControls();
}

void LibraryWindow::layOutControls() {
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(CommandFolder);
    folderRow->addWidget(LabelFolder, 1);
    folderRow->addWidget(CheckSubfolders);
    folderRow->addWidget(CommandReload);
    auto* filterRow = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             LabelFilter, TextFilter, LabelThickness, TextThicknessFrom, LabelThicknessTo,
             TextThicknessTo, LabelCamber, TextCamberFrom, LabelCamberTo, TextCamberTo}) {
        filterRow->addWidget(widget, widget == TextFilter ? 1 : 0);
    }
    filterRow->addWidget(ProgressLibrary);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(LabelOverlayNote, 1);
    pictureRow->addWidget(CommandSavePicture);
    auto* picture = new QWidget(this);
    auto* pictureColumn = new QVBoxLayout(picture);
    pictureColumn->setContentsMargins(0, 0, 0, 0);
    pictureColumn->addWidget(ScrollOverlay, 1);
    pictureColumn->addLayout(pictureRow);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("SplitterLibrary"));
    splitter->addWidget(TableLibrary);
    splitter->addWidget(picture);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({330, 440});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addLayout(filterRow);
    layout->addWidget(splitter, 1);
}

void LibraryWindow::connectControls() {
    connect(CommandFolder, &QPushButton::clicked, this, [this] { chooseFolder(); });
    connect(CheckSubfolders, &QCheckBox::toggled, this,
            [this](bool) { readFolder(model_.folder()); });
    connect(CommandReload, &QPushButton::clicked, this, [this] { model_.reload(); });
    auto* reload = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(reload, &QShortcut::activated, this, [this] { model_.reload(); });
    connect(TextFilter, &QLineEdit::textChanged, this, [this](const QString& text) {
        refilter([this, &text] { rows_.setText(text.trimmed()); });
    });
    for (QLineEdit* box : {TextThicknessFrom, TextThicknessTo}) {
        connect(box, &QLineEdit::textChanged, this, [this] {
            takeRange(TextThicknessFrom, TextThicknessTo, &LibrarySortFilter::setThickness);
        });
    }
    for (QLineEdit* box : {TextCamberFrom, TextCamberTo}) {
        connect(box, &QLineEdit::textChanged, this,
                [this] { takeRange(TextCamberFrom, TextCamberTo, &LibrarySortFilter::setCamber); });
    }
    connect(TableLibrary->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { selectionChanged(selected); });
    connect(TableLibrary, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
    // Enter opens the current row (the table's own Enter would only tell it is activated).
    TableLibrary->installEventFilter(this);
    connect(CommandSavePicture, &QPushButton::clicked, this, [this] { savePicture(); });
}

void LibraryWindow::setCaptions(const LanguageRead& captions) {
    using S = LanguageSection;
    const auto caption = [&captions](S section) { return Caption(captions, section); };
    title_ = caption(S::LibraryTitle);
    CommandFolder->setText(caption(S::LibraryFolder));
    CheckSubfolders->setText(caption(S::LibrarySubfolders));
    CommandReload->setText(caption(S::LibraryReload));
    CommandSavePicture->setText(caption(S::LibrarySavePicture));
    LabelFilter->setText(caption(S::LibraryFilter));
    LabelThickness->setText(caption(S::LibraryThickness));
    LabelCamber->setText(caption(S::LibraryCamber));
    LabelThicknessTo->setText(caption(S::LibraryRangeTo));
    LabelCamberTo->setText(caption(S::LibraryRangeTo));
    progressText_ = caption(S::LibraryProgress);
    tooManyText_ = caption(S::LibraryTooMany);
    savePictureTitle_ = withoutAccelerator(caption(S::LibrarySavePicture));
    QStringList headers;
    for (int c = 0; c < LibraryColumnCount; ++c) {
        headers << caption(static_cast<S>(static_cast<int>(S::LibraryFileColumn) + c));
    }
    model_.setHeaders(headers);
    fitColumns();
    // Screen readers announce each box with the caption before it.
    TextFilter->setAccessibleName(withoutAccelerator(LabelFilter->text()));
    TextThicknessFrom->setAccessibleName(withoutAccelerator(LabelThickness->text()));
    TextThicknessTo->setAccessibleName(withoutAccelerator(LabelThickness->text()) + u' ' +
                                       LabelThicknessTo->text());
    TextCamberFrom->setAccessibleName(withoutAccelerator(LabelCamber->text()));
    TextCamberTo->setAccessibleName(withoutAccelerator(LabelCamber->text()) + u' ' +
                                    LabelCamberTo->text());
    PlotOverlay->setAccessibleName(title_);
    showTitle();
    showProgress(model_.filesRead(), model_.filesListed());
    drawOverlay();
}

void LibraryWindow::fitColumns() {
    const QFontMetrics metrics = TableLibrary->horizontalHeader()->fontMetrics();
    // Room for the sort indicator and the margins beside a caption.
    const int margin = metrics.height() + 16;
    for (int c = 0; c + 1 < LibraryColumnCount; ++c) {
        const int caption =
            metrics.horizontalAdvance(model_.headerData(c, Qt::Horizontal).toString()) + margin;
        const int first =
            c < int(TextColumnWidths.size()) ? TextColumnWidths.at(static_cast<std::size_t>(c)) : 0;
        TableLibrary->setColumnWidth(c, std::max(first, caption));
    }
    // Rows as high as a line of text, not as a button.
    TableLibrary->verticalHeader()->setDefaultSectionSize(TableLibrary->fontMetrics().height() +
                                                          metrics.height() / 3);
}

void LibraryWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitColumns();
    }
}

bool LibraryWindow::event(QEvent* event) {
    // The screen scale is set in the main window: coming back here, the plot takes it.
    if (event->type() == QEvent::WindowActivate && overlayScale() != PlotOverlay->scale()) {
        drawOverlay();
    }
    return QWidget::event(event);
}

std::int16_t LibraryWindow::overlayScale() const {
    return state_.ScreenScale > 0 ? state_.ScreenScale : FirstScreenScale;
}

void LibraryWindow::showTitle() {
    setWindowTitle(model_.folder().isEmpty() ? title_
                                             : title_ + QStringLiteral(" - ") +
                                                   QDir::toNativeSeparators(model_.folder()));
    LabelFolder->setText(QDir::toNativeSeparators(model_.folder()));
}

void LibraryWindow::openLibrary() {
    if (isVisible()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
        return;
    }
    QString folder = chosenFolder_;
    if (folder.isEmpty()) {
        // The open-file dialog starts from the program directory, the current one while that is
        // unknown.
        const QString shown = state_.DataName.isEmpty()
                                  ? ProgramFilePath(state_.InitDir, QStringLiteral("-"))
                                  : state_.DataPath;
        folder = QFileInfo(shown).absolutePath();
    }
    readFolder(folder);
    show();
    raise();
    activateWindow();
}

void LibraryWindow::chooseFolder() {
    const QString folder =
        dialogs_.chooseFolder(withoutAccelerator(CommandFolder->text()), model_.folder());
    if (!folder.isEmpty()) {
        chosenFolder_ = QDir::cleanPath(folder);
        readFolder(chosenFolder_);
    }
}

void LibraryWindow::readFolder(const QString& folder) {
    model_.setFolder(folder, CheckSubfolders->isChecked());
    showTitle();
}

void LibraryWindow::showProgress(int filesRead, int filesListed) {
    if (!model_.filling()) {
        ProgressLibrary->hide();
        return;
    }
    // Busy until the folder is listed.
    ProgressLibrary->setRange(0, std::max(filesListed, 0));
    ProgressLibrary->setValue(filesRead);
    ProgressLibrary->setFormat(filesListed < 0 ? QString()
                                               : progressText_.arg(filesRead).arg(filesListed));
    ProgressLibrary->show();
}

void LibraryWindow::takeRange(QLineEdit* from, QLineEdit* to,
                              void (LibrarySortFilter::*set)(const LibraryRange&)) {
    // An empty end is open; so is one that is no number, which the box shows in red.
    LibraryRange range;
    for (auto [box, end] : {std::pair(from, &range.from), std::pair(to, &range.to)}) {
        const Result<double> typed = TypedNumber(box->text());
        const bool taken = typed || box->text().trimmed().isEmpty();
        if (typed) {
            *end = typed.value();
        }
        box->setStyleSheet(taken ? QString() : QStringLiteral("color: #C00000"));
    }
    refilter([this, set, &range] { (rows_.*set)(range); });
}

void LibraryWindow::refilter(const std::function<void()>& apply) {
    // The table lets go of the rows a filter hides, and each key typed is a filter of its own:
    // typing "25" into a "to" box hides every row at "2". The sections selected stay selected
    // (and drawn) through filter changes; those the filter shows are selected in the table again.
    const std::vector<int> kept = selectionOrder_;
    refiltering_ = true;
    apply();
    QItemSelection again;
    for (const int row : kept) {
        const QModelIndex shown = rows_.mapFromSource(model_.index(row, 0));
        if (shown.isValid()) {
            again.select(shown, shown);
        }
    }
    TableLibrary->selectionModel()->select(
        again, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    refiltering_ = false;
    selectionOrder_ = kept;
    drawOverlay();
}

void LibraryWindow::selectionChanged(const QItemSelection& selected) {
    if (refiltering_) {
        return;
    }
    QSet<int> now;
    for (const QModelIndex& index : TableLibrary->selectionModel()->selectedRows()) {
        now.insert(rows_.libraryRow(index.row()));
    }
    std::erase_if(selectionOrder_, [&now](int row) { return !now.contains(row); });
    QSet<int> ordered(selectionOrder_.begin(), selectionOrder_.end());
    const auto append = [this, &ordered](int row) {
        if (!ordered.contains(row)) {
            ordered.insert(row);
            selectionOrder_.push_back(row);
        }
    };
    // The rows just selected in the order the table shows them; any others after them.
    for (const QModelIndex& index : selected.indexes()) {
        if (index.column() == 0 && now.contains(rows_.libraryRow(index.row()))) {
            append(rows_.libraryRow(index.row()));
        }
    }
    for (const int row : now) {
        append(row);
    }
    drawOverlay();
}

void LibraryWindow::drawOverlay() {
    std::vector<OverlaySection> sections;
    QHash<int, OverlaySection> kept;
    int drawable = 0;
    for (const int row : selectionOrder_) {
        if (model_.row(row).refused || unreadable_.contains(row)) {
            continue;
        }
        if (sections.size() == MaxOverlaySections) {
            ++drawable;
            continue;
        }
        // Each section is read once while it stays selected; one that cannot be read now
        // (changed or gone since the folder was read) is left out until the folder is read again.
        if (const auto found = drawn_.constFind(row); found != drawn_.constEnd()) {
            sections.push_back(*found);
        } else {
            const QString path = model_.path(row);
            const SectionRead read = ReadSection(path, LibraryReading());
            if (!read.clean()) {
                unreadable_.insert(row);
                continue;
            }
            sections.push_back({SectionName(read.section.title(), path), read.section.curves});
        }
        ++drawable;
        kept.insert(row, sections.back());
    }
    drawn_ = std::move(kept);
    PlotOverlay->setSections(std::move(sections), overlayScale());
    CommandSavePicture->setEnabled(!PlotOverlay->sections().empty());
    LabelOverlayNote->setText(drawable > MaxOverlaySections ? tooManyText_.arg(drawable)
                                                            : QString());
}

void LibraryWindow::openRow(int row) {
    if (row < 0 || row >= rows_.rowCount()) {
        return;
    }
    open_(model_.path(rows_.libraryRow(row)));
}

void LibraryWindow::savePicture() {
    if (PlotOverlay->sections().empty()) {
        return;
    }
    const QString start = lastPicture_.isEmpty()
                              ? QDir(model_.folder()).filePath(QStringLiteral("overlay.png"))
                              : lastPicture_;
    const QString path =
        dialogs_.saveFile(savePictureTitle_, start,
                          {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)"),
                           QStringLiteral("PDF (*.pdf)")});
    if (path.isEmpty()) {
        return;
    }
    const Result<PictureFormat> format = PictureFormatOf(path);
    if (!format) {
        dialogs_.messageBox(path + QStringLiteral(": ") + format.error());
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Status written =
        WriteOverlay(buffer, format.value(), PlotOverlay->sections(), PlotOverlay->scale());
    if (written) {
        written = WriteFileSet({{path, bytes}});
    }
    if (!written) {
        dialogs_.messageBoxes(written.errors());
        return;
    }
    lastPicture_ = path;
}

bool LibraryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Close) {
        close();
    }
    if (watched == TableLibrary && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openRow(TableLibrary->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LibraryWindow::closeEvent(QCloseEvent* event) {
    // The reading stops and the rows go; the folder and the check box stay for the next time.
    model_.clear();
    ProgressLibrary->hide();
    event->accept();
}

}  // namespace vandrix
