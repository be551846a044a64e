#include "ui/ImageList.h"

QIcon builtInImage(const QString& name) {
    QIcon icon(QStringLiteral(":/images/%1.xpm").arg(name));
    icon.addFile(QStringLiteral(":/images/%1@2x.xpm").arg(name));
    return icon;
}

QIcon applicationIcon() {
    QIcon icon(QStringLiteral(":/veldra-studio.svg"));
    // Without Qt's SVG icon engine the pixel images serve every size.
    if (icon.isNull())
        return builtInImage(QStringLiteral("app"));
    icon.addFile(QStringLiteral(":/images/app.xpm"));
    return icon;
}

ImageList::ImageList() {
    for (int i = 0; i < Count; ++i)
        m_images[i] = builtInImage(QStringLiteral("image%1").arg(i + 1, 2, 10, QLatin1Char('0')));
}

QIcon ImageList::image(int number) const {
    if (number < 1 || number > Count)
        return QIcon();
    return m_images[number - 1];
}
