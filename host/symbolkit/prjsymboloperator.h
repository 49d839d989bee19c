#pragma once

#include "symbol.h"
#include "symbolkit_global.h"

#include <QStringList>

// The project's symbol tables, read from the project file's "symbolTables". Instances are
// shared per (owner, project) and counted: every getInstance needs one releaseInstance.
class SYMBOLKIT_EXPORT PrjSymbolOperator
{
public:
    static constexpr int AllTypes = 65535;

    static PrjSymbolOperator* getInstance(const QString& owner, const QString& projectPath);
    static void releaseInstance(PrjSymbolOperator* instance);
    static int liveInstances(); // for tests

    QString projectPath() const { return m_projectPath; }

    // Names of the tables of a table type, in file order.
    QStringList getTableNames(int tableType) const;

    // Symbols of the tables of a table type (AllTypes: every table), in file order.
    QList<Symbol> getSymbolByType(int tableType) const;

private:
    explicit PrjSymbolOperator(const QString& projectPath);

    QString m_projectPath;
    QString m_key;
    int m_users = 0;
};
