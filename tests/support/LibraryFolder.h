// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NacaSections.h"
#include "TestFiles.h"

#include <QDir>
#include <QStringList>

namespace vandrix::testing {

// An MSES/ISES file: name, the plot limits, then the outline in Selig order.
template <typename Drawn>
QByteArray msesFile(const Drawn& s, int perSide, const QByteArray& name) {
    const QByteArray selig = seligFile(s, perSide, name);
    return name + "\n -0.10  1.10  -0.30  0.30\n" + selig.mid(selig.indexOf('\n') + 1);
}

// The files of a library folder made by makeLibraryFolder, in the order of their names. The
// text file is no section and is left out; the one in the subfolder is listed only with
// subfolders.
inline const QStringList LibraryTopFiles = {"a-naca0009.dat", "b-naca2412.dat", "c-naca6421.dat",
                                            "d-negative.dat", "e-data.dat",     "f-refused.dat"};
inline const QString LibrarySubfolderFile = QStringLiteral("sub/h-naca0018.dat");

// Makes in `folder` one file of each kind the library lists and one it leaves out:
//   a-naca0009.dat  Selig     NACA 0009        9 %, symmetric
//   b-naca2412.dat  Lednicer  NACA 2412       12 %, camber 2 %
//   c-naca6421.dat  MSES      NACA 6421       21 %, camber 6 % (thickness at equal x)
//   d-negative.dat  Selig     Negative camber 10 %, camber -2 %
//   e-data.dat      data file NACA 4415 (the sample)
//   f-refused.dat   a section file of three points a side: refused
//   g-notes.txt     text without numbers: neither kind, left out
//   sub/h-naca0018.dat  Selig NACA 0018       18 %, symmetric
inline bool makeLibraryFolder(const QString& folder) {
    const QDir dir(folder);
    return dir.mkpath(QStringLiteral("sub")) &&
           writeFile(dir.filePath(QStringLiteral("a-naca0009.dat")),
                     seligFile(Naca4{0.0, 0.0, 0.09}, 61, "NACA 0009")) &&
           writeFile(dir.filePath(QStringLiteral("b-naca2412.dat")),
                     lednicerFile(Naca4{0.02, 0.4, 0.12}, 61, "NACA 2412")) &&
           writeFile(dir.filePath(QStringLiteral("c-naca6421.dat")),
                     msesFile(MeanLineSection{[](double x) {
                                                  return Naca4{0.06, 0.4}.meanLine(x);
                                              },
                                              0.21},
                              61, "NACA 6421")) &&
           writeFile(dir.filePath(QStringLiteral("d-negative.dat")),
                     seligFile(Naca4{-0.02, 0.4, 0.10}, 61, "Negative camber")) &&
           writeFile(dir.filePath(QStringLiteral("e-data.dat")),
                     readAll(samplePath("naca4415.dat"))) &&
           writeFile(dir.filePath(QStringLiteral("f-refused.dat")),
                     "Too few\n1 0\n0.5 0.05\n0 0\n0.5 -0.05\n1 0\n") &&
           writeFile(dir.filePath(QStringLiteral("g-notes.txt")), "Shopping list\nmilk\nbread\n") &&
           writeFile(dir.filePath(LibrarySubfolderFile),
                     seligFile(Naca4{0.0, 0.0, 0.18}, 61, "NACA 0018"));
}

}  // namespace vandrix::testing
