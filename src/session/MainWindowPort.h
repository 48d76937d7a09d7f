// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vandrix {

class FileList;

// What start-up and shut-down need from the main window.
class MainWindowPort {
public:
    MainWindowPort() = default;
    Q_DISABLE_COPY_MOVE(MainWindowPort)
    virtual ~MainWindowPort() = default;

    // Runs the window's load handler.
    virtual void loadWindow() = 0;
    virtual void showWindow() = 0;
    // Unloads the window: runs its unload handler, then closes it. A request that comes while
    // the window is being unloaded does nothing.
    virtual void unloadWindow() = 0;
    virtual void setWindowFont(const QString& family, int pointSize) = 0;
    virtual void setScreenScaleText(const QString& text) = 0;
    virtual void setPrinterScaleText(const QString& text) = 0;
    // Loads the captions of the current language.
    virtual void readLanguage() = 0;
    // The window's hidden file list.
    virtual FileList& fileList() = 0;
};

}  // namespace vandrix
