#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <optional>

// A private host data folder for one test: starts as a copy of the sample host data,
// can be changed file by file, and is the host home (CORVO_HOST_HOME) while the fixture
// lives. Projects written through it land in the same temporary folder. One per case: hold
// it in a std::optional, whose emplace() ends the old fixture before the new one starts.
class HostFixture
{
public:
    HostFixture();
    ~HostFixture();

    QString home() const { return m_dir.path(); }
    bool isValid() const { return m_dir.isValid(); }

    void writeFile(const QString& relative, const QByteArray& content);
    void removeFile(const QString& relative);
    void setAppVersion(int version);

    // Replaces the PLC facts of the model known under `name` (added when unknown).
    void setPlcModel(const QString& name, const QJsonObject& model);

    // A project file; returns its path.
    QString writeProject(const QString& name, const QJsonObject& project);
    QString writeProject(const QString& name, const QString& plcType,
                         const QString& plcVersion = QStringLiteral("02.01"));

    static QString sampleHome();

private:
    QTemporaryDir m_dir;
    QByteArray m_previousHome;
    bool m_hadHome = false;
};
