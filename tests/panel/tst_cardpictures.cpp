// SPDX-License-Identifier: GPL-3.0-or-later
// The drawn card pictures: sizes, one distinct picture per card, suit colours, the back.
#include "panel/cardpictures.h"

#include "engine/cards.h"

#include <QColor>
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

bool isRed(QRgb pixel)
{
    return qAlpha(pixel) > 200 && qRed(pixel) > 150 && qGreen(pixel) < 100 && qBlue(pixel) < 110;
}

int countPixels(const QImage &picture, bool (*test)(QRgb))
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

bool isLight(QRgb pixel)
{
    return qAlpha(pixel) > 200 && qGray(pixel) > 200;
}

QByteArray bytesOf(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    return QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
}

} // namespace

class TestCardPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizes_data();
    void sizes();
    void everyPictureDistinct();
    void suitColours_data();
    void suitColours();
    void backIsDarkFacesAreLight();
    void indexesWithoutPicture_data();
    void indexesWithoutPicture();
    void picturesAreCached();
};

void TestCardPictures::sizes_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1x screen") << 1.0;
    QTest::newRow("1.5x screen") << 1.5;
    QTest::newRow("2x screen") << 2.0;
}

void TestCardPictures::sizes()
{
    QFETCH(qreal, ratio);
    for (int index = 0; index <= tallowby::kCardCount; ++index) {
        const QImage large = cardpictures::paintLargeCard(index, ratio);
        QCOMPARE(large.deviceIndependentSize().toSize(), cardpictures::kLargeSize);
        QCOMPARE(large.size(), cardpictures::kLargeSize * ratio);
        // Rounded corners leave the very corner pixel clear, so the panel colour shows.
        QCOMPARE(qAlpha(large.pixel(0, 0)), 0);
        if (index == 0)
            continue;
        const QImage small = cardpictures::paintSmallCard(index, ratio);
        QCOMPARE(small.deviceIndependentSize().toSize(), cardpictures::kSmallSize);
        QCOMPARE(small.size(), cardpictures::kSmallSize * ratio);
        QCOMPARE(qAlpha(small.pixel(0, 0)), 0);
    }
    QCOMPARE(cardpictures::smallCard(1).deviceIndependentSize().toSize(), cardpictures::kSmallSize);
    QCOMPARE(cardpictures::largeCard(0).deviceIndependentSize().toSize(), cardpictures::kLargeSize);
}

void TestCardPictures::everyPictureDistinct()
{
    QSet<QByteArray> large;
    QSet<QByteArray> small;
    for (int index = 0; index <= tallowby::kCardCount; ++index) {
        large.insert(bytesOf(cardpictures::largeCard(index).toImage()));
        if (index > 0)
            small.insert(bytesOf(cardpictures::smallCard(index).toImage()));
    }
    QCOMPARE(large.size(), cardpictures::kLargeCount);
    QCOMPARE(small.size(), tallowby::kCardCount);
}

void TestCardPictures::suitColours_data()
{
    QTest::addColumn<int>("suit");
    QTest::addColumn<bool>("red");
    QTest::newRow("spades") << 0 << false;
    QTest::newRow("diamonds") << 1 << true;
    QTest::newRow("clubs") << 2 << false;
    QTest::newRow("hearts") << 3 << true;
}

void TestCardPictures::suitColours()
{
    QFETCH(int, suit);
    QFETCH(bool, red);
    for (int value = 1; value <= 13; ++value) {
        const int index = tallowby::cardIndex(value, suit);
        const QString card = QString::fromStdString(tallowby::cardName(index));
        const int smallRed = countPixels(cardpictures::smallCard(index).toImage(), isRed);
        const int largeRed = countPixels(cardpictures::largeCard(index).toImage(), isRed);
        if (red) {
            // Rank and symbol together cover far more than a stray antialiased edge would.
            QVERIFY2(smallRed > 30, qPrintable(card));
            QVERIFY2(largeRed > 150, qPrintable(card));
        } else {
            QVERIFY2(smallRed == 0, qPrintable(card));
            QVERIFY2(largeRed == 0, qPrintable(card));
        }
    }
}

void TestCardPictures::backIsDarkFacesAreLight()
{
    const int area = cardpictures::kLargeSize.width() * cardpictures::kLargeSize.height();
    QVERIFY(countPixels(cardpictures::largeCard(0).toImage(), isLight) < area / 3);
    for (int index = 1; index <= tallowby::kCardCount; ++index)
        QVERIFY2(countPixels(cardpictures::largeCard(index).toImage(), isLight) > area / 2,
                 tallowby::cardName(index).c_str());
}

void TestCardPictures::indexesWithoutPicture_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("largeExists");
    QTest::newRow("0") << 0 << true;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("53") << 53 << false;
}

void TestCardPictures::indexesWithoutPicture()
{
    QFETCH(int, index);
    QFETCH(bool, largeExists);
    // The deck has no small picture of the back; the slot list ends at 52.
    QVERIFY(cardpictures::smallCard(index).isNull());
    QVERIFY(cardpictures::paintSmallCard(index, 1.0).isNull());
    QCOMPARE(!cardpictures::largeCard(index).isNull(), largeExists);
    QCOMPARE(!cardpictures::paintLargeCard(index, 1.0).isNull(), largeExists);
}

void TestCardPictures::picturesAreCached()
{
    QCOMPARE(cardpictures::smallCard(7).cacheKey(), cardpictures::smallCard(7).cacheKey());
    QCOMPARE(cardpictures::largeCard(7).cacheKey(), cardpictures::largeCard(7).cacheKey());
    QVERIFY(cardpictures::smallCard(7).cacheKey() != cardpictures::smallCard(8).cacheKey());
}

QTEST_MAIN(TestCardPictures)
#include "tst_cardpictures.moc"
