#pragma once

#include "bytes/fieldchannel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// A parameter block decoded section by section and field by field, for tools. Any bytes
// are accepted: what cannot be decoded is shown as bytes, a malformed block says where.
struct DecodedSection
{
    int offset = 0;
    quint32 declaredLength = 0;
    int length = 0; // bytes present
    quint8 mark = 0;
    quint8 id = 0;
    QString title;
    bool decoded = false;
    QList<DumpField> fields;
    QByteArray bytes; // the whole section
    QString note;
};

struct DecodedBlock
{
    bool ok = false; // false: the block is malformed; `error` says why
    QString error;
    int size = 0;
    int count = 0;
    QString layout; // "save data" or "download block"
    QList<DecodedSection> sections;
    QStringList notes;

    QJsonObject toJson() const;
    QString toText() const;
};

class BlockDecoder
{
public:
    // `prefix` bytes before the count byte are skipped (the host's compare input has 4).
    static DecodedBlock decode(const QByteArray& block, int prefix = 0);

    // Field-level differences of two blocks, one line each, in block order.
    static QStringList differences(const DecodedBlock& first, const DecodedBlock& second);

    // A text read from a block, fit for a terminal: control and direction characters, which
    // would act there (clear the screen, reorder the line), become \uXXXX escapes.
    static QString printable(const QString& text);
};
