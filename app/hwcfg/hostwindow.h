#pragma once

#include <QMainWindow>
#include <QSet>

class QLabel;
class QListWidget;

// The demo host's window: the parent of the properties dialog, told by the plug-in when a
// field bus is switched on or off (addBusLine, invoked by name). It can be set to refuse the
// lines of some buses, as a host that cannot draw them would; the plug-in then keeps the
// bus as it was.
class HostWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HostWindow(const QString& title, QWidget* parent = nullptr);

    // What the window was told, oldest first: "EtherCAT on", "QBUS off (refused)", ...
    QStringList busLines() const;

    // Bus kinds whose lines addBusLine refuses.
    void setRefusedBuses(const QSet<int>& busKinds) { m_refused = busKinds; }

    static QString busName(int busKind);
    // A bus kind from its number (0..3) or name ("canopen", "ethercat", "qbus", "eip"); -1
    // when it is neither.
    static int busKind(const QString& text);

public slots:
    // False when the window refuses the line.
    bool addBusLine(int busKind, bool enabled);

private:
    QListWidget* m_lines;
    QSet<int> m_refused;
};
