#include "tools/customizetools.h"

#include "core/DisplayText.h"
#include "core/ListField.h"
#include "tools/ToolCommands.h"
#include "ui/WidgetBuilders.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>
#include <limits>

namespace {

// Values have no length limit; a shorter field would cut them on "Apply".
QLineEdit* addField(QWidget* parent, const char* name, QLabel* label) {
    QLineEdit* field = makeField(parent, name, label);
    field->setMinimumWidth(320);
    field->setMaxLength(std::numeric_limits<int>::max());
    return field;
}

} // namespace

customizetools::customizetools(HostWindow& host, ToolCommands& commands)
    : StandInDialog(host, false), m_commands(commands) {
    setObjectName(QStringLiteral("customizetools"));
    setWindowTitle(QStringLiteral("Customize Tools"));
    setAccessibleName(windowTitle());

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Tool number"));
    Text1->setFixedWidth(48);
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(QStringLiteral("Tool number"));
    HScroll1->setRange(1, ToolSlots::Count);
    HScroll1->setPageStep(1);
    HScroll1->setValue(1);
    // Reachable by keyboard; a scroll bar's controls are inverted for vertical use, which would
    // make Right go down.
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1->setInvertedControls(false);

    Label3 = makeLabel(this, "Label3", QStringLiteral("Program Name"));
    Text4 = addField(this, "Text4", Label3);
    Label1 = makeLabel(this, "Label1", QStringLiteral("Program Location:"));
    Text2 = addField(this, "Text2", Label1);
    Label2 = makeLabel(this, "Label2", QStringLiteral("Parameters"));
    Text3 = addField(this, "Text3", Label2);

    Command2 = makeButton(this, "Command2", QStringLiteral("Apply"));
    Command2->setDefault(true);
    Command1 = makeButton(this, "Command1", QStringLiteral("Close"));

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    auto* slotRow = new QHBoxLayout();
    slotRow->addWidget(Text1);
    slotRow->addWidget(HScroll1, 1);
    grid->addLayout(slotRow, 0, 0, 1, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(Text4, 1, 1);
    grid->addWidget(Label1, 2, 0);
    grid->addWidget(Text2, 2, 1);
    grid->addWidget(Label2, 3, 0);
    grid->addWidget(Text3, 3, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    grid->addLayout(buttons, 4, 0, 1, 2);

    connect(HScroll1, &QScrollBar::valueChanged, this, &customizetools::HScroll1_Change);
    connect(Text1, &QLineEdit::textChanged, this, &customizetools::Text1_Change);
    connect(Command2, &QPushButton::clicked, this, &customizetools::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &customizetools::Command1_Click);

    // Setting the slot number goes through Text1_Change, so the fields show slot 1 from the
    // start: empty fields would be stored over slot 1 by an early "Apply".
    Text1->setText(QStringLiteral("1"));
}

void customizetools::ShowToolSlot(int n) {
    const ToolSlot& slot = m_commands.toolSlots()[n];
    m_wholeValues.clear();
    showValue(Text4, slot.ProgramName);
    showValue(Text2, slot.ProgramLocation);
    showValue(Text3, slot.Parameters);
}

void customizetools::showValue(QLineEdit* field, const QString& value) {
    const QString shown = displayedText(value);
    if (shown.size() != value.size())
        m_wholeValues.insert(field, value);
    field->setText(shown);
}

QString customizetools::valueOf(const QLineEdit* field) const {
    const auto whole = m_wholeValues.constFind(field);
    if (whole != m_wholeValues.cend() && field->text() == displayedText(*whole))
        return *whole;
    return field->text();
}

void customizetools::HScroll1_Change() {
    Text1->setText(QLatin1Char(' ') + QString::number(HScroll1->value()));
    ShowToolSlot(HScroll1->value());
}

void customizetools::Text1_Change() {
    const double value = leadingNumber(Text1->text());
    if (!(value >= HScroll1->minimum() && value <= HScroll1->maximum()))
        return;
    // The nearest whole number; a half goes to the even neighbour (the default rounding mode).
    const int n = static_cast<int>(std::nearbyint(value));
    HScroll1->setValue(n);
    ShowToolSlot(n);
}

void customizetools::Command2_Click() {
    ToolSlot& slot = m_commands.toolSlots()[HScroll1->value()];
    slot.ProgramName = valueOf(Text4);
    slot.ProgramLocation = valueOf(Text2);
    slot.Parameters = valueOf(Text3);
}

void customizetools::Command1_Click() {
    m_commands.RefreshToolsMenu();
    leave();
}
