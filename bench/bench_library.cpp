// SPDX-License-Identifier: GPL-3.0-or-later
// The library window on a folder: how long the fill takes until every file is listed, how long a
// click on a column's header takes while the fill runs, the longest the window leaves its events
// waiting during the fill, and the memory the rows take.
//
// Usage: bench_library FOLDER [RUNS]   (bench/library.sh makes a folder of copies and runs it)
#include "ScriptedDialogs.h"
#include "session/AppState.h"
#include "session/LibraryModel.h"
#include "ui/LibraryWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vandrix;

namespace {

// The process's resident memory in KiB, from /proc.
long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// The bytes the rows hold: the rows themselves and the characters of their texts.
qint64 rowBytes(const LibraryModel& model) {
    qint64 bytes = 0;
    for (int r = 0; r < model.rowCount(); ++r) {
        const LibraryRow& row = model.row(r);
        bytes += qint64(sizeof(LibraryRow));
        for (const QString* text : {&row.file, &row.name, &row.format, &row.notes}) {
            bytes += text->capacity() * qint64(sizeof(QChar));
        }
    }
    return bytes;
}

struct Run {
    double fillMs = 0;
    double clickMs = 0;
    double longestWaitMs = 0;
    int rowsAtClick = 0;
};

// One fill of `folder`, the thickness column's header clicked once a quarter of the files are
// read.
Run fill(LibraryWindow& window, const QString& folder) {
    Run run;
    auto* table = window.findChild<QTableView*>(QStringLiteral("TableLibrary"));
    QHeaderView* header = table->horizontalHeader();
    table->sortByColumn(static_cast<int>(LibraryColumn::File), Qt::AscendingOrder);
    LibraryModel& model = window.model();

    bool clicked = false;
    QElapsedTimer sinceTick;
    // A tick every few milliseconds, not a busy loop that would take a core from the readers; its
    // lateness is how long the window's events wait.
    constexpr int TickMs = 5;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(TickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        run.longestWaitMs =
            std::max(run.longestWaitMs, double(sinceTick.nsecsElapsed()) / 1e6 - TickMs);
        sinceTick.restart();
        if (!clicked && model.filesListed() > 0 && model.filesRead() * 4 >= model.filesListed()) {
            clicked = true;
            const int column = static_cast<int>(LibraryColumn::Thickness);
            const QPoint at(
                header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                header->height() / 2);
            run.rowsAtClick = model.rowCount();
            QElapsedTimer click;
            click.start();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            run.clickMs = double(click.nsecsElapsed()) / 1e6;
            sinceTick.restart();
        }
    });

    QEventLoop loop;
    QObject::connect(&model, &LibraryModel::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    tick.start();
    model.setFolder(folder, false);
    if (model.filling()) {
        loop.exec();
    }
    run.fillMs = double(timer.nsecsElapsed()) / 1e6;
    tick.stop();
    if (header->sortIndicatorSection() != static_cast<int>(LibraryColumn::Thickness)) {
        std::fprintf(stderr, "bench_library: the header click did not sort by thickness\n");
    }
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_library FOLDER [RUNS]\n");
        return 2;
    }
    const QString& folder = args.at(1);
    const int runs = std::max(1, args.value(2, QStringLiteral("5")).toInt());

    AppState state;
    ScriptedDialogs dialogs;
    LibraryWindow window(state, dialogs, [](const QString&) {});
    window.show();
    QApplication::processEvents();

    const long before = residentKiB();
    std::vector<double> fills;
    std::vector<double> clicks;
    std::vector<double> waits;
    Run last;
    for (int k = 0; k < runs; ++k) {
        last = fill(window, folder);
        fills.push_back(last.fillMs);
        clicks.push_back(last.clickMs);
        waits.push_back(last.longestWaitMs);
    }
    const long after = residentKiB();

    // A click on a header once every row is there.
    auto* table = window.findChild<QTableView*>(QStringLiteral("TableLibrary"));
    QHeaderView* header = table->horizontalHeader();
    const int camber = static_cast<int>(LibraryColumn::Camber);
    QElapsedTimer click;
    click.start();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(camber) + 5, header->height() / 2));
    const double fullClickMs = double(click.nsecsElapsed()) / 1e6;

    QTextStream out(stdout);
    const LibraryModel& model = window.model();
    out << "bench_library: " << model.filesListed() << " files, " << model.rowCount() << " rows, "
        << runs << " runs, " << QThread::idealThreadCount() << " threads\n";
    out << QString::asprintf("fill: median %.0f ms, longest %.0f ms\n", median(fills),
                             *std::max_element(fills.begin(), fills.end()));
    out << QString::asprintf(
        "header click during the fill (%d rows then): median %.1f ms, longest %.1f ms\n",
        last.rowsAtClick, median(clicks), *std::max_element(clicks.begin(), clicks.end()));
    out << QString::asprintf("header click on the full table: %.1f ms\n", fullClickMs);
    out << QString::asprintf("longest wait of the window's events during a fill: %.1f ms\n",
                             *std::max_element(waits.begin(), waits.end()));
    out << QString::asprintf("rows: %.0f KiB (%.0f bytes a row); resident memory %+ld KiB\n",
                             double(rowBytes(model)) / 1024.0,
                             double(rowBytes(model)) / std::max(1, model.rowCount()),
                             after - before);
    return 0;
}
