// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormMain.h"

#include "DeferredIconStyle.h"
#include "EmptyTitle.h"
#include "FileDrops.h"
#include "FileListBox.h"
#include "FormLayout.h"
#include "LibraryWindow.h"
#include "PictureBox.h"
#include "PrinterLoader.h"
#include "ScaleBox.h"
#include "export/TemplateRequest.h"
#include "formats/HeaderLine.h"
#include "formats/LanguageFile.h"
#include "model/Conversions.h"
#include "model/Scales.h"
#include "render/PlotPainter.h"
#include "render/Sheet.h"
#include "session/OpenFlow.h"
#include "session/ProgramDirectory.h"
#include "session/Startup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace vandrix {

namespace {

constexpr std::int16_t EnterKey = 13;

}  // namespace

FormMain::FormMain(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs), sheetPrinter_(&PrintOnDefaultPrinter) {
    setObjectName(QStringLiteral("FormMain"));
    KeepEmptyTitleEmpty(this);
    // Before the menu bar exists: its extension button's icon is then loaded only if shown.
    DeferredIconStyle::install();
    buildControls();
    buildMenus();
    applyTabOrder();

    // The geometry excludes the frame, which goes wherever the window manager puts it.
    const QRect client = ClientAreaGeometry();
    const int menuHeight = menuBar()->sizeHint().height();
    setGeometry(client.adjusted(0, -menuHeight, 0, 0));
    CommandInF->setFocus();

    // A data file dropped anywhere on the window is opened once the drop is over, so that a
    // message box does not hold up the drag's source; the boxes keep taking dropped text.
    AcceptFileDrops(this, [this](const QString& file) {
        QMetaObject::invokeMethod(this, "openFile", Qt::QueuedConnection, Q_ARG(QString, file));
    });
    Picture1->setAccessibleName(QStringLiteral("Plot"));
    announceCaptions();
}

FormMain::~FormMain() = default;

void FormMain::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    // Controls keep the face they are built with whatever font the window is given later.
    client->setFont(BuiltFont());
    setCentralWidget(client);

    CommandInF = MakeButton(client, "CommandInF", FromTwips(240, 240, 2895, 495));
    LabelScale = MakeLabel(client, "LabelScale", FromTwips(240, 1080, 2895, 375));
    TextScale = MakeScaleBox(client, "TextScale", FromTwips(1080, 1560, 855, 375));
    CommandRePaint = MakeButton(client, "CommandRePaint", FromTwips(1920, 1560, 1215, 375));
    LabelPrinterScale = MakeLabel(client, "LabelPrinterScale", FromTwips(240, 2280, 2895, 375));
    TextPrinterScale = MakeScaleBox(client, "TextPrinterScale", FromTwips(1080, 2760, 855, 375));
    CommandPrinterOutput =
        MakeButton(client, "CommandPrinterOutput", FromTwips(1920, 2760, 1215, 375));

    File1 = new FileListBox(client);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setGeometry(FromTwips(120, 3120, 495, 570));
    File1->setFocusPolicy(Qt::NoFocus);
    File1->hide();

    static constexpr std::array<const char*, 8> labelNames = {
        "Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8"};
    static constexpr std::array<const char*, 8> textNames = {"Text1", "Text2", "Text3", "Text4",
                                                             "Text5", "Text6", "Text7", "Text8"};
    for (std::size_t k = 0; k < Label.size(); ++k) {
        Label[k] = MakeLabel(client, labelNames[k], HeaderLabelGeometry(k));
        Text[k] = MakeTextBox(client, textNames[k], HeaderTextGeometry(k));
    }

    Picture1 = new PictureBox(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(FromTwips(120, 3480, 15000, 6000));

    connect(CommandInF, &QPushButton::clicked, this, [this] { CommandInF_Click(); });
    connect(CommandRePaint, &QPushButton::clicked, this, [this] { CommandRePaint_Click(); });
    connect(CommandPrinterOutput, &QPushButton::clicked, this,
            [this] { CommandPrinterOutput_Click(); });
    TextScale->setKeyPressHandler([this](std::int16_t& key) { TextScale_KeyPress(key); });
    TextPrinterScale->setKeyPressHandler(
        [this](std::int16_t& key) { TextPrinterScale_KeyPress(key); });
}

void FormMain::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));
    // The menus keep the desktop's menu font whatever font the window is given.
    bar->setFont(QApplication::font(bar));

    mnuFile = bar->addMenu(QStringLiteral("1"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileItem[0] = mnuFile->addAction(QStringLiteral("a"));
    mnuFileItem[0]->setObjectName(QStringLiteral("mnuFileItem0"));
    mnuFileItem[1] = mnuFile->addAction(BuiltInCaption(LanguageSection::TemplateItem));
    mnuFileItem[1]->setObjectName(QStringLiteral("mnuFileItem1"));
    mnuFileItem[2] = mnuFile->addAction(BuiltInCaption(LanguageSection::LibraryItem));
    mnuFileItem[2]->setObjectName(QStringLiteral("mnuFileItem2"));

    mnuSet = bar->addMenu(QStringLiteral("2"));
    mnuSet->setObjectName(QStringLiteral("mnuSet"));
    mnuSetItem[0] = mnuSet->addMenu(QStringLiteral("b"));
    mnuSetItem[0]->setObjectName(QStringLiteral("mnuSetItem0"));
    mnuSetLang[0] = mnuSetItem[0]->addAction(QStringLiteral("a"));
    mnuSetLang[0]->setObjectName(QStringLiteral("mnuSetLang0"));
    mnuSetLang[1] = mnuSetItem[0]->addAction(QStringLiteral("b"));
    mnuSetLang[1]->setObjectName(QStringLiteral("mnuSetLang1"));

    for (std::size_t i = 0; i < mnuFileItem.size(); ++i) {
        connect(mnuFileItem[i], &QAction::triggered, this,
                [this, i] { mnuFileItem_Click(static_cast<std::int16_t>(i)); });
    }
    for (std::size_t i = 0; i < mnuSetLang.size(); ++i) {
        connect(mnuSetLang[i], &QAction::triggered, this,
                [this, i] { mnuSetLang_Click(static_cast<std::int16_t>(i)); });
    }
}

void FormMain::applyTabOrder() {
    // Labels, the picture area and the hidden file list take no focus.
    std::vector<QWidget*> order = {CommandInF, TextScale, CommandRePaint};
    for (QLineEdit* box : Text) {
        order.push_back(box);
    }
    order.push_back(CommandPrinterOutput);
    order.push_back(TextPrinterScale);
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

void FormMain::Form_Load() {
    Picture1->setUpForScreenPlot();
}

void FormMain::CommandInF_Click() {
    OpenDataFile();
    readChosenFile();
}

void FormMain::OpenDataFile() {
    takeFileName(dialogs_.openFile(state_.InitDir));
}

void FormMain::openFile(const QString& name) {
    takeFileName(name);
    readChosenFile();
}

void FormMain::takeFileName(const QString& name) {
    if (const Status taken = TakeChosenFile(state_, name); !taken) {
        dialogs_.messageBox(taken.error());
    }
}

void FormMain::readChosenFile() {
    if (!state_.DataName.isEmpty()) {
        ReadDataFile();
        DrawPlot();
    }
}

void FormMain::ReadDataFile() {
    const SectionRead read = vandrix::ReadDataFile(state_);
    for (std::size_t k = 0; k < Label.size(); ++k) {
        if (read.labelRead.at(k)) {
            Label[k]->setText(LabelIn(read.section.labels.at(k), state_.Language));
        }
        if (read.valueRead.at(k)) {
            Text[k]->setText(read.section.values.at(k));
            Text[k]->setCursorPosition(0);
        }
    }
    announceCaptions();
    dialogs_.messageBoxes(read.messages);
}

void FormMain::DrawPlot() {
    Picture1->setAccessibleDescription(Text[0]->text());
    Picture1->drawPlot(state_.ScreenScale, {state_.PointX, state_.PointY});
}

// The rule both scale boxes follow: a number that cannot be taken is reported and changes
// nothing; one above the maximum is clamped, shown and reported; the value is stored and
// written back into the box. True when the box's action is to run: nothing was clamped and a
// data file has been chosen.
template <typename T>
bool FormMain::takeScale(QLineEdit* box, const Result<T>& typed, ScaleTaken<T> (*take)(T),
                         T& stored, QString (*toText)(T)) {
    if (!typed) {
        dialogs_.messageBox(typed.error());
        return false;
    }
    const ScaleTaken<T> scale = take(typed.value());
    stored = scale.value;
    box->setText(toText(stored));
    if (!scale.clampMessage.isEmpty()) {
        dialogs_.messageBox(scale.clampMessage);
        return false;
    }
    return !state_.DataName.isEmpty();
}

void FormMain::CommandRePaint_Click() {
    if (takeScale(TextScale, TextToInt16(TextScale->text()), &TakeScreenScale, state_.ScreenScale,
                  &Int16ToText)) {
        DrawPlot();
    }
}

void FormMain::TextScale_KeyPress(std::int16_t& key) {
    if (key == EnterKey) {
        CommandRePaint_Click();
        key = 0;
    }
}

void FormMain::CommandPrinterOutput_Click() {
    if (takeScale(TextPrinterScale, NumericPrefix(QStringView(TextPrinterScale->text())),
                  &TakePrinterScale, state_.PrinterScale, &DoubleToText)) {
        PrintSheet();
    }
}

void FormMain::TextPrinterScale_KeyPress(std::int16_t& key) {
    if (key == EnterKey) {
        CommandPrinterOutput_Click();
        key = 0;
    }
}

void FormMain::PrintSheet() {
    // The sheet shows what the window shows now: Label2..8 and Text2..8, Text1 as its title.
    std::array<QString, HeaderPairCount> labels;
    std::array<QString, HeaderPairCount> values;
    for (std::size_t k = 0; k < labels.size(); ++k) {
        labels.at(k) = Label.at(k)->text();
        values.at(k) = Text.at(k)->text();
    }
    const Status printed =
        sheetPrinter_(SheetOfPairs(labels, values, state_.LangFontName, state_.PrinterScale,
                                   {state_.PointX, state_.PointY}),
                      state_.DataName);
    if (!printed) {
        dialogs_.messageBox(printed.error());
    }
}

void FormMain::mnuFileItem_Click(std::int16_t index) {
    if (index == 0) {
        ExitProgram(state_, *this, dialogs_);
    } else if (index == 1 && state_.DataName.isEmpty()) {
        dialogs_.messageBox(Caption(templateCaptions_, LanguageSection::NoDataFileMessage));
    } else if (index == 1) {
        TemplateRequest request = StartingRequest(state_.DataPath, Text[0]->text(),
                                                  state_.PrinterScale, state_.LangFontName);
        // The chord and the name follow the printer scale and the data file; the rest is
        // kept from the last time, as ribs of one model share their sheeting and spars.
        if (lastTemplate_) {
            TemplateAnswer& answer = request.answer;
            answer.teThickness = lastTemplate_->teThickness;
            answer.inset = lastTemplate_->inset;
            answer.spars = lastTemplate_->spars;
            answer.dxf = lastTemplate_->dxf;
            answer.pdf = lastTemplate_->pdf;
            answer.svg = lastTemplate_->svg;
        }
        if (dialogs_.templateSettings(templateCaptions_, request.answer)) {
            lastTemplate_ = request.answer;
            dialogs_.messageBoxes(WriteTemplates(request, {state_.PointX, state_.PointY}).errors());
        }
    } else if (index == 2) {
        if (library_ == nullptr) {
            library_ = new LibraryWindow(
                state_, dialogs_,
                [this](const QString& file) {
                    openFile(file);
                    raise();
                    activateWindow();
                },
                this);
            library_->setCaptions(templateCaptions_);
        }
        library_->openLibrary();
    }
}

void FormMain::Form_Unload(std::int16_t& /*cancel*/) {
    ExitProgram(state_, *this, dialogs_);
}

void FormMain::unloadWindow() {
    if (unloading_) {
        return;
    }
    unloading_ = true;
    std::int16_t cancel = 0;
    Form_Unload(cancel);
    close();
}

void FormMain::closeEvent(QCloseEvent* event) {
    // The close box unloads the window; so does close() at the end of an unload, which must
    // not run the unload handler a second time.
    if (!unloading_) {
        unloading_ = true;
        std::int16_t cancel = 0;
        Form_Unload(cancel);
    }
    event->accept();
}

void FormMain::setWindowFont(const QString& family, int pointSize) {
    QFont windowFont = font();
    if (!family.isEmpty()) {
        windowFont.setFamily(family);
    }
    windowFont.setPointSize(pointSize);
    setFont(windowFont);
}

void FormMain::setScreenScaleText(const QString& text) {
    TextScale->setText(text);
}

void FormMain::setPrinterScaleText(const QString& text) {
    TextPrinterScale->setText(text);
}

FileList& FormMain::fileList() {
    return *File1;
}

}  // namespace vandrix
