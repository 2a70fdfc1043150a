// The desktop icons made from the program's icon: the 32-pixel one is the
// icon itself, the 48-pixel one scaled without smoothing.
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

QImage rgb(const QString &file)
{
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

QSet<QRgb> colours(const QImage &image)
{
    QSet<QRgb> found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            found.insert(image.pixel(x, y));
    }
    return found;
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void icons_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("32, the icon itself") << 32;
        QTest::newRow("48, pixels repeated") << 48;
    }
    // Each icon has its size and only the program icon's colours, which
    // smoothing would blend at every edge; the 32-pixel one is pixel for pixel the icon.
    void icons()
    {
        QFETCH(int, size);
        const QImage icon = rgb(QStringLiteral(ICON_FOLDER "/%1x%1/korvo.png").arg(size));
        const QImage programIcon = rgb(QStringLiteral(PROGRAM_ICON));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(colours(programIcon).contains(colours(icon)));
        if (size == programIcon.width())
            QCOMPARE(icon, programIcon);
    }
};

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
