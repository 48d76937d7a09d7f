// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/TemplateRequest.h"
#include "formats/LanguageFile.h"
#include "model/Result.h"
#include "model/Scales.h"
#include "session/AppState.h"
#include "session/Dialogs.h"
#include "session/MainWindowPort.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vandrix {

class FileListBox;
class LibraryWindow;
class PictureBox;
struct SheetContent;
class ScaleBox;

// The program's one window: the open, redraw and print buttons, the two scale boxes, the eight
// label/value pairs of a data file, the plot, and the file and settings menus. Every control's
// objectName is its name (CommandInF, TextScale, Label1 .. Label8, Picture1, mnuSetLang0 ...).
class FormMain : public QMainWindow, public MainWindowPort {
    Q_OBJECT

public:
    // Prints a sheet as a job of the given name: done, or why not.
    using SheetPrinter = std::function<Status(const SheetContent& sheet, const QString& jobName)>;

    FormMain(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~FormMain() override;
    Q_DISABLE_COPY_MOVE(FormMain)

    // The default printer unless told otherwise.
    void setSheetPrinter(SheetPrinter printer) { sheetPrinter_ = std::move(printer); }

    // Event handlers, named after their control and event.
    void Form_Load();
    void Form_Unload(std::int16_t& cancel);
    void CommandInF_Click();
    void CommandRePaint_Click();
    void CommandPrinterOutput_Click();
    void TextScale_KeyPress(std::int16_t& key);
    void TextPrinterScale_KeyPress(std::int16_t& key);
    // Item 0 exits; item 1 writes true-size templates of the section the window shows, named
    // as Text1 names it, once the template dialog has been answered; item 2 shows the library.
    void mnuFileItem_Click(std::int16_t index);
    void mnuSetLang_Click(std::int16_t index);

    void OpenDataFile();
    // A data file named from outside the window (command line, drop): taken and read exactly
    // as if the open-file dialog had given back `name`.
    Q_INVOKABLE void openFile(const QString& name);
    void ReadDataFile();
    void DrawPlot();
    void PrintSheet();

    void ReadLanguage();

    PictureBox& picture() const { return *Picture1; }

    // What start-up and shut-down use.
    void loadWindow() override { Form_Load(); }
    void showWindow() override { show(); }
    void unloadWindow() override;
    void setWindowFont(const QString& family, int pointSize) override;
    void setScreenScaleText(const QString& text) override;
    void setPrinterScaleText(const QString& text) override;
    void readLanguage() override { ReadLanguage(); }
    FileList& fileList() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void applyTabOrder();
    void takeFileName(const QString& name);
    void readChosenFile();
    void announceCaptions();
    template <typename T>
    bool takeScale(QLineEdit* box, const Result<T>& typed, ScaleTaken<T> (*take)(T), T& stored,
                   QString (*toText)(T));

    AppState& state_;
    Dialogs& dialogs_;
    bool unloading_ = false;
    SheetPrinter sheetPrinter_;

    QPushButton* CommandInF = nullptr;
    QLabel* LabelScale = nullptr;
    ScaleBox* TextScale = nullptr;
    QPushButton* CommandRePaint = nullptr;
    QLabel* LabelPrinterScale = nullptr;
    ScaleBox* TextPrinterScale = nullptr;
    QPushButton* CommandPrinterOutput = nullptr;
    FileListBox* File1 = nullptr;
    std::array<QLabel*, 8> Label{};
    std::array<QLineEdit*, 8> Text{};
    PictureBox* Picture1 = nullptr;

    QMenu* mnuFile = nullptr;
    std::array<QAction*, 3> mnuFileItem{};
    QMenu* mnuSet = nullptr;
    std::array<QMenu*, 1> mnuSetItem{};
    std::array<QAction*, 2> mnuSetLang{};
    // The current language's captions for the template dialog.
    LanguageRead templateCaptions_;
    // The template dialog's last accepted answer in this run, whose features and formats the
    // next one starts from.
    std::optional<TemplateAnswer> lastTemplate_;
    // The library window, made when first shown, then kept (hidden) with its folder.
    LibraryWindow* library_ = nullptr;
};

}  // namespace vandrix
