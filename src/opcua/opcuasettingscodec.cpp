#include "opcuasettingscodec.h"

#include "bytes/bytereader.h"
#include "bytes/bytewriter.h"
#include "bytes/fieldchannel.h"

#include <QCoreApplication>

namespace {

constexpr int kMinUserSize = 2; // two empty texts

} // namespace

QByteArray OpcUaSettingsCodec::encode(const OpcUaSettings& s)
{
    ByteWriter users;
    int count = 0;
    for (const OpcUaSettings::User& user : s.users) {
        if (!isWritten(user) || count == MaxUsers)
            continue;
        users.text8(user.name);
        users.text8(user.password);
        ++count;
    }
    const QByteArray records = users.take();

    ByteWriter out;
    out.u8(s.serverEnabled ? 1 : 0);
    out.u8(s.anonymousLogin ? 1 : 0);
    out.u8(s.userAuthentication ? 1 : 0);
    out.u16(quint16(3 + records.size())); // the block's length counts modulo 65536
    out.u8(quint8(count));
    out.bytes(records);
    out.u16(0);
    out.text8(s.serverName);
    out.u16(s.port);
    out.u32(s.sessionTimeout);
    out.u8(s.maxSessions);
    out.u16(s.samplingInterval);
    out.u16(s.publishingInterval);
    out.u16(s.monitoredItems);
    out.u8(s.securityEnabled ? 1 : 0);
    if (s.securityEnabled) {
        out.text16(s.certificateContent);
        out.text16(s.keyContent);
        out.text8(s.certificateUri);
        out.text8(s.certificateFileName);
    }
    out.u16(0);
    return out.take();
}

namespace {

class SettingsReader
{
public:
    SettingsReader(const QByteArray& payload, QList<DumpField>* trace, OpcUaSettingsDecode& d)
        : m_bytes(payload)
        , m_in(m_bytes, trace)
        , m_d(d)
    {}

    void run()
    {
        OpcUaSettings& s = m_d.settings;
        quint8 flag = 0;
        if (!flag8("server enabled", s.serverEnabled) ||
            !flag8("anonymous login", s.anonymousLogin) ||
            !flag8("user authentication", s.userAuthentication) || !users())
            return;
        quint16 reserved = 0;
        if (!m_in.u16("reserved", reserved) || !done(m_in.text8("server name", s.serverName)) ||
            !done(m_in.u16("port", s.port)) ||
            !done(m_in.u32("session timeout (s)", s.sessionTimeout)) ||
            !done(m_in.u8("maximum sessions", s.maxSessions)) ||
            !done(m_in.u16("minimum sampling interval (ms)", s.samplingInterval)) ||
            !done(m_in.u16("minimum publishing interval (ms)", s.publishingInterval)) ||
            !done(m_in.u16("maximum monitored items", s.monitoredItems)) ||
            !m_in.u8("security flag", flag))
            return;
        OpcUaSettings read = s;
        read.securityEnabled = flag != 0;
        if (read.securityEnabled &&
            (!m_in.text16("certificate content", read.certificateContent) ||
             !m_in.text16("key content", read.keyContent) ||
             !m_in.text8("certificate URI", read.certificateUri) ||
             !m_in.text8("certificate file name", read.certificateFileName)))
            return;
        s = read;
        next();
        if (!done(m_in.u16("reserved", reserved)))
            return;
        if (!m_bytes.atEnd())
            problem(QCoreApplication::translate("OpcUaSettingsCodec", "%1 bytes after the end")
                        .arg(m_bytes.remaining()));
    }

    void finish()
    {
        if (m_d.reached != OpcUaSettingsField::End)
            problem(QCoreApplication::translate("OpcUaSettingsCodec", "cut short at byte %1")
                        .arg(m_bytes.pos()));
    }

private:
    bool flag8(const char* name, bool& value)
    {
        quint8 raw = 0;
        if (!m_in.u8(name, raw))
            return false;
        value = raw != 0;
        next();
        return true;
    }

    bool users()
    {
        const int start = m_bytes.pos();
        quint16 length = 0;
        quint8 count = 0;
        if (!m_in.u16("users block length", length) || !m_in.u8("user count", count))
            return false;
        if (count * kMinUserSize > m_bytes.remaining()) {
            problem(QCoreApplication::translate("OpcUaSettingsCodec",
                                                "%1 users cannot fit in the %2 bytes left")
                        .arg(count)
                        .arg(m_bytes.remaining()));
            return false;
        }
        QVector<OpcUaSettings::User> users;
        users.reserve(count);
        for (int i = 0; i < count; ++i) {
            OpcUaSettings::User user;
            m_in.group(QStringLiteral("user %1").arg(i + 1));
            const bool ok = m_in.text8("name", user.name) &&
                            m_in.maskedText8("password", user.password);
            m_in.endGroup();
            if (!ok)
                return false;
            users.append(user);
        }
        const int size = m_bytes.pos() - start;
        if (quint16(size) != length)
            problem(QCoreApplication::translate("OpcUaSettingsCodec",
                                                "the users block declares %1 bytes; it holds %2")
                        .arg(length)
                        .arg(size));
        m_d.settings.users = users;
        next();
        return true;
    }

    bool done(bool read)
    {
        if (read)
            next();
        return read;
    }

    void next() { m_d.reached = OpcUaSettingsField(int(m_d.reached) + 1); }

    void problem(const QString& text)
    {
        if (m_d.problem.isEmpty())
            m_d.problem = text;
    }

    ByteReader m_bytes;
    DumpChannel m_in; // named reads, recorded for dumps when asked
    OpcUaSettingsDecode& m_d;
};

} // namespace

OpcUaSettingsDecode OpcUaSettingsCodec::decode(const QByteArray& payload,
                                               QList<DumpField>* trace)
{
    OpcUaSettingsDecode d;
    SettingsReader reader(payload, trace, d);
    reader.run();
    reader.finish();
    return d;
}
