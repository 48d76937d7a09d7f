// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TextInput.h"

#include <QBuffer>
#include <QTest>

using namespace vandrix;

namespace {

// A device that gives its bytes and then fails, as a disk that stops answering does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(QByteArray bytes) : bytes_(std::move(bytes)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (bytes_.isEmpty()) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min<qint64>(maxSize, bytes_.size());
        std::copy_n(bytes_.constData(), n, data);
        bytes_.remove(0, n);
        return n;
    }
    qint64 writeData(const char* /*data*/, qint64 /*size*/) override { return -1; }

private:
    QByteArray bytes_;
};

// What the calls gave, one entry each: the line or item, "<end>", or "!" and the message.
QStringList lines(QIODevice& device, bool items) {
    TextInput input(device, QStringLiteral("f.txt"));
    QStringList got;
    for (int i = 0; i < 8; ++i) {
        if (items) {
            const Result<std::optional<QByteArrayView>> item = input.readItem();
            got << (!item           ? QLatin1Char('!') + item.error()
                    : !item.value() ? QStringLiteral("<end>")
                                    : QString::fromUtf8(item.value()->toByteArray()));
        } else {
            const Result<std::optional<QString>> line = input.readLine();
            got << (!line           ? QLatin1Char('!') + line.error()
                    : !line.value() ? QStringLiteral("<end>")
                                    : *line.value());
        }
        if (got.last() == QLatin1String("<end>") || got.last().startsWith(QLatin1Char('!'))) {
            break;
        }
    }
    return got;
}

}  // namespace

// Lines and items as every reader of the program's text files takes them.
class TestTextInput : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void readErrorNamesFile();
};

void TestTextInput::reads_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("items");
    QTest::addColumn<QStringList>("expected");
    const QString end = QStringLiteral("<end>");
    QTest::newRow("CRLF and LF, a last line without end")
        << QByteArray("a\r\nb\nc") << false << QStringList{"a", "b", "c", end};
    QTest::newRow("the file's byte-order mark only")
        << QByteArray(
               "\xEF\xBB\xBF"
               "a\n\xEF\xBB\xBF"
               "b\n")
        << false << QStringList{"a", QStringLiteral("\uFEFFb"), end};
    QTest::newRow("Shift-JIS") << QByteArray("\x97\x83\x8C\x5E\r\n") << false
                               << QStringList{QStringLiteral("翼型"), end};
    QTest::newRow("a lone CR stays in the line")
        << QByteArray("a\rb\n") << false << QStringList{"a\rb", end};
    QTest::newRow("a line too long, named with its number")
        << QByteArray("ok\n") + QByteArray(TextInput::MaxLineChars + 1, 'x') + "\nnext\n"
        << false << QStringList{"ok", "!Line 2 of f.txt is too long."};
    QTest::newRow("the longest line")
        << QByteArray(TextInput::MaxLineChars, 'y') + "\n"
        << false << QStringList{QString(TextInput::MaxLineChars, u'y'), end};
    QTest::newRow("the longest line, in characters of three bytes")
        << QString(TextInput::MaxLineChars, u'\u3042').toUtf8() + "\r\n"
        << false << QStringList{QString(TextInput::MaxLineChars, u'\u3042'), end};
    QTest::newRow("items: commas, line ends, blanks and tabs")
        << QByteArray(" 1 , \t2 \r\n\t3, \r\n\r\n4") << true << QStringList{"1", "2", "3", "4", end};
    QTest::newRow("items: quotes hold commas, what follows them is dropped")
        << QByteArray("\"a,b\"x, \"c\"\r\nd\n") << true << QStringList{"a,b", "c", "d", end};
    QTest::newRow("items: an empty item between commas")
        << QByteArray("1,,2\n") << true << QStringList{"1", "", "2", end};
    QTest::newRow("items: cut at their limit")
        << QByteArray(TextInput::MaxItemBytes + 5, '7') + ",8" << true
        << QStringList{QString(TextInput::MaxItemBytes, u'7'), "8", end};
}

void TestTextInput::reads() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, items);
    QFETCH(QStringList, expected);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(lines(buffer, items), expected);
}

void TestTextInput::readErrorNamesFile() {
    for (const bool items : {false, true}) {
        FailingDevice device("first\n");
        const QStringList got = lines(device, items);
        QCOMPARE(got.size(), 2);
        QCOMPARE(got.last(), QStringLiteral("!Cannot read file f.txt: Input/output error"));
    }
}

QTEST_GUILESS_MAIN(TestTextInput)
#include "tst_textinput.moc"
