// The sprite pictures and the program icon, from the compiled-in assets.
#pragma once

#include <QIcon>
#include <QImage>

namespace platform {

QImage snakePicture();
QImage foodPicture();
QImage wallPicture();
QIcon programIcon();

} // namespace platform
