#include "cardlists.h"

#include <QCoreApplication>

#include <iterator>

const char* const CardLists::Context = "CardLists";

const QVector<CardChoice>& CardLists::cardTypes()
{
    // Code 4 has no entry: a record with it carries only its common part.
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "NONE"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "485/CAN-P"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "485/RTC-P"), 2},
                                          {QT_TRANSLATE_NOOP("CardLists", "AMX05-P"), 3},
                                          {QT_TRANSLATE_NOOP("CardLists", "RTC-P"), 5},
                                          {QT_TRANSLATE_NOOP("CardLists", "DIX06-P"), 6}};
    return list;
}

const QVector<CardChoice>& CardLists::protocols()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "NONE"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "FREE"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "ModbusRTU Master"), 2},
                                          {QT_TRANSLATE_NOOP("CardLists", "ModbusRTU Slave"), 3}};
    return list;
}

const QVector<CardChoice>& CardLists::baudRates()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "9600"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "19200"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "38400"), 2},
                                          {QT_TRANSLATE_NOOP("CardLists", "57600"), 3},
                                          {QT_TRANSLATE_NOOP("CardLists", "115200"), 4}};
    return list;
}

const QVector<CardChoice>& CardLists::dataLengths()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "7bit"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "8bit"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::parities()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "NONE"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "Odd"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "Even"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::stopBits()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "1"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "2"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::canProtocols()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "CANFree"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "CANopen Master"), 1}};
    return list;
}

const QVector<CardChoice>& CardLists::canBaudRates()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "50kbps"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "125kbps"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "250kbps"), 2},
                                          {QT_TRANSLATE_NOOP("CardLists", "500kbps"), 3},
                                          {QT_TRANSLATE_NOOP("CardLists", "800kbps"), 4},
                                          {QT_TRANSLATE_NOOP("CardLists", "1000kbps"), 5}};
    return list;
}

int CardLists::canBaudKbps(int code)
{
    static const int kbps[] = {50, 125, 250, 500, 800, 1000};
    return code >= 0 && code < int(std::size(kbps)) ? kbps[code] : 0;
}

int CardLists::canBaudCode(int kbps)
{
    for (const CardChoice& choice : canBaudRates()) {
        if (canBaudKbps(choice.code) == kbps)
            return choice.code;
    }
    return -1;
}

const QVector<CardChoice>& CardLists::directions()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "Input"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "Output"), 0}};
    return list;
}

const QVector<CardChoice>& CardLists::inputFilters()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "NONE"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "0.2ms"), 8},
                                          {QT_TRANSLATE_NOOP("CardLists", "0.4ms"), 9},
                                          {QT_TRANSLATE_NOOP("CardLists", "0.8ms"), 10},
                                          {QT_TRANSLATE_NOOP("CardLists", "1.6ms"), 11},
                                          {QT_TRANSLATE_NOOP("CardLists", "3.2ms"), 12},
                                          {QT_TRANSLATE_NOOP("CardLists", "6.4ms"), 13},
                                          {QT_TRANSLATE_NOOP("CardLists", "12.8ms"), 14}};
    return list;
}

const QVector<CardChoice>& CardLists::outputFreeze()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "NONE Freeze"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "Freeze"), 1}};
    return list;
}

const QVector<CardChoice>& CardLists::inputAreas()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "I"), 0x81}};
    return list;
}

const QVector<CardChoice>& CardLists::outputAreas()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "Q"), 0x82}};
    return list;
}

const QVector<CardChoice>& CardLists::filterParameters()
{
    static const QVector<CardChoice> list{
        {QT_TRANSLATE_NOOP("CardLists", "0"), 0}, {QT_TRANSLATE_NOOP("CardLists", "1"), 1},
        {QT_TRANSLATE_NOOP("CardLists", "2"), 2}, {QT_TRANSLATE_NOOP("CardLists", "3"), 3},
        {QT_TRANSLATE_NOOP("CardLists", "4"), 4}, {QT_TRANSLATE_NOOP("CardLists", "5"), 5},
        {QT_TRANSLATE_NOOP("CardLists", "6"), 6}, {QT_TRANSLATE_NOOP("CardLists", "7"), 7}};
    return list;
}

const QVector<CardChoice>& CardLists::filterTimes()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "12ms"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "48ms"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "96ms"), 2},
                                          {QT_TRANSLATE_NOOP("CardLists", "192ms"), 3},
                                          {QT_TRANSLATE_NOOP("CardLists", "384ms"), 4}};
    return list;
}

const QVector<CardChoice>& CardLists::inputRanges()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "0~10V"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "0~20mA"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "4~20mA"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::openWireDetect()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "Ban"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "Enable"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "Invalid"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::analogDirections()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "Upscale"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "Downscale"), 1}};
    return list;
}

const QVector<CardChoice>& CardLists::outputRanges()
{
    static const QVector<CardChoice> list{{QT_TRANSLATE_NOOP("CardLists", "4~20mA"), 0},
                                          {QT_TRANSLATE_NOOP("CardLists", "0~20mA"), 1},
                                          {QT_TRANSLATE_NOOP("CardLists", "0~10V"), 2}};
    return list;
}

QString CardLists::textOf(const QVector<CardChoice>& list, int code)
{
    for (const CardChoice& choice : list) {
        if (choice.code == code)
            return QString::fromLatin1(choice.text);
    }
    return {};
}

QString CardLists::tr(const CardChoice& choice)
{
    return QCoreApplication::translate(Context, choice.text);
}

QString CardLists::typeName(int type)
{
    return type == 0 ? QString() : textOf(cardTypes(), type);
}
