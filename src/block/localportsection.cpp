#include "localportsection.h"

#include "bytes/bytewriter.h"
#include "sectionid.h"

namespace {

template <typename Ch>
bool portFields(Ch& ch, LocalPort& p)
{
    return ch.u8("port number", p.portNumber) && ch.u8("protocol", p.protocol) &&
           ch.u8("baud rate", p.baudCode) && ch.u8("data length", p.dataLength) &&
           ch.u8("parity", p.parity) && ch.u8("stop bits", p.stopBits) &&
           ch.u8("response time (ms)", p.responseTime) && ch.u8("address", p.address) &&
           ch.u16("receive timeout (ms)", p.receiveTimeout) &&
           ch.u8("highest address", p.highestAddress) && ch.u8("PLC address", p.plcAddress) &&
           ch.u8("retry count", p.retryCount) && ch.u8("gap update factor", p.gapFactor);
}

} // namespace

QByteArray LocalPortSection::write(const CpuObject& object)
{
    ByteWriter out;
    const int head = out.beginSection(1, quint8(SectionId::LocalPort));
    WriteChannel ch(out);
    LocalPort port = object.localPort;
    portFields(ch, port);
    out.zeros(2);
    out.endSection(head);
    return out.take();
}

bool LocalPortSection::read(CpuObject& object, ByteReader& section)
{
    ByteReader::Section s;
    ReadChannel ch(s.payload);
    return section.openSection(s) && portFields(ch, object.localPort);
}

void LocalPortSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    DumpChannel ch(s.payload, fields);
    LocalPort port;
    section.openSection(s) && portFields(ch, port) && ch.zeros(2);
}
