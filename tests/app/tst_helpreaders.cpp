// SPDX-License-Identifier: GPL-3.0-or-later
// Readers of help files fed with hostile input: the topic lists and the container check that
// runs before the help library sees a file.
#include "app/chmarchive.h"
#include "app/chmcheck.h"
#include "app/helpsitemap.h"
#include "app/paths.h"
#include "testfiles.h"

#include <QtEndian>
#include <QtTest>

#include <functional>

namespace {

QByteArray entry(int level)
{
    return QByteArrayLiteral(R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="L)") +
           QByteArray::number(level) + QByteArrayLiteral(R"("></OBJECT>)");
}

// Lists nested `depth` levels deep, one entry on each level.
QByteArray nestedSitemap(int depth)
{
    QByteArray text;
    for (int level = 1; level <= depth; ++level)
        text += QByteArrayLiteral("<UL>") + entry(level);
    for (int level = 1; level <= depth; ++level)
        text += QByteArrayLiteral("</UL>");
    return text;
}

// How deep the entries go, walked without recursion.
int depthOf(const QList<HelpTopic> &topics)
{
    int depth = 0;
    const QList<HelpTopic> *level = &topics;
    while (!level->isEmpty()) {
        ++depth;
        level = &level->front().children;
    }
    return depth;
}

void put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void put64(QByteArray &bytes, qsizetype at, quint64 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

quint64 getBytes(const QByteArray &bytes, qsizetype at, int count)
{
    quint64 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | uchar(bytes.at(at + i));
    return value;
}

quint32 get32(const QByteArray &bytes, qsizetype at)
{
    return quint32(getBytes(bytes, at, 4));
}

// Where the parts of the built help file lie.
struct Layout
{
    qsizetype directory = 0;  // the directory header
    qsizetype firstChunk = 0; // the first directory chunk
    qsizetype control = -1;   // the compression record
    qsizetype resetTable = -1;
};

Layout layoutOf(const QByteArray &help)
{
    Layout layout;
    layout.directory = qsizetype(getBytes(help, 0x48, 8));
    layout.firstChunk = layout.directory + 0x54;
    if (const qsizetype lzxc = help.indexOf("LZXC"); lzxc >= 4)
        layout.control = lzxc - 4;
    // The reset table: version 2, its addresses at 0x28, blocks of 0x8000 bytes.
    for (qsizetype at = 0; at + 0x28 <= help.size(); ++at) {
        if (get32(help, at) == 2 && get32(help, at + 0xC) == 0x28 &&
            getBytes(help, at + 0x20, 8) == 0x8000) {
            layout.resetTable = at;
            break;
        }
    }
    return layout;
}

// A help container of directory chunks only, each 0x200 bytes, with the index root and first
// listing given; `fill` writes the chunks' contents.
QByteArray syntheticContainer(int chunks, qint32 indexRoot,
                              const std::function<void(QByteArray &, qsizetype)> &fill)
{
    constexpr qsizetype chunkSize = 0x200;
    constexpr qsizetype directory = 0x60;
    const qsizetype directoryLength = 0x54 + chunks * chunkSize;
    QByteArray bytes(directory + directoryLength, '\0');
    bytes.replace(0, 4, "ITSF");
    put32(bytes, 4, 3);
    put32(bytes, 8, 0x60);
    put64(bytes, 0x48, directory);
    put64(bytes, 0x50, quint64(directoryLength));
    put64(bytes, 0x58, quint64(bytes.size()));
    bytes.replace(directory, 4, "ITSP");
    put32(bytes, directory + 4, 1);
    put32(bytes, directory + 8, 0x54);
    put32(bytes, directory + 0x10, chunkSize);
    put32(bytes, directory + 0x1C, quint32(indexRoot));
    put32(bytes, directory + 0x20, 0);
    fill(bytes, directory + 0x54);
    return bytes;
}

// A listing chunk with one entry in the stored section, and its next listing.
void writeListing(QByteArray &bytes, qsizetype at, qint32 next)
{
    bytes.replace(at, 4, "PMGL");
    const QByteArray entry = QByteArrayLiteral("\x02/a\x00\x00\x00");
    bytes.replace(at + 0x14, entry.size(), entry);
    put32(bytes, at + 4, quint32(0x200 - 0x14 - entry.size()));
    put32(bytes, at + 0xC, quint32(-1));
    put32(bytes, at + 0x10, quint32(next));
}

// An index chunk whose entries name the given chunks.
void writeIndex(QByteArray &bytes, qsizetype at, const QList<int> &targets)
{
    bytes.replace(at, 4, "PMGI");
    QByteArray entries;
    for (const int target : targets)
        entries += QByteArrayLiteral("\x02/a") + char(target);
    bytes.replace(at + 8, entries.size(), entries);
    put32(bytes, at + 4, quint32(0x200 - 8 - entries.size()));
}

} // namespace

class TestHelpReaders : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deepSitemapsStopWithAMessage_data();
    void deepSitemapsStopWithAMessage();

    void damagedContainersAreRefused_data();
    void damagedContainersAreRefused();
    void syntheticContainers_data();
    void syntheticContainers();
};

void TestHelpReaders::deepSitemapsStopWithAMessage_data()
{
    QTest::addColumn<QByteArray>("sitemap");
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("refused");
    QTest::newRow("64 levels") << nestedSitemap(64) << 64 << false;
    QTest::newRow("65 levels") << nestedSitemap(65) << 64 << true;
    QTest::newRow("200000 levels") << nestedSitemap(200000) << 64 << true;
    QTest::newRow("200000 lists opened before one entry")
        << QByteArray(200000 * 4, 'x').replace("xxxx", "<UL>") + entry(1) << 1 << false;
    // Tags that never close: each match attempt must stop at the next "<".
    QTest::newRow("200000 unclosed tags")
        << QByteArray(200000 * 3, 'x').replace("xxx", "<ul") + nestedSitemap(2) << 2 << false;
    QTest::newRow("200000 unclosed objects")
        << nestedSitemap(1) + QByteArray(200000 * 7, 'x').replace("xxxxxxx", "<object") << 1
        << false;
}

void TestHelpReaders::deepSitemapsStopWithAMessage()
{
    QFETCH(QByteArray, sitemap);
    QFETCH(int, depth);
    QFETCH(bool, refused);
    QString error;
    const QList<HelpTopic> topics = parseSitemap(sitemap, &error);
    QCOMPARE(depthOf(topics), depth);
    QCOMPARE(!error.isEmpty(), refused);
    if (refused)
        QVERIFY2(error.contains(QLatin1String("64 levels")), qPrintable(error));
    QCOMPARE(firstLocalPage(topics), QString());
}

using Damage = std::function<void(QByteArray &, const Layout &)>;

// One to four bytes of the shipped help file changed, each of a kind that ends the help
// library with a division by zero, a wild read or an endless walk.
void TestHelpReaders::damagedContainersAreRefused_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<QString>("reason"); // empty: the file is sound

    const auto chunkField = [](qsizetype field, quint32 value) {
        return Damage(
            [=](QByteArray &b, const Layout &l) { put32(b, l.firstChunk + field, value); });
    };
    const auto directoryField = [](qsizetype field, quint32 value) {
        return Damage(
            [=](QByteArray &b, const Layout &l) { put32(b, l.directory + field, value); });
    };
    const auto controlField = [](qsizetype field, quint32 value) {
        return Damage([=](QByteArray &b, const Layout &l) { put32(b, l.control + field, value); });
    };
    const auto resetField = [](qsizetype field, quint32 value) {
        return Damage(
            [=](QByteArray &b, const Layout &l) { put32(b, l.resetTable + field, value); });
    };
    QTest::newRow("unchanged") << Damage([](QByteArray &, const Layout &) {}) << QString();
    QTest::newRow("listing names itself as the next")
        << chunkField(0x10, 0) << "comes back to chunk 0";
    QTest::newRow("listing names chunk 900 as the next")
        << chunkField(0x10, 900) << "as the next one";
    QTest::newRow("listing with more free space than bytes")
        << chunkField(4, 0xFFFF) << "more free space";
    QTest::newRow("listing's magic changed") << chunkField(0, 0x4C474D51) << "is not a listing";
    QTest::newRow("listing without free space") << chunkField(4, 0) << "runs past its end";
    QTest::newRow("chunk size 0") << directoryField(0x10, 0) << "chunks are 0 bytes";
    QTest::newRow("chunk size 4 GiB") << directoryField(0x10, 0xFFFFFFFF) << "chunks are";
    QTest::newRow("index root 7000") << directoryField(0x1C, 7000) << "as its index";
    QTest::newRow("first listing -5") << directoryField(0x20, quint32(-5)) << "first listing";
    QTest::newRow("directory beyond the file")
        << Damage([](QByteArray &b, const Layout &) { put32(b, 0x4C, 1); }) << "outside the file";
    QTest::newRow("stored section beyond the file")
        << Damage([](QByteArray &b, const Layout &) { put32(b, 0x5C, 1); }) << "beyond the end";
    QTest::newRow("header version 9")
        << Damage([](QByteArray &b, const Layout &) { put32(b, 4, 9); }) << "version 9";
    QTest::newRow("window size 0") << controlField(0x10, 0) << "compression window of 0";
    QTest::newRow("window size 3") << controlField(0x10, 3) << "compression window";
    QTest::newRow("reset interval 0") << controlField(0xC, 0) << "reset interval";
    QTest::newRow("windows per reset 0") << controlField(0x14, 0) << "reset interval";
    QTest::newRow("compression record 4 GiB long")
        << controlField(0, 0xFFFFFFFF) << QString(); // its own length field is not used
    QTest::newRow("reset blocks of 0 bytes") << resetField(0x20, 0) << "blocks of 0 bytes";
    QTest::newRow("reset table with 1000000 blocks")
        << resetField(4, 1000000) << "run past its end";
    QTest::newRow("reset table without blocks") << resetField(4, 0) << "too few blocks";
    QTest::newRow("compressed section 4 GiB long")
        << resetField(0x1C, 1) << "longer than its content";
    QTest::newRow("reset table version 3") << resetField(0, 3) << "unknown version";
}

void TestHelpReaders::damagedContainersAreRefused()
{
    QFETCH(Damage, damage);
    QFETCH(QString, reason);
    QByteArray help = readFile(helpFilePath());
    QVERIFY2(help.size() > 2000, qPrintable(helpFilePath()));
    const Layout layout = layoutOf(help);
    QVERIFY(layout.control > 0 && layout.resetTable > 0);
    damage(help, layout);

    const QString problem =
        QString::fromStdString(checkChmContainer({help.constData(), std::size_t(help.size())}));
    QVERIFY2(problem.contains(reason) && problem.isEmpty() == reason.isEmpty(),
             qPrintable(problem));

    // The archive reports the damage and the path, and never hands the file to the library.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("damaged.chm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(help) == help.size());
    file.close();
    const ChmArchive archive(path);
    QCOMPARE(archive.isOpen(), reason.isEmpty());
    if (!reason.isEmpty()) {
        QVERIFY2(archive.errorString().contains(QLatin1String("is damaged")) &&
                     archive.errorString().contains(path),
                 qPrintable(archive.errorString()));
    }
}

void TestHelpReaders::syntheticContainers_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("one listing") << syntheticContainer(1, -1, [](QByteArray &b, qsizetype at) {
        writeListing(b, at, -1);
    }) << QString();
    QTest::newRow("index over two listings")
        << syntheticContainer(3, 2,
                              [](QByteArray &b, qsizetype at) {
                                  writeListing(b, at, 1);
                                  writeListing(b, at + 0x200, -1);
                                  writeIndex(b, at + 0x400, {0, 1});
                              })
        << QString();
    QTest::newRow("index naming itself")
        << syntheticContainer(2, 1,
                              [](QByteArray &b, qsizetype at) {
                                  writeListing(b, at, -1);
                                  writeIndex(b, at + 0x200, {0, 1});
                              })
        << "index comes back to chunk 1";
    QTest::newRow("two indexes naming each other")
        << syntheticContainer(3, 1,
                              [](QByteArray &b, qsizetype at) {
                                  writeListing(b, at, -1);
                                  writeIndex(b, at + 0x200, {2});
                                  writeIndex(b, at + 0x400, {0, 1});
                              })
        << "index comes back to chunk 1";
    QTest::newRow("index naming chunk 9 of 2")
        << syntheticContainer(2, 1,
                              [](QByteArray &b, qsizetype at) {
                                  writeListing(b, at, -1);
                                  writeIndex(b, at + 0x200, {9});
                              })
        << "names chunk 9";
    QTest::newRow("index root that is empty")
        << syntheticContainer(2, 1, [](QByteArray &b, qsizetype at) { writeListing(b, at, -1); })
        << "neither a listing nor an index";
    QTest::newRow("two listings in a ring")
        << syntheticContainer(2, -1,
                              [](QByteArray &b, qsizetype at) {
                                  writeListing(b, at, 1);
                                  writeListing(b, at + 0x200, 0);
                              })
        << "comes back to chunk 0";
    QTest::newRow("object in section 7") << syntheticContainer(1, -1,
                                                               [](QByteArray &b, qsizetype at) {
                                                                   writeListing(b, at, -1);
                                                                   b[at + 0x17] = 7;
                                                               })
                                         << "section 7";
    QTest::newRow("stored object beyond the file")
        << syntheticContainer(1, -1,
                              [](QByteArray &b, qsizetype at) {
                                  writeListing(b, at, -1);
                                  b[at + 0x19] = 5;
                              })
        << "beyond the end of the file";
    QTest::newRow("compressed object without compression records")
        << syntheticContainer(1, -1,
                              [](QByteArray &b, qsizetype at) {
                                  writeListing(b, at, -1);
                                  b[at + 0x17] = 1;
                              })
        << "missing";
    QTest::newRow("name 600 bytes long") << syntheticContainer(1, -1,
                                                               [](QByteArray &b, qsizetype at) {
                                                                   writeListing(b, at, -1);
                                                                   b[at + 0x14] = char(0x84);
                                                                   b[at + 0x15] = 0x58;
                                                               })
                                         << "runs past its end";
    QTest::newRow("header only") << QByteArray("ITSF") << "does not begin";
}

void TestHelpReaders::syntheticContainers()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    const QString problem =
        QString::fromStdString(checkChmContainer({file.constData(), std::size_t(file.size())}));
    QVERIFY2(problem.contains(reason) && problem.isEmpty() == reason.isEmpty(),
             qPrintable(problem));
}

QTEST_GUILESS_MAIN(TestHelpReaders)
#include "tst_helpreaders.moc"
