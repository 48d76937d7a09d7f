// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormatBytes.h"
#include "LanguageFiles.h"
#include "TestFiles.h"
#include "formats/LanguageFile.h"

#include <QTest>

using namespace vandrix;
using vandrix::testing::lineFor;
using vandrix::testing::numberedLanguageFile;

namespace {

int textCount(const LanguageRead& read) {
    return static_cast<int>(std::count_if(read.texts.begin(), read.texts.end(),
                                          [](const auto& t) { return t.has_value(); }));
}

}  // namespace

// Which lines of the language file apply for which language.
class TestLanguageFile : public QObject {
    Q_OBJECT

private slots:
    void twoLanguages_data();
    void twoLanguages();
    void languageOutsideTheFile_data();
    void languageOutsideTheFile();
    void singleLanguage();
    void noLanguages_data();
    void noLanguages();
    void moreLanguagesThanMenuItems();
    void endsEarly_data();
    void endsEarly();
    void linesAreTakenVerbatim();
    void shippedFile_data();
    void shippedFile();
};

void TestLanguageFile::twoLanguages_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("language 1") << 1;
    QTest::newRow("language 2") << 2;
}

void TestLanguageFile::twoLanguages() {
    QFETCH(int, language);
    const LanguageRead read = testing::parseLanguageBytes(numberedLanguageFile("2", 44), language);
    QCOMPARE(read.messages, QStringList());
    QCOMPARE(read.menuItems, (QStringList{"L4", "L5"}));
    QCOMPARE(*read.text(LanguageSection::FontName), QStringLiteral("L%1").arg(6 + language));
    QCOMPARE(*read.text(LanguageSection::WindowTitle), QStringLiteral("L%1").arg(9 + language));
    QCOMPARE(*read.text(LanguageSection::FileErrorMessage),
             QStringLiteral("L%1").arg(18 + language));
    QCOMPARE(*read.text(LanguageSection::ExitItem), QStringLiteral("L%1").arg(36 + language));
    QCOMPARE(*read.text(LanguageSection::LanguageSubmenu), lineFor(2, 14, language));
    QCOMPARE(textCount(read), 13);
}

void TestLanguageFile::languageOutsideTheFile_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("0") << 0;
    QTest::newRow("3") << 3;
    QTest::newRow("-1") << -1;
}

void TestLanguageFile::languageOutsideTheFile() {
    QFETCH(int, language);
    const LanguageRead read = testing::parseLanguageBytes(numberedLanguageFile("2", 44), language);
    QCOMPARE(read.messages, QStringList());
    QCOMPARE(read.menuItems, (QStringList{"L4", "L5"}));
    QCOMPARE(textCount(read), 0);
}

void TestLanguageFile::singleLanguage() {
    const LanguageRead read =
        testing::parseLanguageBytes(numberedLanguageFile("1", testing::completeLength(1)), 1);
    QCOMPARE(read.messages, QStringList());
    QCOMPARE(read.menuItems, QStringList{"L4"});
    QCOMPARE(*read.text(LanguageSection::FontName), QStringLiteral("L6"));
    QCOMPARE(*read.text(LanguageSection::LanguageSubmenu), lineFor(1, 14, 1));
    QCOMPARE(textCount(read), 13);
}

void TestLanguageFile::noLanguages_data() {
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<int>("messages");
    QTest::newRow("N = 0") << QByteArray("0") << 0;
    QTest::newRow("not a number") << QByteArray("two") << 0;
    QTest::newRow("negative") << QByteArray("-5") << 0;
    QTest::newRow("overflow counts as 0") << QByteArray("40000") << 1;
}

void TestLanguageFile::noLanguages() {
    QFETCH(QByteArray, count);
    QFETCH(int, messages);
    // Only the fourteen headers are read: a file of exactly 16 lines is complete.
    const LanguageRead read = testing::parseLanguageBytes(numberedLanguageFile(count, 16), 1);
    QCOMPARE(read.messages.size(), messages);
    QCOMPARE(read.menuItems, QStringList());
    QCOMPARE(textCount(read), 0);
}

void TestLanguageFile::moreLanguagesThanMenuItems() {
    const LanguageRead read =
        testing::parseLanguageBytes(numberedLanguageFile("3", testing::completeLength(3)), 3);
    QCOMPARE(read.messages, QStringList());
    QCOMPARE(read.menuItems, (QStringList{"L4", "L5", "L6"}));
    QCOMPARE(*read.text(LanguageSection::FontName), lineFor(3, 2, 3));
}

void TestLanguageFile::endsEarly_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("texts");  // of the current language (2) read before the end
    QTest::newRow("empty file") << 0 << 0;
    QTest::newRow("no count") << 1 << 0;
    QTest::newRow("in section 1") << 4 << 0;
    QTest::newRow("after the font name") << 8 << 1;
    QTest::newRow("one line short") << 43 << 12;
}

void TestLanguageFile::endsEarly() {
    QFETCH(int, lines);
    QFETCH(int, texts);
    const LanguageRead read = testing::parseLanguageBytes(numberedLanguageFile("2", lines), 2);
    QCOMPARE(read.messages.size(), 1);
    QVERIFY2(read.messages[0].contains(QStringLiteral("/p/Language.txt")),
             qPrintable(read.messages[0]));
    QCOMPARE(textCount(read), texts);
}

void TestLanguageFile::linesAreTakenVerbatim() {
    QByteArray bytes = numberedLanguageFile("2", 44);
    bytes.replace("L11\r\n", "  Title with blanks  \r\n");
    bytes.replace("L20\r\n", "\r\n");
    const LanguageRead read = testing::parseLanguageBytes(bytes, 2);
    QCOMPARE(*read.text(LanguageSection::WindowTitle), QStringLiteral("  Title with blanks  "));
    QCOMPARE(*read.text(LanguageSection::FileErrorMessage), QString());
}

void TestLanguageFile::shippedFile_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("font");
    QTest::newRow("English") << 1 << "DejaVu Serif";
    QTest::newRow("Japanese") << 2 << "IPAPMincho";
}

void TestLanguageFile::shippedFile() {
    QFETCH(int, language);
    QFETCH(QString, font);
    const QByteArray bytes = testing::readAll(testing::samplePath("Language.txt"));
    QCOMPARE(bytes.count("\r\n"), 2 + LanguageSectionCount * 3);
    QCOMPARE(bytes.count('\n'), 2 + LanguageSectionCount * 3);
    QVERIFY(QString::fromUtf8(bytes).toUtf8() == bytes);  // valid UTF-8
    const LanguageRead read = testing::parseLanguageBytes(bytes, language);
    QCOMPARE(read.messages, QStringList());
    QCOMPARE(read.menuItems, (QStringList{"English", QStringLiteral("日本語")}));
    QCOMPARE(*read.text(LanguageSection::FontName), font);
    QCOMPARE(*read.text(LanguageSection::WindowTitle), QStringLiteral("Vandrix"));
    for (int s = 2; s <= LanguageSectionCount; ++s) {
        if (s != static_cast<int>(LanguageSection::Unused)) {
            QVERIFY2(!read.texts[static_cast<std::size_t>(s)]->trimmed().isEmpty(),
                     qPrintable(QString::number(s)));
        }
    }
}

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "tst_languagefile.moc"
