#pragma once

#include <QMainWindow>

class QLabel;
class QListWidget;

// The demo host's window: the parent of the properties dialog, told by the plug-in when a
// field bus is switched on or off (addBusLine, invoked by name).
class HostWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HostWindow(const QString& title, QWidget* parent = nullptr);

    // What the window was told, oldest first: "EtherCAT on", ...
    QStringList busLines() const;

    static QString busName(int busKind);

public slots:
    void addBusLine(int busKind, bool enabled);

private:
    QListWidget* m_lines;
};
