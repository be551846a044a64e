#pragma once

#include <QIcon>

#include <array>

// A built-in image by its name in resources/images, with its twice-as-large copy, so that it
// stays sharp on a screen at scale 2.
QIcon builtInImage(const QString& name);

// The application's icon: drawn from its scalable picture, the 32-pixel image where that size is
// asked for.
QIcon applicationIcon();

// ImageList1: the twelve 16 x 16 images shared by the toolbar, the project tree and the
// procedure list, numbered from 1.
class ImageList {
public:
    static constexpr int Count = 12;
    ImageList();
    // The image with the given number, or a null icon for a number outside 1 to 12.
    QIcon image(int number) const;

private:
    std::array<QIcon, Count> m_images;
};
