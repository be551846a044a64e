#include "shell/ImageList.h"

ImageList::ImageList() {
    for (int i = 0; i < Count; ++i)
        m_images[i] =
            QIcon(QStringLiteral(":/images/image%1.xpm").arg(i + 1, 2, 10, QLatin1Char('0')));
}

QIcon ImageList::image(int number) const {
    if (number < 1 || number > Count)
        return QIcon();
    return m_images[number - 1];
}
