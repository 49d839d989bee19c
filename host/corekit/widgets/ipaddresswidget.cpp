#include "ipaddresswidget.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QValidator>

namespace {

constexpr int kOctets = 4;

// 1..3 ASCII digits with a value up to 255, else -1.
int octetValue(QStringView text)
{
    if (text.isEmpty() || text.size() > 3)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= 255 ? value : -1;
}

enum class Parse { Ok, Empty, Incomplete, Malformed };

struct Parsed
{
    Parse status;
    quint32 value;
};

Parsed parseAddress(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {Parse::Empty, 0};
    const QVector<QStringRef> parts = trimmed.splitRef(QLatin1Char('.'));
    if (parts.size() > kOctets)
        return {Parse::Malformed, 0};
    bool missing = parts.size() < kOctets;
    quint32 value = 0;
    for (const QStringRef& part : parts) {
        value <<= 8;
        if (part.isEmpty()) {
            missing = true;
            continue;
        }
        const int octet = octetValue(part);
        if (octet < 0)
            return {Parse::Malformed, 0};
        value |= quint32(octet);
    }
    return {missing ? Parse::Incomplete : Parse::Ok, value};
}

bool isCompleteAddress(const QString& text)
{
    return parseAddress(text).status == Parse::Ok;
}

// Ones followed by zeros, at least one of each.
bool isUsableMask(quint32 mask)
{
    const quint32 hostBits = ~mask;
    return mask != 0 && hostBits != 0 && (hostBits & (hostBits + 1)) == 0;
}

struct KindTexts
{
    const char* empty;
    const char* incomplete;
    const char* malformed;
    const char* firstOctet; // host addresses only
    const char* loopback;
};

const KindTexts kTexts[kOctets] = {
    {QT_TRANSLATE_NOOP("IpAddressWidget", "The IP address is empty."),
     QT_TRANSLATE_NOOP("IpAddressWidget", "The IP address is incomplete."),
     QT_TRANSLATE_NOOP("IpAddressWidget",
                       "The IP address must be four numbers from 0 to 255, separated by dots."),
     QT_TRANSLATE_NOOP("IpAddressWidget", "The IP address must start with a number from 1 to 223."),
     QT_TRANSLATE_NOOP("IpAddressWidget",
                       "The IP address must not start with 127, which is reserved for loopback.")},
    {QT_TRANSLATE_NOOP("IpAddressWidget", "The subnet mask is empty."),
     QT_TRANSLATE_NOOP("IpAddressWidget", "The subnet mask is incomplete."),
     QT_TRANSLATE_NOOP("IpAddressWidget",
                       "The subnet mask must be four numbers from 0 to 255, separated by dots."),
     nullptr, nullptr},
    {QT_TRANSLATE_NOOP("IpAddressWidget", "The gateway address is empty."),
     QT_TRANSLATE_NOOP("IpAddressWidget", "The gateway address is incomplete."),
     QT_TRANSLATE_NOOP(
         "IpAddressWidget",
         "The gateway address must be four numbers from 0 to 255, separated by dots."),
     QT_TRANSLATE_NOOP("IpAddressWidget",
                       "The gateway address must start with a number from 1 to 223."),
     QT_TRANSLATE_NOOP("IpAddressWidget", "The gateway address must not start with 127, which is "
                                          "reserved for loopback.")},
    {QT_TRANSLATE_NOOP("IpAddressWidget", "The DNS server address is empty."),
     QT_TRANSLATE_NOOP("IpAddressWidget", "The DNS server address is incomplete."),
     QT_TRANSLATE_NOOP(
         "IpAddressWidget",
         "The DNS server address must be four numbers from 0 to 255, separated by dots."),
     QT_TRANSLATE_NOOP("IpAddressWidget",
                       "The DNS server address must start with a number from 1 to 223."),
     QT_TRANSLATE_NOOP("IpAddressWidget", "The DNS server address must not start with 127, which "
                                          "is reserved for loopback.")},
};

QString message(const char* text)
{
    return QCoreApplication::translate("IpAddressWidget", text);
}

// The syntax of any kind, then the first octet of host addresses; "" when it passes.
QString checkSyntax(int kind, const Parsed& parsed)
{
    const KindTexts& texts = kTexts[kind];
    switch (parsed.status) {
    case Parse::Empty:
        return message(texts.empty);
    case Parse::Incomplete:
        return message(texts.incomplete);
    case Parse::Malformed:
        return message(texts.malformed);
    case Parse::Ok:
        break;
    }
    if (!texts.firstOctet)
        return QString();
    const quint32 first = parsed.value >> 24;
    if (first == 127)
        return message(texts.loopback);
    if (first < 1 || first > 223)
        return message(texts.firstOctet);
    return QString();
}

// Passes a whole address, pasted or dropped into one octet, so that the widget can spread it.
class OctetValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        if (input.isEmpty() || octetValue(input) >= 0)
            return Acceptable;
        const QString trimmed = input.trimmed();
        if (isCompleteAddress(trimmed)) {
            input = trimmed;
            return Acceptable;
        }
        return Invalid;
    }
};

} // namespace

IpAddressWidget::IpAddressWidget(QWidget* parent, bool maskMode)
    : QWidget(parent)
    , m_maskMode(maskMode)
{
    auto* layout = new QHBoxLayout(this);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    layout->setContentsMargins(frame, frame, frame, frame);
    layout->setSpacing(0);

    auto* validator = new OctetValidator(this);
    for (int i = 0; i < kOctets; ++i) {
        if (i > 0) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setAlignment(Qt::AlignCenter);
            dot->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
            layout->addWidget(dot);
        }
        auto* edit = new QLineEdit(this);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        edit->setValidator(validator);
        edit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        // Tab enters and leaves the widget as a whole.
        edit->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, i] { octetEdited(i); });
        // A pasted address sits in one octet until it is spread; never report that.
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            if (!m_updating && !edit->text().contains(QLatin1Char('.')))
                emitIfChanged();
        });
        layout->addWidget(edit, 1);
        m_octets[i] = edit;
    }
    setFocusProxy(m_octets[0]);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void IpAddressWidget::setIpAddr(const QString& dotted)
{
    std::array<QString, kOctets> texts;
    const QString trimmed = dotted.trimmed();
    const QVector<QStringRef> parts = trimmed.splitRef(QLatin1Char('.'));
    if (parts.size() == kOctets) {
        bool valid = true;
        for (int i = 0; i < kOctets && valid; ++i) {
            if (parts[i].isEmpty())
                continue;
            const int value = octetValue(parts[i]);
            valid = value >= 0;
            texts[i] = QString::number(value);
        }
        if (!valid)
            texts = {};
    }
    m_updating = true;
    for (int i = 0; i < kOctets; ++i)
        m_octets[i]->setText(texts[i]);
    m_updating = false;
    emitIfChanged();
}

QString IpAddressWidget::getIpAddr() const
{
    QStringList parts;
    bool any = false;
    for (const QLineEdit* edit : m_octets) {
        const int value = octetValue(edit->text());
        any = any || value >= 0;
        parts << (value >= 0 ? QString::number(value) : QString());
    }
    return any ? parts.join(QLatin1Char('.')) : QString();
}

int IpAddressWidget::getIpPart0() const
{
    return octetValue(m_octets[0]->text());
}

bool IpAddressWidget::isEmpty() const
{
    return getIpAddr().isEmpty();
}

void IpAddressWidget::clear()
{
    setIpAddr(QString());
}

QString IpAddressWidget::checkIpValid(int kind, const QString& address, const QString& mask,
                                      const QString& ip)
{
    if (kind < CheckAddress || kind > CheckDns)
        return QCoreApplication::translate("IpAddressWidget", "Unknown kind of address check.");

    const Parsed parsed = parseAddress(address);
    const QString syntax = checkSyntax(kind, parsed);
    if (!syntax.isEmpty())
        return syntax;

    if (kind == CheckMask) {
        const quint32 value = parsed.value;
        if (value == 0)
            return QCoreApplication::translate("IpAddressWidget",
                                               "The subnet mask must not be 0.0.0.0.");
        if (value == 0xFFFFFFFFu)
            return QCoreApplication::translate("IpAddressWidget",
                                               "The subnet mask must not be 255.255.255.255.");
        if (!isUsableMask(value))
            return QCoreApplication::translate(
                "IpAddressWidget", "The subnet mask must be a run of ones followed by zeros.");
        const Parsed host = parseAddress(ip);
        if (host.status != Parse::Ok)
            return QString();
        if ((host.value & ~value) == 0)
            return QCoreApplication::translate(
                "IpAddressWidget", "With this subnet mask the IP address is the network "
                                   "address of its subnet (all host bits zero).");
        if ((host.value & ~value) == ~value)
            return QCoreApplication::translate(
                "IpAddressWidget", "With this subnet mask the IP address is the broadcast "
                                   "address of its subnet (all host bits one).");
        return QString();
    }

    if (kind == CheckGateway) {
        const Parsed net = parseAddress(mask);
        const Parsed host = parseAddress(ip);
        if (net.status != Parse::Ok || !isUsableMask(net.value) || host.status != Parse::Ok)
            return QString();
        const quint32 gateway = parsed.value;
        if ((gateway & net.value) != (host.value & net.value))
            return QCoreApplication::translate(
                "IpAddressWidget", "The gateway must be in the subnet of the IP address.");
        if (gateway == host.value)
            return QCoreApplication::translate("IpAddressWidget",
                                               "The gateway must not be the IP address itself.");
        if ((gateway & ~net.value) == 0)
            return QCoreApplication::translate("IpAddressWidget",
                                               "The gateway must not be the network address of the "
                                               "subnet.");
        if ((gateway & ~net.value) == ~net.value)
            return QCoreApplication::translate(
                "IpAddressWidget", "The gateway must not be the broadcast address of the "
                                   "subnet.");
    }
    return QString();
}

QString IpAddressWidget::checkIpValid(int kind, const IpAddressWidget* mask,
                                      const IpAddressWidget* ip) const
{
    return IpAddressWidget::checkIpValid(kind, getIpAddr(), mask ? mask->getIpAddr() : QString(),
                                         ip ? ip->getIpAddr() : QString());
}

QSize IpAddressWidget::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int octet = metrics.horizontalAdvance(QStringLiteral("0000"));
    const int dot = metrics.horizontalAdvance(QLatin1Char('.')) + 2;
    return {kOctets * octet + (kOctets - 1) * dot + 2 * frame,
            m_octets[0]->sizeHint().height() + 2 * frame};
}

QSize IpAddressWidget::minimumSizeHint() const
{
    return sizeHint();
}

int IpAddressWidget::octetIndex(const QObject* object) const
{
    for (int i = 0; i < kOctets; ++i) {
        if (m_octets[i] == object)
            return i;
    }
    return -1;
}

void IpAddressWidget::focusOctet(int index, Caret caret)
{
    QLineEdit* edit = m_octets[index];
    edit->setFocus(Qt::OtherFocusReason);
    switch (caret) {
    case Caret::SelectAll:
        edit->selectAll();
        break;
    case Caret::Start:
        edit->home(false);
        break;
    case Caret::End:
        edit->end(false);
        break;
    }
}

bool IpAddressWidget::handleKey(int index, QKeyEvent* event)
{
    QLineEdit* edit = m_octets[index];
    if (event->matches(QKeySequence::Paste)) {
        const QString pasted = QApplication::clipboard()->text().trimmed();
        if (!isCompleteAddress(pasted))
            return false;
        setIpAddr(pasted);
        focusOctet(kOctets - 1, Caret::End);
        return true;
    }
    const bool atStart = edit->cursorPosition() == 0 && !edit->hasSelectedText();
    const bool atEnd = edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const QString text = event->text();
    if (text == QLatin1String(".") || text == QLatin1String(",")) {
        // An empty octet keeps the focus, so that "1..2" does not skip one.
        if (index + 1 < kOctets && !edit->text().isEmpty())
            focusOctet(index + 1, Caret::SelectAll);
        return true;
    }
    if (event->key() == Qt::Key_Backspace && atStart && index > 0) {
        focusOctet(index - 1, Caret::End);
        return true;
    }
    if (event->key() == Qt::Key_Left && plain && atStart && index > 0) {
        focusOctet(index - 1, Caret::End);
        return true;
    }
    if (event->key() == Qt::Key_Right && plain && atEnd && index + 1 < kOctets) {
        focusOctet(index + 1, Caret::Start);
        return true;
    }
    return false;
}

void IpAddressWidget::octetEdited(int index)
{
    QLineEdit* edit = m_octets[index];
    const QString text = edit->text();
    if (text.contains(QLatin1Char('.'))) {
        setIpAddr(text);
        focusOctet(kOctets - 1, Caret::End);
        return;
    }
    if (text.size() == 3 && edit->cursorPosition() == 3 && index + 1 < kOctets)
        focusOctet(index + 1, Caret::SelectAll);
}

void IpAddressWidget::emitIfChanged()
{
    const QString address = getIpAddr();
    if (address == m_lastAddress)
        return;
    m_lastAddress = address;
    emit textChanged(address);
}

bool IpAddressWidget::eventFilter(QObject* watched, QEvent* event)
{
    const int index = octetIndex(watched);
    if (index < 0)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKey(index, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn: {
        // Only entering from outside counts; moving between octets is still the same edit.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (m_maskMode && !m_focusStaysInside && reason != Qt::PopupFocusReason)
            emit needGetMaskAuto();
        m_focusStaysInside = false;
        update();
        break;
    }
    case QEvent::FocusOut: {
        m_focusStaysInside = octetIndex(QApplication::focusWidget()) >= 0;
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            // "007" reads as 7; show it that way once the octet is left.
            QLineEdit* edit = m_octets[index];
            const int value = octetValue(edit->text());
            if (value >= 0 && edit->text() != QString::number(value))
                edit->setText(QString::number(value));
        }
        update();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void IpAddressWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (octetIndex(QApplication::focusWidget()) >= 0)
        option.state |= QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
}
