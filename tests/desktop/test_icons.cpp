// The installed desktop icons: the 32-pixel one is the program icon, the 48-pixel one scaled unsmoothed.
#include <QImage>
#include <QSet>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT

    static QImage rgb(const QString &file) { return QImage(file).convertToFormat(QImage::Format_RGB32); }
    static QSet<QRgb> colours(const QImage &image)
    {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
        return QSet<QRgb>(pixels, pixels + image.width() * image.height());
    }

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // Each icon has its size and only the program icon's colours, which smoothing would blend.
    void icons()
    {
        const QImage programIcon = rgb(QStringLiteral(PROGRAM_ICON));
        for (int size : {32, 48}) {
            const QImage icon = rgb(QStringLiteral(ICON_FOLDER "/%1x%1/apps/cz.tolmar.korvo.png").arg(size));
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY(colours(programIcon).contains(colours(icon)));
        }
        QCOMPARE(rgb(QStringLiteral(ICON_FOLDER "/32x32/apps/cz.tolmar.korvo.png")), programIcon);
    }
};

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
