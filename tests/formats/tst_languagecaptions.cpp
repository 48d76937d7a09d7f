// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormatBytes.h"
#include "LanguageFiles.h"
#include "TestFiles.h"
#include "formats/LanguageFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using vandrix::testing::lineFor;
using vandrix::testing::numberedLanguageFile;

namespace {

constexpr int Languages = 2;
constexpr int OlderLength = 2 + FirstLanguageSectionCount * (Languages + 1);

LanguageSection section(int s) {
    return static_cast<LanguageSection>(s);
}

}  // namespace

// The sections added after the first fourteen: older files read as before, and their captions
// come from the shipped file, else in English.
class TestLanguageCaptions : public QObject {
    Q_OBJECT

private slots:
    void laterCaptions_data();
    void laterCaptions();
    void endsInsideALaterSection();
    void builtInEnglishIsTheShippedEnglish();
};

void TestLanguageCaptions::laterCaptions_data() {
    QTest::addColumn<int>("sections");  // how many sections the file has
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("fallback");  // "shipped", "missing" or "none"
    QTest::addColumn<QString>("from");      // where the captions after the file's come from
    constexpr int BeforeLibrary = static_cast<int>(LanguageSection::NoDataFileMessage);
    for (const int language : {1, 2}) {
        const QByteArray k = QByteArray::number(language);
        const auto row = [&k](const char* name) -> QTestData& {
            return QTest::newRow(QByteArray(name + (", language " + k)).constData());
        };
        row("new file") << LanguageSectionCount << language << "shipped"
                        << "shipped";
        row("old file") << FirstLanguageSectionCount << language << "shipped"
                        << "shipped";
        row("file from before the library") << BeforeLibrary << language << "shipped"
                                            << "shipped";
        row("old file, no shipped file") << FirstLanguageSectionCount << language << "missing"
                                         << "English";
        row("old file, no fallback") << FirstLanguageSectionCount << language << "none"
                                     << "English";
    }
    QTest::newRow("file from before the library, no fallback") << BeforeLibrary << 2 << "none"
                                                               << "English";
    QTest::newRow("old file, language outside") << FirstLanguageSectionCount << 3 << "shipped"
                                                << "English";
}

void TestLanguageCaptions::laterCaptions() {
    QFETCH(int, sections);
    QFETCH(int, language);
    QFETCH(QString, fallback);
    QFETCH(QString, from);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Language.txt"));
    QVERIFY(testing::writeFile(
        path, numberedLanguageFile("2", testing::completeLength(Languages, sections))));
    const QString fallbackPath =
        fallback == QLatin1String("shipped")   ? testing::samplePath("Language.txt")
        : fallback == QLatin1String("missing") ? dir.filePath(QStringLiteral("none.txt"))
                                               : QString();
    const Result<LanguageRead> read =
        ReadLanguageFile(path, static_cast<std::int16_t>(language), fallbackPath);
    QVERIFY(read);
    QCOMPARE(read.value().messages, QStringList());
    // The first fourteen sections read exactly as the file alone gives them.
    const LanguageRead alone =
        testing::parseLanguageBytes(numberedLanguageFile("2", OlderLength), language);
    for (int s = 1; s <= FirstLanguageSectionCount; ++s) {
        QCOMPARE(read.value().text(section(s)), alone.text(section(s)));
    }
    QCOMPARE(read.value().menuItems, alone.menuItems);

    const LanguageRead shipped = testing::parseLanguageBytes(
        testing::readAll(testing::samplePath("Language.txt")), language);
    for (int s = FirstLanguageSectionCount + 1; s <= LanguageSectionCount; ++s) {
        const QString expected = s <= sections ? lineFor(Languages, s, language)
                                 : from == QLatin1String("shipped") ? *shipped.text(section(s))
                                                                    : BuiltInCaption(section(s));
        QCOMPARE(Caption(read.value(), section(s)), expected);
        QVERIFY(!expected.isEmpty());
    }
}

void TestLanguageCaptions::endsInsideALaterSection() {
    // Section 15 complete, section 16 cut after its first language.
    const int lines = OlderLength + (Languages + 1) + 2;
    const LanguageRead read = testing::parseLanguageBytes(numberedLanguageFile("2", lines), 2);
    QCOMPARE(read.messages.size(), 1);
    QVERIFY2(read.messages[0].contains(QStringLiteral("ends early")), qPrintable(read.messages[0]));
    QCOMPARE(*read.text(LanguageSection::TemplateItem), lineFor(Languages, 15, 2));
    QVERIFY(!read.text(LanguageSection::TemplateTitle));
    QCOMPARE(*read.text(LanguageSection::LanguageSubmenu), lineFor(Languages, 14, 2));
}

void TestLanguageCaptions::builtInEnglishIsTheShippedEnglish() {
    const LanguageRead english =
        testing::parseLanguageBytes(testing::readAll(testing::samplePath("Language.txt")), 1);
    const LanguageRead japanese =
        testing::parseLanguageBytes(testing::readAll(testing::samplePath("Language.txt")), 2);
    QCOMPARE(english.messages, QStringList());
    for (int s = FirstLanguageSectionCount + 1; s <= LanguageSectionCount; ++s) {
        QCOMPARE(*english.text(section(s)), BuiltInCaption(section(s)));
        QVERIFY(!japanese.text(section(s))->isEmpty());
    }
    QCOMPARE(*japanese.text(LanguageSection::TemplateItem), QStringLiteral("型紙(&T)..."));
    QCOMPARE(*japanese.text(LanguageSection::LibraryItem), QStringLiteral("ライブラリ(&L)..."));
}

QTEST_GUILESS_MAIN(TestLanguageCaptions)
#include "tst_languagecaptions.moc"
