// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteDevice.h"
#include "FormatBytes.h"
#include "TestFiles.h"
#include "formats/DataFile.h"
#include "formats/HeaderLine.h"
#include "formats/LanguageFile.h"
#include "formats/SettingsFile.h"

#include <QDir>
#include <QStringEncoder>
#include <QTest>

using namespace vandrix;

namespace {

QByteArray toCp932(const QByteArray& utf8) {
    QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(QString::fromUtf8(utf8));
    return encoder.hasError() ? QByteArray() : bytes;
}

SectionRead readData(const QByteArray& bytes) {
    return testing::readFromBytes(
        bytes, [](QIODevice& device) { return ReadDataFileFrom(device, SectionReading()); });
}

bool sameRead(const SectionRead& a, const SectionRead& b) {
    return a.section.labels == b.section.labels && a.section.values == b.section.values &&
           a.labelRead == b.labelRead && a.valueRead == b.valueRead && a.messages == b.messages &&
           a.section.curves == b.section.curves && a.readStop == b.readStop;
}

}  // namespace

// Files from the system the format comes from: the Japanese code page, a byte-order mark, LF
// line ends. Each reads exactly like its UTF-8, CRLF twin.
class TestLegacyFiles : public QObject {
    Q_OBJECT

private slots:
    void dataFileTwins_data();
    void dataFileTwins();
    void languageFileTwins();
    void settingsWithJapaneseDirectory();
    void utf8IsNotMistakenForCp932();
};

void TestLegacyFiles::dataFileTwins_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("twin");
    const QDir samples(QStringLiteral(VANDRIX_SAMPLES_DIR));
    for (const QString& name : samples.entryList({QStringLiteral("*.dat")})) {
        for (const char* twin : {"cp932", "byte-order mark", "LF line ends"}) {
            QTest::addRow("%s, %s", qPrintable(name), twin) << samples.filePath(name) << twin;
        }
    }
}

void TestLegacyFiles::dataFileTwins() {
    QFETCH(QString, sample);
    QFETCH(QString, twin);
    const QByteArray utf8 = testing::readAll(sample);
    QByteArray bytes;
    if (twin == QLatin1String("cp932")) {
        bytes = toCp932(utf8);
        QVERIFY(!bytes.isEmpty());
        QVERIFY(bytes != utf8);  // the samples do hold Japanese labels
    } else if (twin == QLatin1String("byte-order mark")) {
        bytes = "\xEF\xBB\xBF" + utf8;
    } else {
        bytes = utf8;
        bytes.replace("\r\n", "\n");
    }
    // Both languages' labels are read at once.
    const SectionRead expected = readData(utf8);
    QVERIFY(expected.clean());
    QVERIFY(!expected.section.labels[0].first.isEmpty() &&
            !expected.section.labels[0].second.isEmpty());
    QVERIFY(sameRead(readData(bytes), expected));
}

void TestLegacyFiles::languageFileTwins() {
    const QByteArray utf8 = testing::readAll(testing::samplePath("Language.txt"));
    const QByteArray cp932 = toCp932(utf8);
    QVERIFY(!cp932.isEmpty() && cp932 != utf8);
    const QByteArray withMark = "\xEF\xBB\xBF" + utf8;
    for (const QByteArray& twin : {cp932, withMark}) {
        for (const std::int16_t language : {std::int16_t(1), std::int16_t(2)}) {
            const LanguageRead expected = testing::parseLanguageBytes(utf8, language);
            const LanguageRead read = testing::parseLanguageBytes(twin, language);
            QCOMPARE(read.menuItems, expected.menuItems);
            QCOMPARE(read.texts, expected.texts);
            QCOMPARE(read.messages, QStringList());
        }
    }
}

void TestLegacyFiles::settingsWithJapaneseDirectory() {
    const QString dir = QStringLiteral("/データ/翼型");
    const QByteArray cp932 = toCp932(FormatSettings(2, dir, 1000, 150));
    const SettingsRead read = testing::parseSettingsBytes(cp932);
    QCOMPARE(*read.initDir, dir);
    QCOMPARE(int(*read.language), 2);
}

void TestLegacyFiles::utf8IsNotMistakenForCp932() {
    // Japanese UTF-8 text beyond the look-ahead window does not change the decision.
    QByteArray bytes = testing::readAll(testing::samplePath("naca2412.dat"));
    bytes += QByteArray(70 * 1024, '\n') + "\x82\xA0";  // CP932 bytes far after the data
    QCOMPARE(readData(bytes).section.labels[0].second, QStringLiteral("名称"));
}

QTEST_GUILESS_MAIN(TestLegacyFiles)
#include "tst_legacyfiles.moc"
