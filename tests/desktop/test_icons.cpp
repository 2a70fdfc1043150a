// The desktop icons: the 32-pixel one is the program icon, the 48-pixel one scaled unsmoothed.
#include <QImage>
#include <QSet>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT

    static QImage rgb(const QString &file) { return QImage(file).convertToFormat(QImage::Format_RGB32); }
    static QSet<QRgb> colours(const QImage &image)
    {
        QSet<QRgb> found;
        for (int pixel = 0; pixel < image.width() * image.height(); ++pixel)
            found.insert(image.pixel(pixel % image.width(), pixel / image.width()));
        return found;
    }

private slots:
    // Each icon has its size and only the program icon's colours, which smoothing would blend.
    void icons()
    {
        const QImage programIcon = rgb(QStringLiteral(PROGRAM_ICON));
        for (int size : {32, 48}) {
            const QImage icon = rgb(QStringLiteral(ICON_FOLDER "/%1x%1/korvo.png").arg(size));
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY(colours(programIcon).contains(colours(icon)));
        }
        QCOMPARE(rgb(QStringLiteral(ICON_FOLDER "/32x32/korvo.png")), programIcon);
    }
};

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
