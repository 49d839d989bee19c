#pragma once

#include <model/cpuobject.h>

#include <QRandomGenerator>
#include <QString>

#include <memory>

// Random configuration objects at the model level: every member that the save data holds
// gets a random value of its type (texts in any script, text fields with arbitrary bytes,
// OPC UA payloads as records or as stray bytes, slaves on every bus through the stand-in
// plug-ins, now and then with equal node ids). Members that the block readers keep as 0 or
// 1 get 0 or 1, so that the save data reads back as it was written.
class RandomConfig
{
public:
    explicit RandomConfig(quint32 seed);

    // An object of a random sample model for the project; it holds no memory.
    std::unique_ptr<CpuObject> object(const QString& projectPath);

    QString text(int maxChars);

private:
    quint32 u(quint32 bound) { return m_random.bounded(bound); }
    quint8 byte() { return quint8(m_random.bounded(256u)); }
    bool chance(int percent) { return int(m_random.bounded(100u)) < percent; }
    template <typename Array>
    void fill(Array& bytes)
    {
        for (auto& b : bytes)
            b = byte();
    }
    template <typename Text>
    void fixedText(Text& field);

    void header(ModuleDescriptor& d);
    void params(CpuParams& p);
    void soe(CpuObject& o);
    void buses(CpuObject& o);
    void cards(CpuObject& o);
    void opcUa(CpuObject& o);
    void slaves(CpuObject& o);

    QRandomGenerator m_random;
};
