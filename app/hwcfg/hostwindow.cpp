#include "hostwindow.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

const char* const kBusKeys[] = {"canopen", "ethercat", "qbus", "eip"};

} // namespace

HostWindow::HostWindow(const QString& title, QWidget* parent)
    : QMainWindow(parent)
    , m_lines(new QListWidget(this))
{
    setWindowTitle(title);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(new QLabel(tr("Bus lines drawn in the rack view:"), central));
    layout->addWidget(m_lines);
    setCentralWidget(central);
    resize(480, 320);
}

QString HostWindow::busName(int busKind)
{
    switch (busKind) {
    case 0:
        return QStringLiteral("CANopen");
    case 1:
        return QStringLiteral("EtherCAT");
    case 2:
        return QStringLiteral("QBUS");
    case 3:
        return QStringLiteral("Ethernet/IP");
    default:
        return QStringLiteral("bus %1").arg(busKind);
    }
}

int HostWindow::busKind(const QString& text)
{
    for (int kind = 0; kind < 4; ++kind) {
        if (text == QString::number(kind) ||
            text.compare(QLatin1String(kBusKeys[kind]), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return -1;
}

bool HostWindow::addBusLine(int busKind, bool enabled)
{
    const bool refused = m_refused.contains(busKind);
    QString line = QStringLiteral("%1 %2").arg(busName(busKind), enabled ? "on" : "off");
    if (refused)
        line += QStringLiteral(" (refused)");
    m_lines->addItem(line);
    return !refused;
}

QStringList HostWindow::busLines() const
{
    QStringList lines;
    for (int i = 0; i < m_lines->count(); ++i)
        lines.append(m_lines->item(i)->text());
    return lines;
}
