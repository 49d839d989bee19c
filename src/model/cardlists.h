#pragma once

#include <QString>
#include <QVector>

// One entry of a card page's list: its English source text and the code stored for it.
struct CardChoice
{
    const char* text;
    int code;
};

// The lists of the expansion-card pages with their stored codes. The pages show the texts
// translated (context "CardLists"); block tools name stored codes with them.
class CardLists
{
public:
    static const char* const Context;

    static const QVector<CardChoice>& cardTypes(); // "Module:"

    // Serial channel group.
    static const QVector<CardChoice>& protocols();
    static const QVector<CardChoice>& baudRates();
    static const QVector<CardChoice>& dataLengths();
    static const QVector<CardChoice>& parities();
    static const QVector<CardChoice>& stopBits();

    // CAN channel of "485/CAN-P".
    static const QVector<CardChoice>& canProtocols();
    static const QVector<CardChoice>& canBaudRates();
    // The bit rate in kbit/s of a CAN baud-rate code; 0 for an unknown code.
    static int canBaudKbps(int code);
    // The code of a bit rate in kbit/s; -1 when the list has none.
    static int canBaudCode(int kbps);

    // "DIX06-P".
    static const QVector<CardChoice>& directions();
    static const QVector<CardChoice>& inputFilters();
    static const QVector<CardChoice>& outputFreeze();
    static const QVector<CardChoice>& inputAreas();  // of an input channel
    static const QVector<CardChoice>& outputAreas(); // of an output channel

    // "AMX05-P".
    static const QVector<CardChoice>& filterParameters();
    static const QVector<CardChoice>& filterTimes();
    static const QVector<CardChoice>& inputRanges();
    static const QVector<CardChoice>& openWireDetect();
    static const QVector<CardChoice>& analogDirections();
    static const QVector<CardChoice>& outputRanges();

    // The English text of `code` in `list`; empty when no entry has it.
    static QString textOf(const QVector<CardChoice>& list, int code);
    // The translated text of an entry.
    static QString tr(const CardChoice& choice);
    // "485/RTC-P" for a card type code; empty for "NONE" and codes without an entry.
    static QString typeName(int type);
};
