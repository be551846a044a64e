#pragma once

#include <QIcon>

#include <array>

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
