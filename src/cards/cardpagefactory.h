#pragma once

#include "model/cardrecord.h"

#include <QVector>

class CardParWgt;
class QWidget;

// The card kinds that have a parameter page, and how each page is built: one row per kind.
class CardPageFactory
{
public:
    struct Entry
    {
        CardType type;
        CardParWgt* (*build)(const QString& projectPath, int slotId, const CardRecord& record,
                             QWidget* parent);
    };

    static const QVector<Entry>& entries();
    // The page of a card kind; null for a kind without parameters ("NONE", code 4).
    static CardParWgt* create(CardType type, const QString& projectPath, int slotId,
                              const CardRecord& record, QWidget* parent);
};
