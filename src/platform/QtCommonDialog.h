#pragma once

#include "platform/CommonDialog.h"

#include <QString>

#include <functional>

class QWidget;

// The common dialog on Qt's own file, font and colour dialogs. File dialogs start in the active
// document's folder, else in the last folder chosen in this run. Qt's own dialog history is not
// kept: nothing is written outside the application folder.
class QtCommonDialog : public CommonDialog {
public:
    QtCommonDialog();
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    // Gives the active document's folder, or an empty text when it has none.
    void setDocumentFolder(std::function<QString()> documentFolder) {
        m_documentFolder = std::move(documentFolder);
    }

    void ShowOpen() override;
    void ShowSave() override;
    bool ShowFont() override;
    bool ShowColor() override;

private:
    void showFileDialog(bool save);
    QWidget* m_parent = nullptr;
    std::function<QString()> m_documentFolder;
    QString m_lastFolder;
};
