#pragma once

#include <QDialog>
#include <QIcon>

#include <array>

class QListWidget;
class QListWidgetItem;
class QPushButton;

// The "Add File" dialog: a new, empty document or an existing file. Not modal; "Add" and a double
// click on the list run `add`, then hide the dialog, which keeps its selection for next time.
// Closing it through its frame discards it.
class Addfile : public QDialog {
    Q_OBJECT
public:
    explicit Addfile(std::function<void()> add, QWidget* parent = nullptr);

    QListWidget* ListView1 = nullptr;
    QPushButton* Command1 = nullptr; // Cancel
    QPushButton* Command2 = nullptr; // Add
    // The two list icons: "New File" and "Open File".
    std::array<QIcon, 2> ImageList2;

    // Key of the selected item ("New" or "Exist"), empty when none is selected.
    QString selectedKey() const;

    void Command1_Click();
    void Command2_Click();
    void ListView1_DblClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape: the same as Cancel.
    void reject() override;

private:
    void Form_Load();
    std::function<void()> m_add;
};
