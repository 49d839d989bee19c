#include "slaverecord.h"

#include <QDataStream>
#include <QtEndian>

namespace {

QDataStream& stream(QDataStream& s)
{
    s.setVersion(QDataStream::Qt_5_15);
    return s;
}

bool writeBody(const SlaveBook& book, const SlaveObject& object, quint8 type,
               SlaveRecord::Form form, QByteArray& body)
{
    QDataStream out(&body, QIODevice::WriteOnly);
    stream(out);
    out << qint32(object.nodeId);
    if (form == SlaveRecord::Form::Save) {
        const QByteArray name = object.name.toLocal8Bit().left(255);
        out << quint8(object.ioMapChanged ? 1 : 0) << quint8(name.size());
        out.writeRawData(name.constData(), name.size());
    }
    if (object.items.size() > 255 || object.children.size() > 255)
        return false;
    out << quint8(object.items.size());
    for (const SlaveItem& item : object.items)
        out << item.type << item.count;
    if (form == SlaveRecord::Form::DownloadOld)
        return true;
    out << quint8(object.children.size());
    for (int child : object.children) {
        const QByteArray record = SlaveRecord::write(book, child, type, form);
        if (record.isEmpty())
            return false;
        out.writeRawData(record.constData(), record.size());
    }
    return true;
}

int readRecord(SlaveBook& book, const QByteArray& data, quint8 type, SlaveRecord::Form form,
               int depth, int& consumed, int& error);

// Reads the body into `object`, rebuilding children into the book.
bool readBody(SlaveBook& book, const QByteArray& body, quint8 type, SlaveRecord::Form form,
              int depth, SlaveObject& object, int& error)
{
    QDataStream in(body);
    stream(in);
    qint32 nodeId = 0;
    in >> nodeId;
    object.nodeId = nodeId;
    if (form == SlaveRecord::Form::Save) {
        quint8 flags = 0;
        quint8 nameLength = 0;
        in >> flags >> nameLength;
        QByteArray name(nameLength, '\0');
        if (in.readRawData(name.data(), nameLength) != nameLength)
            return false;
        object.ioMapChanged = flags & 1;
        object.name = QString::fromLocal8Bit(name);
    }
    quint8 itemCount = 0;
    in >> itemCount;
    for (int i = 0; i < itemCount && in.status() == QDataStream::Ok; ++i) {
        SlaveItem item;
        in >> item.type >> item.count;
        object.items.append(item);
    }
    if (in.status() != QDataStream::Ok)
        return false;
    if (form == SlaveRecord::Form::DownloadOld)
        return in.atEnd();
    quint8 childCount = 0;
    in >> childCount;
    if (in.status() != QDataStream::Ok)
        return false;
    int offset = int(in.device()->pos());
    for (int i = 0; i < childCount; ++i) {
        int used = 0;
        const int child = readRecord(book, body.mid(offset), type, form, depth + 1, used, error);
        if (!child)
            return false;
        object.children.append(child);
        offset += used;
    }
    return offset == body.size();
}

int readRecord(SlaveBook& book, const QByteArray& data, quint8 type, SlaveRecord::Form form,
               int depth, int& consumed, int& error)
{
    consumed = 0;
    if (data.size() < SlaveRecord::HeadSize) {
        error = SlaveRecord::ErrorMalformed;
        return 0;
    }
    const quint8 recordType = quint8(data.at(0));
    const quint8 recordForm = quint8(data.at(1));
    const int length = qFromBigEndian<quint16>(data.constData() + 2);
    if (SlaveRecord::HeadSize + length > data.size()) {
        error = SlaveRecord::ErrorMalformed;
        return 0;
    }
    consumed = SlaveRecord::HeadSize + length;
    if (recordType != type) {
        error = SlaveRecord::ErrorWrongType;
        return 0;
    }
    if (recordForm != quint8(form)) {
        error = SlaveRecord::ErrorWrongForm;
        return 0;
    }
    if (depth > SlaveRecord::MaxDepth) {
        error = SlaveRecord::ErrorMalformed;
        return 0;
    }
    SlaveObject object;
    if (!readBody(book, data.mid(SlaveRecord::HeadSize, length), type, form, depth, object,
                  error)) {
        for (int child : object.children) // nothing half-built stays behind
            book.release(child);
        if (error == 0)
            error = SlaveRecord::ErrorMalformed;
        return 0;
    }
    return book.create(object);
}

} // namespace

QByteArray SlaveRecord::write(const SlaveBook& book, int handle, quint8 type, Form form)
{
    const SlaveObject* object = book.find(handle);
    if (!object)
        return {};
    QByteArray body;
    if (!writeBody(book, *object, type, form, body) || body.size() > 0xFFFF)
        return {};
    QByteArray record(HeadSize, '\0');
    record[0] = char(type);
    record[1] = char(form);
    qToBigEndian(quint16(body.size()), record.data() + 2);
    return record + body;
}

int SlaveRecord::read(SlaveBook& book, const QByteArray& data, quint8 type, Form form,
                      int& consumed, int& error)
{
    error = 0;
    return readRecord(book, data, type, form, 0, consumed, error);
}
