// The sprite pictures, pixel for pixel, and the program icon's size.
#include "platform/pictures.h"

#include <QTest>

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void spritePictures_data();
    void spritePictures();
    void programIconIs32By32();
};

void TestPictures::spritePictures_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QString>("palette");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("snake") << platform::snakePicture() << QStringLiteral("K000000 G008000 B0080FF L00FF80 CFFFF80")
                           << QStringList{
                                  "KKKKGKKKK",
                                  "KKGGGGGKK",
                                  "KGGGBGGGK",
                                  "KGGCLCGGK",
                                  "GGBLLLBGG",
                                  "KGGCLCGGK",
                                  "KGGGBGGGK",
                                  "KKGGGGGKK",
                                  "KKKKGKKKK",
                              };
    QTest::newRow("food") << platform::foodPicture() << QStringLiteral("K000000 O808000 YFFFF00 WFFFFFF")
                          << QStringList{
                                 "KKKKKKKKK",
                                 "KKKOOOKKK",
                                 "KKOYYYOKK",
                                 "KOYYOYYOK",
                                 "KOYOWOYOK",
                                 "KOYYOYYOK",
                                 "KKOYYYOKK",
                                 "KKKOOOKKK",
                                 "KKKKKKKKK",
                             };
    QTest::newRow("wall") << platform::wallPicture() << QStringLiteral("K000000 RFF0000 D800000 PFF8080 O808000")
                          << QStringList{
                                 "RRKPRRKPR",
                                 "KDDDODDDK",
                                 "KPRROPRRK",
                                 "DDODDDODD",
                                 "RROPRROPR",
                                 "KDDDODDDK",
                                 "KPRROPRRK",
                                 "DDODDDODD",
                                 "RRKPRRKPR",
                             };
}

// Each picture is 9 x 9, opaque, and every pixel has its colour.
void TestPictures::spritePictures()
{
    QFETCH(QImage, picture);
    QFETCH(QString, palette);
    QFETCH(QStringList, rows);
    QHash<QChar, QRgb> colours;
    for (const QString &entry : palette.split(' '))
        colours.insert(entry.at(0), entry.mid(1).toUInt(nullptr, 16));

    QCOMPARE(picture.size(), QSize(9, 9));
    QVERIFY(!picture.hasAlphaChannel());
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const QRgb expected = colours.value(rows.at(y).at(x));
            QVERIFY2((picture.pixel(x, y) & 0xFFFFFF) == expected, qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        }
    }
}

// The icon comes in the one size it is drawn for.
void TestPictures::programIconIs32By32()
{
    const QIcon icon = platform::programIcon();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
