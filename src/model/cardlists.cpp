#include "cardlists.h"

#include <QCoreApplication>

#include <iterator>

const char* const CardLists::Context = "CardLists";

#define CARD_TEXT(text) QT_TRANSLATE_NOOP("CardLists", text)

const QVector<CardChoice>& CardLists::cardTypes()
{
    // Code 4 has no entry: a record with it carries only its common part.
    static const QVector<CardChoice> list{{CARD_TEXT("NONE"), 0},      {CARD_TEXT("485/CAN-P"), 1},
                                          {CARD_TEXT("485/RTC-P"), 2}, {CARD_TEXT("AMX05-P"), 3},
                                          {CARD_TEXT("RTC-P"), 5},     {CARD_TEXT("DIX06-P"), 6}};
    return list;
}

const QVector<CardChoice>& CardLists::protocols()
{
    static const QVector<CardChoice> list{{CARD_TEXT("NONE"), 0},
                                          {CARD_TEXT("FREE"), 1},
                                          {CARD_TEXT("ModbusRTU Master"), 2},
                                          {CARD_TEXT("ModbusRTU Slave"), 3}};
    return list;
}

const QVector<CardChoice>& CardLists::baudRates()
{
    static const QVector<CardChoice> list{{CARD_TEXT("9600"), 0},
                                          {CARD_TEXT("19200"), 1},
                                          {CARD_TEXT("38400"), 2},
                                          {CARD_TEXT("57600"), 3},
                                          {CARD_TEXT("115200"), 4}};
    return list;
}

const QVector<CardChoice>& CardLists::dataLengths()
{
    static const QVector<CardChoice> list{{CARD_TEXT("7bit"), 1}, {CARD_TEXT("8bit"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::parities()
{
    static const QVector<CardChoice> list{
        {CARD_TEXT("NONE"), 0}, {CARD_TEXT("Odd"), 1}, {CARD_TEXT("Even"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::stopBits()
{
    static const QVector<CardChoice> list{{CARD_TEXT("1"), 1}, {CARD_TEXT("2"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::canProtocols()
{
    static const QVector<CardChoice> list{{CARD_TEXT("CANFree"), 0},
                                          {CARD_TEXT("CANopen Master"), 1}};
    return list;
}

const QVector<CardChoice>& CardLists::canBaudRates()
{
    static const QVector<CardChoice> list{{CARD_TEXT("50kbps"), 0},  {CARD_TEXT("125kbps"), 1},
                                          {CARD_TEXT("250kbps"), 2}, {CARD_TEXT("500kbps"), 3},
                                          {CARD_TEXT("800kbps"), 4}, {CARD_TEXT("1000kbps"), 5}};
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
    static const QVector<CardChoice> list{{CARD_TEXT("Input"), 1}, {CARD_TEXT("Output"), 0}};
    return list;
}

const QVector<CardChoice>& CardLists::inputFilters()
{
    static const QVector<CardChoice> list{{CARD_TEXT("NONE"), 0},   {CARD_TEXT("0.2ms"), 8},
                                          {CARD_TEXT("0.4ms"), 9},  {CARD_TEXT("0.8ms"), 10},
                                          {CARD_TEXT("1.6ms"), 11}, {CARD_TEXT("3.2ms"), 12},
                                          {CARD_TEXT("6.4ms"), 13}, {CARD_TEXT("12.8ms"), 14}};
    return list;
}

const QVector<CardChoice>& CardLists::outputFreeze()
{
    static const QVector<CardChoice> list{{CARD_TEXT("NONE Freeze"), 0}, {CARD_TEXT("Freeze"), 1}};
    return list;
}

const QVector<CardChoice>& CardLists::inputAreas()
{
    static const QVector<CardChoice> list{{CARD_TEXT("I"), 0x81}};
    return list;
}

const QVector<CardChoice>& CardLists::outputAreas()
{
    static const QVector<CardChoice> list{{CARD_TEXT("Q"), 0x82}};
    return list;
}

const QVector<CardChoice>& CardLists::filterParameters()
{
    static const QVector<CardChoice> list{
        {CARD_TEXT("0"), 0}, {CARD_TEXT("1"), 1}, {CARD_TEXT("2"), 2}, {CARD_TEXT("3"), 3},
        {CARD_TEXT("4"), 4}, {CARD_TEXT("5"), 5}, {CARD_TEXT("6"), 6}, {CARD_TEXT("7"), 7}};
    return list;
}

const QVector<CardChoice>& CardLists::filterTimes()
{
    static const QVector<CardChoice> list{{CARD_TEXT("12ms"), 0},
                                          {CARD_TEXT("48ms"), 1},
                                          {CARD_TEXT("96ms"), 2},
                                          {CARD_TEXT("192ms"), 3},
                                          {CARD_TEXT("384ms"), 4}};
    return list;
}

const QVector<CardChoice>& CardLists::inputRanges()
{
    static const QVector<CardChoice> list{
        {CARD_TEXT("0~10V"), 0}, {CARD_TEXT("0~20mA"), 1}, {CARD_TEXT("4~20mA"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::openWireDetect()
{
    static const QVector<CardChoice> list{
        {CARD_TEXT("Ban"), 0}, {CARD_TEXT("Enable"), 1}, {CARD_TEXT("Invalid"), 2}};
    return list;
}

const QVector<CardChoice>& CardLists::analogDirections()
{
    static const QVector<CardChoice> list{{CARD_TEXT("Upscale"), 0}, {CARD_TEXT("Downscale"), 1}};
    return list;
}

const QVector<CardChoice>& CardLists::outputRanges()
{
    static const QVector<CardChoice> list{
        {CARD_TEXT("4~20mA"), 0}, {CARD_TEXT("0~20mA"), 1}, {CARD_TEXT("0~10V"), 2}};
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
