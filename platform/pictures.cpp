// Loading the pictures.
#include "platform/pictures.h"

namespace platform {
namespace {

QImage picture(const char *name)
{
    return QImage(QStringLiteral(":/korvo/%1.xpm").arg(QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage snakePicture()
{
    return picture("snake");
}

QImage foodPicture()
{
    return picture("food");
}

QImage wallPicture()
{
    return picture("wall");
}

QIcon programIcon()
{
    return QIcon(QPixmap::fromImage(picture("korvo")));
}

} // namespace platform
