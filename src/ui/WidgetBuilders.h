#pragma once

class QLabel;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

// Controls carry their control name as objectName, so that tests and tools find them, and their
// caption as accessible name.

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption);
// A text field that `label` names: the label's caption is its accessible name and the label's
// mnemonic moves the focus to it.
QLineEdit* makeField(QWidget* parent, const char* name, QLabel* label);
