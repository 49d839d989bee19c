#pragma once

#include <corekit/corekit_global.h>

#include <QString>
#include <QWidget>

#include <array>

class QLineEdit;

// An IPv4 address or subnet mask input: four octet fields in one frame that looks like a
// single line edit. "." or a third digit moves on to the next octet, Backspace in an empty
// octet goes back, and a whole address pasted into any octet fills all four.
class COREKIT_EXPORT IpAddressWidget : public QWidget
{
    Q_OBJECT

public:
    // The kinds that checkIpValid knows.
    enum CheckKind {
        CheckAddress = 0, // a host address: first octet 1..223, not 127
        CheckMask = 1,    // a subnet mask; the IP address must be a host of that subnet
        CheckGateway = 2, // a host address in the subnet of the IP address
        CheckDns = 3,     // a host address
    };

    explicit IpAddressWidget(QWidget* parent = nullptr, bool maskMode = false);

    bool isMaskMode() const { return m_maskMode; }

    // "a.b.c.d"; parts may be empty (as getIpAddr gives them). Anything else clears.
    void setIpAddr(const QString& dotted);
    // "" when all octets are empty, else "a.b.c.d" with empty octets as empty parts.
    QString getIpAddr() const;
    // The first octet, -1 when it is empty.
    int getIpPart0() const;
    bool isEmpty() const;
    void clear();

    // "" when `address` is valid for `kind` (CheckKind), else a message for the user.
    // `mask` and `ip` are only used when they are complete and valid themselves; their own
    // checks report them otherwise.
    static QString checkIpValid(int kind, const QString& address, const QString& mask = QString(),
                                const QString& ip = QString());
    // Checks this widget's address against the other widgets' addresses.
    QString checkIpValid(int kind, const IpAddressWidget* mask = nullptr,
                         const IpAddressWidget* ip = nullptr) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A mask-mode widget was entered: the host may propose a mask for the IP address now.
    void needGetMaskAuto();
    void textChanged(const QString& address);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    enum class Caret { SelectAll, Start, End };

    int octetIndex(const QObject* object) const;
    void focusOctet(int index, Caret caret);
    bool handleKey(int index, QKeyEvent* event);
    void octetEdited(int index);
    void emitIfChanged();

    std::array<QLineEdit*, 4> m_octets{};
    bool m_maskMode;
    bool m_updating = false;
    bool m_focusStaysInside = false;
    QString m_lastAddress;
};
