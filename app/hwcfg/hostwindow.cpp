#include "hostwindow.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

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

void HostWindow::addBusLine(int busKind, bool enabled)
{
    m_lines->addItem(QStringLiteral("%1 %2").arg(busName(busKind), enabled ? "on" : "off"));
}

QStringList HostWindow::busLines() const
{
    QStringList lines;
    for (int i = 0; i < m_lines->count(); ++i)
        lines.append(m_lines->item(i)->text());
    return lines;
}
