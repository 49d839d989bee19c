#include "modulecatalog.h"

#include <corekit/hosthome.h>

#include <QFile>
#include <QHash>
#include <QTextStream>

#include <sys/stat.h>

#include <algorithm>

namespace {

enum class Key {
    MetVersion,
    NeedHwCnfgVersion,
    ObjName,
    MLFB,
    ObjID,
    ParentObjID,
    BaseType,
    NumIOModules,
    NotSupported,
    ServerFile,
    IsCatEntry,
    ModuleInfo,
    IntSupported,
    IntEnableTbl,
    FwVersion,
    BuffCnfg,
    SyncCnfg,
    SupportGrpCnfg,
    SampPeriodGrpCnfg,
    SampPeriodList,
    ReservBytes,
    SupportEtherCAT,
    SupportCANopen,
    supportRack,
    SupportHSC,
    softCtrlRemote,
};

// Tested in this order; the first key that starts the line wins.
const std::pair<const char*, Key> kKeys[] = {
    {"MetVersion", Key::MetVersion},
    {"NeedHwCnfgVersion", Key::NeedHwCnfgVersion},
    {"ObjName", Key::ObjName},
    {"MLFB", Key::MLFB},
    {"ObjID", Key::ObjID},
    {"ParentObjID", Key::ParentObjID},
    {"BaseType", Key::BaseType},
    {"NumIOModules", Key::NumIOModules},
    {"NotSupported", Key::NotSupported},
    {"ServerFile", Key::ServerFile},
    {"IsCatEntry", Key::IsCatEntry},
    {"ModuleInfo", Key::ModuleInfo},
    {"IntSupported", Key::IntSupported},
    {"IntEnableTbl", Key::IntEnableTbl},
    {"FwVersion", Key::FwVersion},
    {"BuffCnfg", Key::BuffCnfg},
    {"SyncCnfg", Key::SyncCnfg},
    {"SupportGrpCnfg", Key::SupportGrpCnfg},
    {"SampPeriodGrpCnfg", Key::SampPeriodGrpCnfg},
    {"SampPeriodList", Key::SampPeriodList},
    {"ReservBytes", Key::ReservBytes},
    {"SupportEtherCAT", Key::SupportEtherCAT},
    {"SupportCANopen", Key::SupportCANopen},
    {"supportRack", Key::supportRack},
    {"SupportHSC", Key::SupportHSC},
    {"softCtrlRemote", Key::softCtrlRemote},
};

// A number that does not parse reads as 0; wider values keep their low bits.
qint64 decimal(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 10);
    return ok ? value : 0;
}

qint64 hex(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 16);
    return ok ? value : 0;
}

template <size_t N>
void hexBytes(const QString& value, std::array<quint8, N>& bytes)
{
    const QStringList parts = value.split(QLatin1Char(','));
    const int n = std::min<int>(parts.size(), int(N));
    for (int i = 0; i < n; ++i)
        bytes[size_t(i)] = quint8(hex(parts.at(i)));
}

void resetRecord(ModuleDescriptor& d)
{
    d.MetVersion.clear();
    d.ObjName.clear();
    d.MLFB.clear();
    d.ServerFile.clear();
    d.textB.clear();
    d.NeedHwCnfgVersion = 2000;
    d.ObjID = 0;
    d.ParentObjID = 0;
    d.BaseType = 0;
    d.NumIOModules = 0;
    d.IsCatEntry = false;
    d.ModuleInfo = 0;
    d.SupportCANopen = false;
    d.SupportHSC = 0;
    d.softCtrlRemote = false;
    d.position = Position();
    d.NotSupported.clear();
    d.IntSupported.fill(0);
    d.FwVersion = 0;
    d.BuffCnfg.fill(0);
    d.SyncCnfg.fill(0);
    d.IntEnableTbl.fill(0);
    d.rackId = -1;
    d.slotId = -1;
}

void applyKey(ModuleDescriptor& d, Key key, const QString& value)
{
    switch (key) {
    case Key::MetVersion:
        d.MetVersion = value;
        break;
    case Key::NeedHwCnfgVersion:
        d.NeedHwCnfgVersion = qint32(decimal(value));
        break;
    case Key::ObjName:
        d.ObjName = value;
        break;
    case Key::MLFB:
        d.MLFB = value;
        break;
    case Key::ObjID:
        d.ObjID = qint32(decimal(value));
        break;
    case Key::ParentObjID:
        d.ParentObjID = qint32(decimal(value));
        break;
    case Key::BaseType:
        d.BaseType = quint8(decimal(value));
        break;
    case Key::NumIOModules:
        d.NumIOModules = quint8(decimal(value));
        break;
    case Key::NotSupported: {
        const QStringList parts = value.split(QLatin1Char(','));
        for (const QString& part : parts)
            d.NotSupported.append(qint32(hex(part)));
        break;
    }
    case Key::ServerFile:
        d.ServerFile = value;
        break;
    case Key::IsCatEntry:
        d.IsCatEntry = decimal(value) != 0;
        break;
    case Key::ModuleInfo:
        d.ModuleInfo = quint32(decimal(value));
        break;
    case Key::IntSupported:
        hexBytes(value, d.IntSupported);
        break;
    case Key::IntEnableTbl:
        hexBytes(value, d.IntEnableTbl);
        break;
    case Key::FwVersion:
        d.FwVersion = quint8(decimal(QString(value).remove(QLatin1Char('.'))));
        break;
    case Key::BuffCnfg:
        hexBytes(value, d.BuffCnfg);
        break;
    case Key::SyncCnfg:
        hexBytes(value, d.SyncCnfg);
        break;
    case Key::SupportGrpCnfg:
        d.SupportGrpCnfg = decimal(value) != 0;
        break;
    case Key::SampPeriodGrpCnfg:
        d.SampPeriodGrpCnfg = decimal(value) != 0;
        break;
    case Key::SampPeriodList: {
        const QStringList parts = value.split(QLatin1Char(','));
        for (const QString& part : parts)
            d.SampPeriodList.append(part.simplified());
        break;
    }
    case Key::ReservBytes:
        hexBytes(value, d.ReservBytes);
        break;
    case Key::SupportEtherCAT:
        d.SupportEtherCAT = qint32(decimal(value));
        break;
    case Key::SupportCANopen:
        d.SupportCANopen = decimal(value) != 0;
        break;
    case Key::supportRack:
        d.supportRack = qint32(decimal(value));
        break;
    case Key::SupportHSC:
        d.SupportHSC = qint32(decimal(value));
        break;
    case Key::softCtrlRemote:
        d.softCtrlRemote = decimal(value) != 0;
        break;
    }
}

// One version of a catalog file: a rewrite changes its size or its times (nanoseconds), a
// replacement its inode. stat() rather than QFileInfo: QFileInfo's times are local
// QDateTimes, and converting them cost more than the lookup they guard.
struct Stamp
{
    qint64 inode = -1;
    qint64 size = -1;
    qint64 modifiedNs = -1;
    qint64 changedNs = -1; // also moves when only the permissions change
    bool isFile = false;

    static Stamp of(const QString& path)
    {
        struct stat st
        {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return {};
        return {qint64(st.st_ino), qint64(st.st_size),
                qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec, S_ISREG(st.st_mode)};
    }
    bool operator==(const Stamp& o) const
    {
        return inode == o.inode && size == o.size && modifiedNs == o.modifiedNs &&
               changedNs == o.changedNs && isFile == o.isFile;
    }
};

struct CachedFile
{
    Stamp stamp;
    QList<ModuleDescriptor> records;
};

// Parsed catalog files by path. Every restore and recompile looks its module up; parsing
// the file each time cost more than the rest of a small restore.
QHash<QString, CachedFile>& cache()
{
    static QHash<QString, CachedFile> files;
    return files;
}

} // namespace

QString ModuleCatalog::fileName(int typeId)
{
    const QString hexId =
        QString::number(quint32(typeId), 16).toUpper().rightJustified(8, QLatin1Char('0'));
    return QStringLiteral("hw") + hexId + QStringLiteral(".met");
}

QString ModuleCatalog::filePath(int typeId)
{
    return getHwcnfgComponentPath(6) + fileName(typeId);
}

QList<ModuleDescriptor> ModuleCatalog::read(int typeId)
{
    const QString path = filePath(typeId);
    const Stamp stamp = Stamp::of(path);
    const auto cached = cache().constFind(path);
    if (cached != cache().constEnd() && cached->stamp == stamp && stamp.isFile)
        return cached->records;
    cache().remove(path);
    QFile file(path);
    if (stamp.size > MaxFileSize || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QList<ModuleDescriptor> records = parse(file);
    cache().insert(path, {stamp, records});
    return records;
}

QList<ModuleDescriptor> ModuleCatalog::parse(QIODevice& device)
{
    QList<ModuleDescriptor> records;
    ModuleDescriptor current;
    bool open = false;
    QTextStream stream(&device);
    QString line;
    while (stream.readLineInto(&line)) {
        if (line.simplified().startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1String("[MODULE START]"))) {
            resetRecord(current);
            open = true;
            continue;
        }
        if (line.startsWith(QLatin1String("[END]"))) {
            // A stray "[END]" would otherwise duplicate the previous record.
            if (open)
                records.append(current);
            open = false;
            continue;
        }
        for (const auto& [name, key] : kKeys) {
            if (line.startsWith(QLatin1String(name), Qt::CaseInsensitive)) {
                const int eq = line.indexOf(QLatin1Char('='));
                applyKey(current, key, eq < 0 ? QString() : line.mid(eq + 1).simplified());
                break;
            }
        }
    }
    return records;
}

int ModuleCatalog::find(const QList<ModuleDescriptor>& records, int fileId, int id, int appVersion,
                        ModuleDescriptor& out)
{
    for (int i = 0; i < records.size(); ++i) {
        const ModuleDescriptor& record = records.at(i);
        if (record.NeedHwCnfgVersion > appVersion)
            return -1;
        if (record.ObjID == fileId) {
            out = record;
            out.ObjID = id;
            return i;
        }
    }
    return -1;
}

int ModuleCatalog::lookup(int id, ModuleDescriptor& out)
{
    const int fileId = fileIdFor(id);
    return find(read(fileId), fileId, id, getAppVerNum(), out);
}
