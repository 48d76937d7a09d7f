// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/FileList.h"
#include "session/MainWindowPort.h"

#include <QStringList>

namespace vandrix {

// A main window that records what start-up and shut-down asked of it, in order.
class ScriptedWindow : public MainWindowPort {
public:
    QStringList calls;  // "load", "show", "unload", "language", "font <family> <size>"
    QString screenScaleText;
    QString printerScaleText;
    FileList files;  // over a real directory, starting in the current one

    void loadWindow() override { calls << QStringLiteral("load"); }
    void showWindow() override { calls << QStringLiteral("show"); }
    void unloadWindow() override { calls << QStringLiteral("unload"); }
    void setWindowFont(const QString& family, int pointSize) override {
        calls << QStringLiteral("font %1 %2").arg(family).arg(pointSize);
    }
    void setScreenScaleText(const QString& text) override { screenScaleText = text; }
    void setPrinterScaleText(const QString& text) override { printerScaleText = text; }
    void readLanguage() override { calls << QStringLiteral("language"); }
    FileList& fileList() override { return files; }
};

}  // namespace vandrix
