#include "platform/QtCommonDialog.h"

#include "platform/FileFilters.h"
#include "platform/PromptParent.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QSettings>

QtCommonDialog::QtCommonDialog() {
    // Qt's file dialog keeps its history in the per-user settings of "QtProject"; aiming those
    // at a path below a device file, where no folder can ever be made, keeps it from writing.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
}

void QtCommonDialog::ShowOpen() {
    showFileDialog(false);
}

void QtCommonDialog::ShowSave() {
    showFileDialog(true);
}

void QtCommonDialog::showFileDialog(bool save) {
    QFileDialog dialog(promptParent(m_parent));
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
    const QString documentFolder = m_documentFolder ? m_documentFolder() : QString();
    const QString startFolder = documentFolder.isEmpty() ? m_lastFolder : documentFolder;
    if (!startFolder.isEmpty())
        dialog.setDirectory(startFolder);
    if (!FileName.isEmpty())
        dialog.selectFile(FileName);
    FileName.clear();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty()) {
        FileName = chosen.first();
        m_lastFolder = QFileInfo(FileName).absolutePath();
    }
}

bool QtCommonDialog::ShowFont() {
    QFont initial(Font.name);
    if (Font.pointSize > 0)
        initial.setPointSizeF(Font.pointSize);
    initial.setBold(Font.bold);
    initial.setItalic(Font.italic);
    // Underline and strike-out are neither offered nor applied. Qt has no option that drops
    // them, so the dialog is Qt's own (not the platform's) with its group of check boxes hidden.
    QFontDialog dialog(initial, promptParent(m_parent));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    // The sample beside them keeps their height, or the layout squeezes it to nothing.
    int effectsHeight = 0;
    const QList<QGroupBox*> groups = dialog.findChildren<QGroupBox*>();
    for (QGroupBox* group : groups) {
        if (!group->findChildren<QCheckBox*>().isEmpty()) {
            effectsHeight = group->sizeHint().height();
            group->hide();
        }
    }
    for (QGroupBox* group : groups) {
        if (!group->isHidden())
            group->setMinimumHeight(effectsHeight);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = dialog.selectedFont();
    Font = FontChoice{chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic()};
    return true;
}

bool QtCommonDialog::ShowColor() {
    const QColor chosen =
        QColorDialog::getColor(Color.isValid() ? Color : QColor(Qt::white), promptParent(m_parent));
    if (!chosen.isValid())
        return false;
    Color = chosen;
    return true;
}
