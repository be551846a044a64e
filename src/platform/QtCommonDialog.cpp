#include "platform/QtCommonDialog.h"

#include "platform/FileFilters.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

void QtCommonDialog::ShowOpen() {
    showFileDialog(false);
}

void QtCommonDialog::ShowSave() {
    showFileDialog(true);
}

void QtCommonDialog::showFileDialog(bool save) {
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (Flags & FileMustExist)
        dialog.setFileMode(QFileDialog::ExistingFile);
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    if (!(Flags & OverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = qtNameFilters(Filter);
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[FilterIndex - 1]);
    if (!FileName.isEmpty())
        dialog.selectFile(FileName);
    FileName.clear();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty())
        FileName = chosen.first();
}

bool QtCommonDialog::ShowFont() {
    QFont initial(Font.name);
    if (Font.pointSize > 0)
        initial.setPointSizeF(Font.pointSize);
    initial.setBold(Font.bold);
    initial.setItalic(Font.italic);
    bool ok = false;
    // Underline, strike-out and colour are neither offered nor applied.
    const QFont chosen =
        QFontDialog::getFont(&ok, initial, m_parent, QString(), QFontDialog::DontUseNativeDialog);
    if (!ok)
        return false;
    Font = FontChoice{chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic()};
    return true;
}

bool QtCommonDialog::ShowColor() {
    const QColor chosen =
        QColorDialog::getColor(Color.isValid() ? Color : QColor(Qt::white), m_parent);
    if (!chosen.isValid())
        return false;
    Color = chosen;
    return true;
}
