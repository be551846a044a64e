#pragma once

#include <QDialog>

class NavigationCommands;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

// The procedure browser "Subs Browser". Shown without being modal and without taking the main
// window's input. Hidden by "Ok" and by "Goto sub..."; closed through its frame it is discarded.
class SubBrowser : public QDialog {
    Q_OBJECT
public:
    SubBrowser(QWidget* parent, NavigationCommands& commands);

    QLabel* Label1 = nullptr;
    QListWidget* ListView1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void Command1_Click();
    void ListView1_DblClick();
    void Command2_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape hides the dialog as "Ok" does.
    void reject() override;

private:
    NavigationCommands& m_commands;
};
