#pragma once
// Every picture the game ships, by its name below the data folder, drawn on demand: the build
// writes them as files, and the game draws them again at the size they are shown, sharp.

#include <QImage>
#include <QSize>
#include <QStringList>

namespace karven::pictures {

// "cls.dat", "img/color/0000.dat".., "img/tenkou/hare.bmp".., "img/anime/sta01.bmp"..
QStringList PictureNames();
// The picture of that name at its own size, or stretched to `size`; a null image for a name
// that is none of ours.
QImage DrawPicture(const QString& name, QSize size = {});

} // namespace karven::pictures
