#include "build/ConsolePane.h"

#include "build/TerminalScreen.h"
#include "build/TerminalView.h"
#include "platform/PtyProcess.h"

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

ConsolePane::ConsolePane(QWidget* parent)
    : QDockWidget(QStringLiteral("Console"), parent),
      m_screen(std::make_unique<TerminalScreen>(24, 80)) {
    setObjectName(QStringLiteral("Console"));
    setAccessibleName(QStringLiteral("Console"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);

    auto* content = new QWidget(this);
    m_view = new TerminalView(*m_screen, content);
    m_stop = new QPushButton(QStringLiteral("Stop"), content);
    m_stop->setObjectName(QStringLiteral("ConsoleStop"));
    m_stop->setAccessibleName(QStringLiteral("Stop"));
    m_stop->setToolTip(QStringLiteral("End the running program and everything it started"));
    m_stop->setEnabled(false);
    m_stop->setFocusPolicy(Qt::TabFocus);
    m_status = new QLabel(content);
    m_status->setObjectName(QStringLiteral("ConsoleStatus"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_status, 1);
    bar->addWidget(m_stop);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    setWidget(content);

    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (m_process != nullptr)
            m_process->stop();
        m_view->setFocus();
    });
    connect(m_view, &TerminalView::terminalSizeChanged, this, [this](QSize size) {
        if (m_process != nullptr)
            m_process->resize(size);
    });
    // Answers the terminal gives of itself (cursor position reports and the like) and the keys
    // the user types go to the program.
    m_screen->toProgram = [this](const char* bytes, size_t size) {
        if (m_process != nullptr)
            m_process->write(QByteArray(bytes, qsizetype(size)));
    };
}

ConsolePane::~ConsolePane() = default;

void ConsolePane::startBuild() {
    m_screen->reset();
    m_status->clear();
    show();
    raise();
    // The first time, the pane takes at most two fifths of the window's height, so that the
    // documents stay in view in a window of the design size.
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (!m_sized && window != nullptr) {
        m_sized = true;
        window->resizeDocks({this}, {std::min(sizeHint().height(), window->height() * 2 / 5)},
                            Qt::Vertical);
    }
    m_view->refresh();
}

QSize ConsolePane::terminalSize() const {
    if (!isVisible())
        return {80, 24};
    return m_view->terminalSize();
}

void ConsolePane::attach(PtyProcess& process) {
    m_process = &process;
    // The pane may have been laid out after the program got its size.
    process.resize(terminalSize());
    connect(&process, &PtyProcess::output, this, [this](const QByteArray& bytes) {
        m_screen->feed(bytes);
        m_view->scheduleRefresh();
    });
    m_status->setText(QStringLiteral("Running"));
    // While the program runs the pane stays, so that Stop stays at hand.
    setFeatures(features() & ~QDockWidget::DockWidgetClosable);
    m_stop->setEnabled(true);
    m_view->setInputEnabled(true);
    m_focusBefore = QApplication::focusWidget();
    m_view->setFocus();
}

void ConsolePane::detach(const QString& how) {
    if (m_process != nullptr)
        disconnect(m_process, nullptr, this, nullptr);
    m_process = nullptr;
    m_view->setInputEnabled(false);
    m_stop->setEnabled(false);
    setFeatures(features() | QDockWidget::DockWidgetClosable);
    // How it ended, on a line of its own after the output, in grey.
    const QPoint cursor = m_screen->cursor();
    const QString line = QStringLiteral("[Ended: %1]").arg(how);
    m_screen->feed((cursor.x() > 0 ? QByteArray("\r\n") : QByteArray()) + "\x1b[0;90m" +
                   line.toUtf8() + "\x1b[0m\r\n");
    m_status->setText(line);
    m_view->refresh();
    if (m_focusBefore != nullptr && m_view->hasFocus())
        m_focusBefore->setFocus();
    m_focusBefore = nullptr;
    QAccessibleEvent event(m_status, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
