#pragma once

#include "platform/CommonDialog.h"

class QWidget;

// The common dialog on Qt's own file, font and colour dialogs.
class QtCommonDialog : public CommonDialog {
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void ShowOpen() override;
    void ShowSave() override;
    bool ShowFont() override;
    bool ShowColor() override;

private:
    void showFileDialog(bool save);
    QWidget* m_parent = nullptr;
};
