// Writes the desktop icons from the program's 32 x 32 icon: PNG files of 32
// and 48 pixels, the larger one scaled by repeating pixels (no smoothing),
// so that it stays as crisp as the original.
// Usage: make_icons ICON.xpm OUTPUT_FOLDER
#include <QDir>
#include <QImage>

#include <cstdio>
#include <cstdlib>

namespace {

bool writeIcon(const QImage &icon, int size, const QDir &folder)
{
    const QString name = folder.filePath(QStringLiteral("%1x%1/korvo.png").arg(size));
    const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return folder.mkpath(QStringLiteral("%1x%1").arg(size)) && scaled.save(name, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: make_icons ICON.xpm OUTPUT_FOLDER\n", stderr);
        return EXIT_FAILURE;
    }
    const QImage icon = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    if (icon.size() != QSize(32, 32) || !writeIcon(icon, 32, folder) || !writeIcon(icon, 48, folder)) {
        std::fprintf(stderr, "make_icons: cannot make the icons of %s in %s\n", argv[1], argv[2]);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
